// Zero-cycle opcodes must not stop time: a program made only of them would
// otherwise keep RunCpu from ever returning.
#include <cstring>

#include "cpu/cpu.h"
#include "tests/cpu/test_board.h"

namespace {

using ZeroCycleSweep = CpuTest;

TEST_F(ZeroCycleSweep, ProgramOfOnlyZeroCycleOpcodesStillEndsItsFrame) {
  std::memset(ram_board::program, 0x02, sizeof ram_board::program);
  CPU.PC = 0x8000;
  RunCpu();  // returns at the start of vertical blank
  EXPECT_EQ(NumScanlines, 22);
  EXPECT_EQ(ram_board::calls.end_scans, 240);
}

TEST_F(ZeroCycleSweep, PassingThroughZeroCycleBytesCostsNothing) {
  // 8 KB of $80 in window 0 and a JMP back to its start: every pass costs
  // only the jump's three cycles.
  std::memset(ram_board::program, 0x80, 0x2000);
  Place(0xA000, {0x4C, 0x00, 0x80});
  CPU.PC = 0x8000;
  CPU.Cycles = 0;
  for (int pass = 0; pass < 20; ++pass) {
    for (int i = 0; i < 0x2000; ++i) StepCpu();
    StepCpu();  // the JMP
    ASSERT_EQ(Cycles(), 3u * (pass + 1) % 112) << "pass " << pass;
    ASSERT_EQ(Pc(), 0x8000u);
  }
}

TEST_F(ZeroCycleSweep, SweepThatAJumpRestartsEndsEveryFrameSoon) {
  // $8000-$FFFF all $80, and at $0000, where PC wraps to: INC $10, JMP $8000.
  // A sweep costs only those eight cycles, so free of charge a frame would
  // hold 3,360 sweeps, 110 million instructions. Each frame runs four sweeps
  // of the address space (eight of these) before the opcodes cost time.
  std::memset(ram_board::program, 0x80, sizeof ram_board::program);
  const unsigned char restart[] = {0xE6, 0x10, 0x4C, 0x00, 0x80};
  std::memcpy(CPU.Memory, restart, sizeof restart);
  CPU.PC = 0x8000;
  RunCpu();
  EXPECT_EQ(NumScanlines, 22);
  EXPECT_EQ(CPU.Memory[0x10], 8);
  RunCpu();  // the next frame has its own allowance
  EXPECT_EQ(NumScanlines, 22);
  EXPECT_EQ(CPU.Memory[0x10], 16);
}

}  // namespace
