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

}  // namespace
