// Load ROM through the intercepted file dialog: the listing, the labels,
// every load code's message, cancel, and what a failed load leaves.
#include <QListWidget>

#include "tests/cart/ines_image.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

constexpr int kRunCommands[] = {IDC_STEP,    IDC_RUNTO,        IDC_RESET,
                                IDC_EMULATE, IDM_GOTO_ADDRESS, IDM_VIEW_SCREENSHOT};

TEST_F(DebuggerWindow, LoadListsOneHundredLinesFromTheResetPC) {
  SetDlgItemText(dialog, IDC_STATUS, "Break at something");
  LoadThroughDialog(DemoImage());
  ASSERT_TRUE(messages.empty()) << LastMessage();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].title, "Load ROM");
  EXPECT_EQ(requests[0].filters[0].pattern, "*.nes");
  EXPECT_EQ(requests[0].filters[1].name, "All Files (*.*)");

  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
  char pc[8];
  std::snprintf(pc, sizeof pc, "%04X:", CPU.PC);
  EXPECT_EQ(Line(0).substr(0, 5), pc);
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Text(IDC_STATUS), "");
  EXPECT_EQ(Text(IDC_NMI_VECTOR), NMIVectorText());
  EXPECT_EQ(Text(IDC_MIRRORING), "Mirroring = Vert");
  for (int id : kRunCommands) EXPECT_TRUE(IsCommandEnabled(dialog, id)) << id;
}

TEST_F(DebuggerWindow, EveryLoadCodeShowsItsMessage) {
  SetBoardDirectory(ProgramDir() + "/../tests/boards-under-test");
  TempFile missing(InesImage::Numbered(4, 2, 1).Bytes());
  const std::string gone = std::string(missing.path()) + ".gone";
  LoadThroughDialog(gone);
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

TEST_F(DebuggerWindow, CancelReloadsThePreviousImage) {
  LoadThroughDialog(DemoImage());
  const unsigned short resetPC = CPU.PC;
  for (int i = 0; i < 5; ++i) Command(IDC_STEP);
  ASSERT_NE(CPU.PC, resetPC);
  LoadThroughDialog("");  // cancelled
  EXPECT_TRUE(messages.empty()) << LastMessage();
  EXPECT_EQ(CPU.PC, resetPC);
  EXPECT_EQ(requests.back().initialPath, DemoImage());
  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
}

TEST_F(DebuggerWindow, CancelWithNothingEverChosenCannotOpen) {
  Debug_LoadImage(dialog, "");  // leaves no choice behind
  messages.clear();
  LoadThroughDialog("");
  EXPECT_EQ(LastMessage(), "Could Not Open File");
}

TEST_F(DebuggerWindow, FailedLoadLeavesNoBoardAndDisablesTheRunCommands) {
  LoadThroughDialog(DemoImage());
  TempFile mapper0(InesImage::Numbered(0, 2, 1).Bytes());
  LoadThroughDialog(mapper0.path());
  EXPECT_EQ(LastMessage(), LoadErrorMessage(2));
  EXPECT_EQ(MapperHandle, nullptr);
  EXPECT_FALSE(ImageLoaded());
  ASSERT_EQ(ListBoxCount(dialog, IDC_LISTING), 1);
  EXPECT_EQ(Line(0), "[No ROM image loaded]");
  for (int id : kRunCommands) EXPECT_FALSE(IsCommandEnabled(dialog, id)) << id;
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_LOADROM));
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_ADD_BREAKPOINT));
  // A refused command does nothing even when it arrives.
  const unsigned short pc = CPU.PC;
  Command(IDC_STEP);
  EXPECT_EQ(CPU.PC, pc);
}

}  // namespace
