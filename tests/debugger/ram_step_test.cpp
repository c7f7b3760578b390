// Step Over and Step Out read the instruction at PC as the processor
// fetches it: below $8000 from RAM, not from the program window that the
// same address shows in the listing's old bank view.
#include <atomic>

#include "debugger/run_loop.h"
#include "tests/debugger/program_windows.h"

namespace {

class RamStepping : public ProgramWindows {
 protected:
  void SetUp() override {
    ProgramWindows::SetUp();
    savedS_ = CPU.S;
    // $0200: JSR $0300, then NOP; $0300: INX, RTS. The windows hold NOPs
    // at the same offsets, so a read through them sees no call at all.
    Poke(0x0200, {0x20, 0x00, 0x03, 0xEA});
    Poke(0x0300, {0xE8, 0x60});
    CPU.PC = 0x0200;
    CPU.S = 0xFD;
  }
  void TearDown() override {
    CPU.S = savedS_;
    ProgramWindows::TearDown();
  }
  RunResult Run(const RunGoal& goal) { return RunToGoal(goal, stop_, 100); }

  std::atomic<bool> stop_{false};
  unsigned char savedS_ = 0;
};

TEST_F(RamStepping, StepOverRunsACallMadeFromRam) {
  EXPECT_EQ(Run(GoalStepOver()).end, RunEnd::Reached);
  EXPECT_EQ(CPU.PC, 0x0203);
  EXPECT_EQ(CPU.S, 0xFD);
  EXPECT_EQ(CPU.XR, 1);
}

TEST_F(RamStepping, StepOutLeavesASubroutineInRam) {
  ASSERT_EQ(Run(GoalStepOver()).instructions, 3u);  // JSR, INX, RTS
  CPU.PC = 0x0200;
  EXPECT_EQ(Run(GoalRunTo(0x0300)).end, RunEnd::Reached);
  EXPECT_EQ(Run(GoalStepOut()).end, RunEnd::Reached);
  EXPECT_EQ(CPU.PC, 0x0203);
  EXPECT_EQ(CPU.XR, 2);
}

}  // namespace
