// Step, the register display, breakpoints, Reset and the joypad boxes.
#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "io/joystick.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/ppu.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

class Stepping : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    ASSERT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
  }
  void Click(int id) { static_cast<QAbstractButton*>(GetDlgItem(dialog, id))->click(); }
};

TEST_F(Stepping, StepMovesTheSelectionRebuildsOnlyPastTheListingAndResetReturns) {
  const std::string first = Line(0);
  const unsigned short resetPC = CPU.PC;
  Command(IDC_STEP);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Line(0), first);
  EXPECT_EQ(Text(IDC_PC), "0x" + Hex4(CPU.PC));

  CPU.PC = static_cast<unsigned short>(std::stoul(Line(99).substr(0, 4), nullptr, 16));
  UpdateInfo(dialog);
  ASSERT_EQ(Selected(), 99);
  Command(IDC_STEP);
  EXPECT_EQ(Line(0).substr(0, 4), Hex4(CPU.PC));
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
  Command(IDC_RESET);
  EXPECT_EQ(CPU.PC, resetPC);
  EXPECT_EQ(Line(Selected()), first);
}

// A held key repeats Alt+S every 30 ms or so, faster than a button's click
// animation: stepping must go on while the key is down, not once after it.
TEST_F(Stepping, HoldingAltSKeepsStepping) {
  auto* window = static_cast<QWidget*>(dialog);
  window->show();
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  for (int repeat = 0; repeat < 12; ++repeat) {
    QTest::sendKeyEvent(QTest::KeyAction::Press, window, Qt::Key_S, 's', Qt::AltModifier);
    QTest::qWait(30);
  }
  EXPECT_GE(Selected(), 2);
  QTest::sendKeyEvent(QTest::KeyAction::Release, window, Qt::Key_S, 's', Qt::AltModifier);
}

TEST_F(Stepping, RegistersFlagsAndPpuFieldsShowTheMachine) {
  CPU = {0x1F, 0xA0, 0x07, 0xFD, CPU.PC, 0xA5, 87, {}};
  CPU.Memory[0x2002] = 0x40;
  PPU.Scanline = 17;
  BackGround.SetHScroll(200);
  BackGround.SetVScroll(9);
  WriteAddress = 0x23C0;
  UpdateInfo(dialog);
  const std::pair<int, const char*> shown[] = {{IDC_A, "0x1F"},
                                               {IDC_X, "0xA0"},
                                               {IDC_Y, "0x07"},
                                               {IDC_SP, "0xFD"},
                                               {IDC_FLAGS, "10100101"},
                                               {IDC_CYCLES, "87"},
                                               {IDC_SCANLINE, "Scanline  = 17"},
                                               {IDC_HSCROLL, "HScroll   = 200"},
                                               {IDC_VSCROLL, "VScroll   = 9"},
                                               {IDC_VRAM_ADDRESS, "VRAM Add. = $23C0"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(Text(id), text) << id;
  EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_VBLANK));
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_SPRITE0));
  CPU.Memory[0x2002] = 0x80;
  UpdateInfo(dialog);
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_VBLANK));
  EXPECT_EQ(CPU.Memory[0x2002], 0x80);  // never read through the bus, which would clear it
}

TEST_F(Stepping, BreakpointFromButtonOrDoubleClick) {
  ListBoxSetCurSel(dialog, IDC_LISTING, 3);
  Command(IDC_ADD_BREAKPOINT);
  EXPECT_EQ(EndLine, 3);
  EXPECT_EQ(Text(IDC_STATUS), "Break at " + Line(3));
  ListBoxSetCurSel(dialog, IDC_LISTING, 5);
  Command(IDC_LISTING, 1);  // a selection change is not a double click
  EXPECT_EQ(EndLine, 3);
  Command(IDC_LISTING, LBN_DBLCLK);
  EXPECT_EQ(EndLine, 5);

  ListBoxSetCurSel(dialog, IDC_LISTING, -1);
  Command(IDC_ADD_BREAKPOINT);
  EXPECT_EQ(LastMessage(), "Couldn't get text");
  EXPECT_EQ(EndLine, 5);
  EXPECT_EQ(Text(IDC_STATUS), "Break at " + Line(5));
}

TEST_F(Stepping, JoypadBoxesFollowTheRadioButton) {
  Joy1 = Joystick(0x4016);
  Joy2 = Joystick(0x4017);
  Click(IDC_JOY_A);
  EXPECT_EQ(Joy1.GetButton(0), 1);
  Click(IDC_JOYSTICK2);
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOY_A));  // left until the next refresh
  Click(IDC_JOY_UP);
  EXPECT_EQ(Joy2.GetButton(4), 1);
  EXPECT_EQ(Joy1.GetButton(4), 0);
  Command(IDC_STEP);  // the refresh shows Joy2
  EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_JOY_A));
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOY_UP));
  Joy1 = Joystick(0x4016);
  Joy2 = Joystick(0x4017);
}

}  // namespace
