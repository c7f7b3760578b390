// Run to on its own thread, Break, and the one-thread rule: commands that
// run or change the machine are refused while someone else holds it, also
// when the program closes during a run.
#include "debugger/run_thread.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

class Running : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    ASSERT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
  }
  void RunTo(const std::string& address) {
    ListBoxSetCurSel(dialog, IDC_LISTING, ListBoxFindString(dialog, IDC_LISTING, -1, address));
    Command(IDC_ADD_BREAKPOINT);
    Command(IDC_RUNTO);
  }
  bool RunEnded() {
    return WaitFor([] { return ::Run == 1 && Machine.Free(); });
  }
};

// The demo waits for vertical blank in the loop $E013-$E016 and goes on at
// $E018: tens of thousands of instructions on the run thread.
TEST_F(Running, RunToStopsAtTheBreakpointLineOnItsOwnThread) {
  RunTo("E018");
  EXPECT_EQ(Text(IDC_RUNTO), "&Break");
  EXPECT_EQ(::Run, 0);
  ASSERT_TRUE(RunEnded());
  EXPECT_EQ(CPU.PC, 0xE018);
  EXPECT_EQ(Text(IDC_RUNTO), "&Run to");
  EXPECT_EQ(Line(Selected()).substr(0, 4), "E018");
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_STEP));
}

// From its own address Run to executes first and stops when execution
// comes back: once round the vertical-blank loop.
TEST_F(Running, RunToFromTheBreakpointAddressGoesRoundOnce) {
  while (CPU.PC != 0xE013) Command(IDC_STEP);
  const unsigned int cycles = CPU.Cycles;
  RunTo("E013");
  ASSERT_TRUE(RunEnded());
  EXPECT_EQ(CPU.PC, 0xE013);
  const unsigned int cyclesAfter = CPU.Cycles;  // a copy: the record is packed
  EXPECT_NE(cyclesAfter, cycles);
}

// The reset code never runs again: only Break ends this run, and while it
// goes on every command that runs or changes the machine is refused.
TEST_F(Running, BreakEndsARunWhateverThePCAndCommandsWaitForIt) {
  RunTo("E000");
  for (int id : {IDC_STEP, IDC_RESET, IDC_LOADROM, IDC_EMULATE, IDM_GOTO_ADDRESS, IDM_EDIT_CPUMEM})
    EXPECT_FALSE(IsCommandEnabled(dialog, id)) << id;
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_JOY_A));  // the pads stay playable
  Command(IDC_LOADROM);
  EXPECT_EQ(requests.size(), 1u);  // only the first load asked for a file
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  ASSERT_EQ(::Run, 0);
  EXPECT_TRUE(Machine.HeldBy(MachineHolder::RunThread));
  Command(IDC_RUNTO);  // Break
  ASSERT_TRUE(RunEnded());
  EXPECT_EQ(Text(IDC_RUNTO), "&Run to");
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_LOADROM));
}

TEST_F(Running, AnotherHolderOfTheMachineDisablesRunTo) {
  ASSERT_TRUE(Machine.TryTake(MachineHolder::EmulationThread));
  EXPECT_TRUE(WaitFor([this] { return !IsCommandEnabled(dialog, IDC_RUNTO); }));
  Command(IDC_RUNTO);
  EXPECT_EQ(::Run, 1);
  Machine.Give(MachineHolder::EmulationThread);
  EXPECT_TRUE(WaitFor([this] { return IsCommandEnabled(dialog, IDC_RUNTO); }));
}

TEST_F(Running, ClosingDuringARunStopsTheThreadBeforeTheDialogEnds) {
  RunTo("E000");
  SendCloseRequest(dialog);
  EXPECT_EQ(hWndMain, nullptr);
  EXPECT_FALSE(RunThreadActive());
  EXPECT_TRUE(Machine.Free());
  EXPECT_EQ(::Run, 1);
}

}  // namespace
