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

TEST_F(Stepping, StepWithinTheListingOnlyMovesTheSelection) {
  const std::string first = Line(0);
  Command(IDC_STEP);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(Line(0), first);
  char pc[8];
  std::snprintf(pc, sizeof pc, "0x%04X", CPU.PC);
  EXPECT_EQ(Text(IDC_PC), pc);
}

TEST_F(Stepping, StepPastTheListingRebuildsItFromPC) {
  const std::string last = Line(99);
  CPU.PC = static_cast<unsigned short>(std::stoul(last.substr(0, 4), nullptr, 16));
  UpdateInfo(dialog);
  ASSERT_EQ(Selected(), 99);
  Command(IDC_STEP);
  char pc[8];
  std::snprintf(pc, sizeof pc, "%04X:", CPU.PC);
  EXPECT_EQ(Line(0).substr(0, 5), pc);
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
}

// A held key repeats Alt+S every 30 ms or so, faster than a button's click
// animation: stepping must go on while the key is down, not once after it.
TEST_F(Stepping, HoldingAltSKeepsStepping) {
  auto* window = static_cast<QWidget*>(dialog);
  window->show();
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  const unsigned short start = CPU.PC;
  for (int repeat = 0; repeat < 12; ++repeat) {
    QTest::sendKeyEvent(QTest::KeyAction::Press, window, Qt::Key_S, 's', Qt::AltModifier);
    QTest::qWait(30);
  }
  EXPECT_GE(Selected(), 2) << "from " << start;
  QTest::sendKeyEvent(QTest::KeyAction::Release, window, Qt::Key_S, 's', Qt::AltModifier);
}

TEST_F(Stepping, RegistersFlagsAndPpuFieldsShowTheMachine) {
  CPU.AC = 0x1F;
  CPU.XR = 0xA0;
  CPU.YR = 0x07;
  CPU.S = 0xFD;
  CPU.FLAGS = 0xA5;
  CPU.Cycles = 87;
  PPU.Scanline = 17;
  BackGround.SetHScroll(200);
  BackGround.SetVScroll(9);
  WriteAddress = 0x23C0;
  CPU.Memory[0x2002] = 0x80;
  UpdateInfo(dialog);
  EXPECT_EQ(Text(IDC_A), "0x1F");
  EXPECT_EQ(Text(IDC_X), "0xA0");
  EXPECT_EQ(Text(IDC_Y), "0x07");
  EXPECT_EQ(Text(IDC_SP), "0xFD");
  EXPECT_EQ(Text(IDC_FLAGS), "10100101");
  EXPECT_EQ(Text(IDC_CYCLES), "87");
  EXPECT_EQ(Text(IDC_SCANLINE), "Scanline  = 17");
  EXPECT_EQ(Text(IDC_HSCROLL), "HScroll   = 200");
  EXPECT_EQ(Text(IDC_VSCROLL), "VScroll   = 9");
  EXPECT_EQ(Text(IDC_VRAM_ADDRESS), "VRAM Add. = $23C0");
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_VBLANK));
  EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_SPRITE0));
  CPU.Memory[0x2002] = 0x40;
  UpdateInfo(dialog);
  EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_VBLANK));
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_SPRITE0));
  EXPECT_EQ(CPU.Memory[0x2002], 0x40);  // the display never reads through the bus
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
  EXPECT_EQ(Text(IDC_STATUS), "Break at " + Line(5));

  ListBoxSetCurSel(dialog, IDC_LISTING, -1);
  Command(IDC_ADD_BREAKPOINT);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Couldn't get text");
  EXPECT_EQ(messages[0].caption, "Error");
  EXPECT_EQ(EndLine, 5);
  EXPECT_EQ(Text(IDC_STATUS), "Break at " + Line(5));
}

TEST_F(Stepping, ResetGoesBackToTheResetVector) {
  const unsigned short resetPC = CPU.PC;
  for (int i = 0; i < 3; ++i) Command(IDC_STEP);
  Command(IDC_RESET);
  EXPECT_EQ(CPU.PC, resetPC);
  EXPECT_EQ(Selected(), 0);
}

TEST_F(Stepping, JoypadBoxesFollowTheRadioButton) {
  for (int b = 0; b < 8; ++b) Joy1.ClearButton(b), Joy2.ClearButton(b);
  Click(IDC_JOY_A);
  EXPECT_EQ(Joy1.GetButton(0), 1);
  EXPECT_EQ(Joy2.GetButton(0), 0);
  Click(IDC_JOYSTICK2);
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOY_A));  // left until the next refresh
  Click(IDC_JOY_UP);
  EXPECT_EQ(Joy2.GetButton(4), 1);
  EXPECT_EQ(Joy1.GetButton(4), 0);
  Click(IDC_JOY_A);  // unchecks: Joy2's A, already released
  EXPECT_EQ(Joy1.GetButton(0), 1);
  Command(IDC_STEP);  // the refresh shows Joy2
  EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_JOY_A));
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOY_UP));
  Click(IDC_JOYSTICK1);
  UpdateJoystickButtons();
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOY_A));
  EXPECT_FALSE(IsDlgButtonChecked(dialog, IDC_JOY_UP));
  for (int b = 0; b < 8; ++b) Joy1.ClearButton(b), Joy2.ClearButton(b);
}

}  // namespace
