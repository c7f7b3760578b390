// Run to on its own thread, Break, and the one-thread rule: commands that
// run or change the machine are refused while someone else holds it, also
// when the program closes during a run.
#include "debugger/run_thread.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

constexpr int kRefusedWhileRunning[] = {IDC_STEP,        IDC_RESET,        IDC_LOADROM,
                                        IDC_EMULATE,     IDM_GOTO_ADDRESS, IDM_EDIT_CPUMEM,
                                        IDM_EDIT_PPUMEM, IDM_EDIT_STACK,   IDC_JOY_A};

class Running : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    ASSERT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
  }
  void SetBreakpointAt(const std::string& address) {
    const int line = LineOf(address);
    ASSERT_GE(line, 0) << address;
    ListBoxSetCurSel(dialog, IDC_LISTING, line);
    Command(IDC_ADD_BREAKPOINT);
  }
  bool RunEnded() {
    return WaitFor([] { return ::Run == 1 && Machine.Free(); });
  }
};

// The demo waits for vertical blank at $E013-$E016 and calls $E087 from
// $E018 when it has come: tens of thousands of instructions on the thread.
TEST_F(Running, RunToStopsAtTheBreakpointLineOnItsOwnThread) {
  SetBreakpointAt("E018");
  Command(IDC_RUNTO);
  EXPECT_EQ(Text(IDC_RUNTO), "&Break");
  EXPECT_EQ(::Run, 0);
  ASSERT_TRUE(RunEnded());
  EXPECT_EQ(CPU.PC, 0xE018);
  EXPECT_EQ(Text(IDC_RUNTO), "&Run to");
  EXPECT_EQ(Text(IDC_PC), "0xE018");
  EXPECT_EQ(Line(Selected()).substr(0, 4), "E018");
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_STEP));
}

// At its own line, Run to executes first and stops when execution comes
// back: the vertical-blank loop returns to $E013 after one pass.
TEST_F(Running, RunToFromTheBreakpointAddressGoesRoundOnce) {
  SetBreakpointAt("E013");
  while (CPU.PC != 0xE013) Command(IDC_STEP);
  const unsigned int cycles = CPU.Cycles;
  Command(IDC_RUNTO);
  ASSERT_TRUE(RunEnded());
  EXPECT_EQ(CPU.PC, 0xE013);
  EXPECT_NE(CPU.Cycles, cycles);
}

// The reset code never runs again, so only Break ends this run.
TEST_F(Running, BreakEndsARunWhateverThePC) {
  SetBreakpointAt("E000");
  Command(IDC_RUNTO);
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  ASSERT_EQ(::Run, 0);
  Command(IDC_RUNTO);  // Break
  ASSERT_TRUE(RunEnded());
  EXPECT_EQ(Text(IDC_RUNTO), "&Run to");
  EXPECT_NE(CPU.PC, 0xE000);
}

TEST_F(Running, CommandsThatRunOrChangeTheMachineAreRefusedDuringARun) {
  SetBreakpointAt("E000");
  Command(IDC_RUNTO);
  for (int id : kRefusedWhileRunning) EXPECT_FALSE(IsCommandEnabled(dialog, id)) << id;
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_RUNTO));  // Break
  const size_t dialogsShown = requests.size();
  Command(IDC_LOADROM);
  Command(IDC_STEP);
  EXPECT_EQ(requests.size(), dialogsShown);
  EXPECT_TRUE(Machine.HeldBy(MachineHolder::RunThread));
  Command(IDC_RUNTO);
  ASSERT_TRUE(RunEnded());
  for (int id : kRefusedWhileRunning) EXPECT_TRUE(IsCommandEnabled(dialog, id)) << id;
}

TEST_F(Running, AnotherHolderOfTheMachineDisablesRunToAndStep) {
  ASSERT_TRUE(Machine.TryTake(MachineHolder::EmulationThread));
  ASSERT_TRUE(WaitFor([this] { return !IsCommandEnabled(dialog, IDC_RUNTO); }));
  EXPECT_FALSE(IsCommandEnabled(dialog, IDC_STEP));
  Command(IDC_RUNTO);
  EXPECT_EQ(::Run, 1);
  Machine.Give(MachineHolder::EmulationThread);
  ASSERT_TRUE(WaitFor([this] { return IsCommandEnabled(dialog, IDC_RUNTO); }));
}

TEST_F(Running, ClosingDuringARunStopsTheThreadBeforeTheDialogEnds) {
  SetBreakpointAt("E000");
  Command(IDC_RUNTO);
  SendCloseRequest(dialog);
  EXPECT_EQ(hWndMain, nullptr);
  EXPECT_FALSE(RunThreadActive());
  EXPECT_TRUE(Machine.Free());
  EXPECT_EQ(::Run, 1);
  UnloadBoard();  // nobody calls into the board any more
  QCoreApplication::processEvents();
}

}  // namespace
