// Load ROM through the intercepted file dialog: the listing, the labels,
// every load code's message, cancel, and what a failed load leaves.
#include "tests/cart/ines_image.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

constexpr int kRunCommands[] = {IDC_STEP,    IDC_RUNTO,        IDC_RESET,
                                IDC_EMULATE, IDM_GOTO_ADDRESS, IDM_VIEW_SCREENSHOT};

TEST_F(DebuggerWindow, LoadListsOneHundredLinesFromTheResetPC) {
  SetDlgItemText(dialog, IDC_STATUS, "Break at something");
  LoadThroughDialog(DemoImage());
  ASSERT_TRUE(messages.empty()) << LastMessage();
  EXPECT_EQ(requests.at(0).title, "Load ROM");
  EXPECT_EQ(requests[0].filters.at(1).pattern, "*.*");
  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
  EXPECT_EQ(Line(0).substr(0, 4), Hex4(CPU.PC));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text(IDC_STATUS), "");
  EXPECT_EQ(Text(IDC_NMI_VECTOR), "NMI Vect. = " + Hex4(NMIVector()));
  EXPECT_EQ(Text(IDC_MIRRORING), "Mirroring = Vert");
  for (int id : kRunCommands) EXPECT_TRUE(IsCommandEnabled(dialog, id)) << id;
}

TEST_F(DebuggerWindow, EveryLoadCodeShowsItsMessage) {
  SetBoardDirectory(ProgramDir() + "/../tests/boards-under-test");
  TempDirectory empty;
  LoadThroughDialog(empty.path() + "/missing.nes");
  for (unsigned mapper : {0u, 203u, 204u, 205u, 206u, 207u, 208u}) {
    TempFile image(InesImage::Numbered(mapper, 2, 1).Bytes());
    LoadThroughDialog(image.path());
  }
  ASSERT_EQ(messages.size(), 8u);
  for (int code = 1; code <= 8; ++code) {
    EXPECT_EQ(messages[code - 1].text, LoadErrorMessage(code));
    EXPECT_EQ(messages[code - 1].caption, "Error");
    EXPECT_EQ(messages[code - 1].icon, MessageIcon::Stop);
  }
}

TEST_F(DebuggerWindow, CancelReloadsThePreviousImageOrCannotOpen) {
  LoadThroughDialog(DemoImage());
  const unsigned short resetPC = CPU.PC;
  Command(IDC_STEP);
  LoadThroughDialog("");  // cancelled
  EXPECT_TRUE(messages.empty()) << LastMessage();
  EXPECT_EQ(CPU.PC, resetPC);
  EXPECT_EQ(requests.back().initialPath, DemoImage());

  Debug_LoadImage(dialog, "");  // as if nothing had ever been chosen
  messages.clear();
  LoadThroughDialog("");
  EXPECT_EQ(LastMessage(), "Could Not Open File");
}

TEST_F(DebuggerWindow, FailedLoadLeavesNoBoardAndDisablesTheRunCommands) {
  LoadThroughDialog(DemoImage());
  TempFile noBoard(InesImage::Numbered(kMapperWithoutBoard, 2, 1).Bytes());
  LoadThroughDialog(noBoard.path());
  EXPECT_EQ(LastMessage(), std::string(LoadErrorMessage(2)) + "\n" + BoardFailureDetail());
  EXPECT_NE(LastMessage().find("mapper 5: no board5.so in "), std::string::npos);
  EXPECT_EQ(MapperHandle, nullptr);
  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 1);
  EXPECT_EQ(Line(0), "[No ROM image loaded]");
  for (int id : kRunCommands) EXPECT_FALSE(IsCommandEnabled(dialog, id)) << id;
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_ADD_BREAKPOINT));
  const unsigned short pc = CPU.PC;
  Command(IDC_STEP);  // refused even when it arrives
  EXPECT_EQ(CPU.PC, pc);
}

}  // namespace
