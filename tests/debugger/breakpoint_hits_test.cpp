// Breakpoints and the stepping commands on our own breakpoint cartridge
// (roms/breakpoint_test.s) and its real board plug-in: which accesses hit,
// where the run stops, what the status line says.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "cpu/routes.h"
#include "cpu/watch.h"
#include "debugger/armed_breakpoints.h"
#include "debugger/breakpoints.h"
#include "debugger/run_loop.h"
#include "ppu/ppu.h"
#include "tests/cart/ines_image.h"

namespace {

using cpu::watch::kExecute;
using cpu::watch::kRead;
using cpu::watch::kWrite;

// The cartridge's table at $FFE0, in its order.
enum Label {
  kSta2006,
  kIncCounter,
  kStaDma,
  kRangeSta,
  kCallOuter,
  kAfterCall,
  kInsideOuter,
  kAfterInner,
  kInner,
  kMain
};

constexpr std::uint64_t kMost = 1'000'000;
constexpr unsigned short kNeverExecuted = 0x0000;

class BreakpointRun : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramBuildDirectory());
    ASSERT_EQ(LoadImageAndReset(TAVIRO_ROM_DIR "/breakpoint_test.nes"), 0);
    SetBoardDirectory("");
  }
  void TearDown() override { UnloadBoard(); }

  static unsigned short At(Label label) {
    return static_cast<unsigned short>(PeekForCondition(0xFFE0 + 2 * label) |
                                       PeekForCondition(0xFFE1 + 2 * label) << 8);
  }
  static std::string Hex(unsigned int address) {
    char text[8];
    std::snprintf(text, sizeof text, "$%04X", address);
    return text;
  }

  int Add(const std::string& address, unsigned int kinds, const char* condition = "") {
    std::string message;
    std::optional<Breakpoint> breakpoint = MakeBreakpoint(address, condition, kinds, &message);
    EXPECT_TRUE(breakpoint) << message;
    return breakpoint ? list.Add(*breakpoint) : 0;
  }
  RunResult Run(const RunGoal& goal) {
    ArmedBreakpoints armed(list);
    return RunToGoal(goal, stop, kMost);
  }
  RunResult RunOn() { return Run(GoalRunTo(kNeverExecuted)); }
  void RunToLabel(Label label) { ASSERT_EQ(Run(GoalRunTo(At(label))).end, RunEnd::Reached); }
  std::string StopText() { return DescribeStop(cpu::watch::TakeStop()); }
  std::uint64_t Hits(int id) {
    for (const Breakpoint& entry : list.Entries())
      if (entry.id == id) return entry.hits;
    return ~0ull;
  }

  BreakpointList list;
  std::atomic<bool> stop{false};
};

TEST_F(BreakpointRun, AWriteByStaStopsAfterTheStoreAndNamesIt) {
  const int id = Add("2006", kWrite);
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(CPU.PC, At(kSta2006) + 3);
  EXPECT_EQ(StopText(), "write $2006 = $3F at " + Hex(At(kSta2006)));
  EXPECT_EQ(Hits(id), 1u);
  // Disarmed, the tables are as built and the count carries no stop mark.
  for (unsigned int address = 0; address < 0x10000; ++address) {
    ASSERT_EQ(ReadMemTable[address], cpu::routes::ReadRouteOf(address));
    ASSERT_EQ(WriteMemTable[address], cpu::routes::WriteRouteOf(address));
  }
  EXPECT_LT(unsigned{CPU.Cycles}, 112u);
}

TEST_F(BreakpointRun, IncIsAReadAndAWriteOfItsByte) {
  const int read = Add("0010", kRead);
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(StopText(), "read $0010 = $00 at " + Hex(At(kIncCounter)));
  EXPECT_EQ(CPU.PC, At(kIncCounter) + 2);
  EXPECT_EQ(CPU.Memory[0x10], 1);  // the instruction finished before the stop

  list.Remove(read);
  const int both = Add("$10", kRead | kWrite);
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(StopText(), "read $0010 = $01 at " + Hex(At(kIncCounter)));  // the first access
  EXPECT_EQ(Hits(both), 2u);
  list.Remove(both);

  Add("10", kWrite);
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(StopText(), "write $0010 = $03 at " + Hex(At(kIncCounter)));
}

TEST_F(BreakpointRun, SpriteDmaReadsItsSourcePage) {
  const int id = Add("$0280", kRead);
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(StopText(), "read $0280 = $11 at " + Hex(At(kStaDma)) + " (sprite DMA)");
  EXPECT_EQ(CPU.PC, At(kStaDma) + 3);
  EXPECT_EQ(Hits(id), 1u);
}

TEST_F(BreakpointRun, ARangeCatchesEveryAddressInItAndNoOther) {
  const int id = Add("$0303-$0305", kWrite);
  for (unsigned int address : {0x0303u, 0x0304u, 0x0305u, 0x0303u}) {
    EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
    char expected[48];
    std::snprintf(expected, sizeof expected, "write $%04X = $%02X at ", address, address & 7);
    EXPECT_EQ(StopText(), expected + Hex(At(kRangeSta)));
  }
  EXPECT_EQ(Hits(id), 4u);
}

TEST_F(BreakpointRun, ConditionsStopOnlyWhenTheyHold) {
  const int counter = Add("0010", kWrite, "value == 3");
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(StopText(), "write $0010 = $03 at " + Hex(At(kIncCounter)));
  EXPECT_EQ(Hits(counter), 1u);  // the writes of 1 and 2 did not hit
  list.Remove(counter);

  Add("0300-0307", kWrite, "X == 6 && [$0010] == 3");
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(StopText(), "write $0306 = $06 at " + Hex(At(kRangeSta)));
  list.Clear();

  const int never = Add("2006", kWrite, "value == $FF");
  EXPECT_EQ(RunOn().end, RunEnd::Limit);
  EXPECT_EQ(Hits(never), 0u);
}

TEST_F(BreakpointRun, AnExecuteBreakpointStopsBeforeItsInstructionAndContinuingMovesOn) {
  Add(Hex(At(kInner)), kExecute);
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(CPU.PC, At(kInner));
  EXPECT_EQ(StopText(), "execute at " + Hex(At(kInner)));
  const unsigned char pass = CPU.Memory[0x10];
  EXPECT_EQ(RunOn().end, RunEnd::Breakpoint);
  EXPECT_EQ(CPU.PC, At(kInner));
  EXPECT_EQ(CPU.Memory[0x10], pass + 1);
}

TEST_F(BreakpointRun, StepOverRunsTheCallUnlessABreakpointInsideStopsIt) {
  RunToLabel(kCallOuter);
  const unsigned char stack = CPU.S;
  EXPECT_EQ(Run(GoalStepOver()).end, RunEnd::Reached);
  EXPECT_EQ(CPU.PC, At(kAfterCall));
  EXPECT_EQ(CPU.S, stack);

  RunToLabel(kCallOuter);
  Add(Hex(At(kInsideOuter)), kExecute);
  EXPECT_EQ(Run(GoalStepOver()).end, RunEnd::Breakpoint);
  EXPECT_EQ(CPU.PC, At(kInsideOuter));
  list.Clear();

  const unsigned short pc = CPU.PC;  // a JSR, stepped over from within
  EXPECT_EQ(Run(GoalStepOver()).end, RunEnd::Reached);
  EXPECT_EQ(CPU.PC, pc + 3);
  EXPECT_EQ(Run(GoalStepOver()).instructions, 1u);  // not a call: one instruction
}

TEST_F(BreakpointRun, StepOutLeavesOneSubroutineAtATime) {
  RunToLabel(kInner);
  EXPECT_EQ(Run(GoalStepOut()).end, RunEnd::Reached);
  EXPECT_EQ(CPU.PC, At(kAfterInner));
  EXPECT_EQ(CPU.Memory[0x11], 2);
  EXPECT_EQ(Run(GoalStepOut()).end, RunEnd::Reached);
  EXPECT_EQ(CPU.PC, At(kAfterCall));
}

TEST_F(BreakpointRun, AFrameRunsToTheStartOfVerticalBlankAndAScanlineToTheLineEnd) {
  EXPECT_EQ(Run(GoalRunOneFrame()).end, RunEnd::Reached);
  EXPECT_EQ(NumScanlines, 22);
  EXPECT_EQ(PPU.Scanline, 0);
  EXPECT_NE(CPU.Memory[0x2002] & 0x80, 0);
  EXPECT_EQ(Run(GoalRunOneFrame()).end, RunEnd::Reached);  // all of the next frame
  EXPECT_EQ(NumScanlines, 22);

  EXPECT_EQ(Run(GoalRunOneScanline()).end, RunEnd::Reached);
  EXPECT_EQ(PPU.Scanline, 1);
  EXPECT_LT(unsigned{CPU.Cycles}, 8u);  // just past the line's 112 cycles
  EXPECT_EQ(Run(GoalRunOneScanline()).end, RunEnd::Reached);
  EXPECT_EQ(PPU.Scanline, 2);
}

TEST_F(BreakpointRun, ABreakStopsAnyGoalAtTheNextInstruction) {
  stop = true;
  const RunResult result = Run(GoalStepOut());
  EXPECT_EQ(result.end, RunEnd::Requested);
  EXPECT_EQ(result.instructions, 1u);
}

// The run loop of Emulate: a hit ends RunCpu in mid-frame.
TEST_F(BreakpointRun, TheRunLoopStopsAtAccessAndExecuteBreakpoints) {
  {
    Add("2006", kWrite);
    ArmedBreakpoints armed(list);
    RunCpu();
    EXPECT_TRUE(cpu::watch::Stopped());
  }
  EXPECT_EQ(StopText(), "write $2006 = $3F at " + Hex(At(kSta2006)));
  EXPECT_EQ(CPU.PC, At(kSta2006) + 3);
  EXPECT_EQ(NumScanlines, 240);  // the frame is not over
  EXPECT_LT(unsigned{CPU.Cycles}, 112u);
  list.Clear();

  Add(Hex(At(kMain)), kExecute);
  ArmedBreakpoints armed(list);
  const auto runFramesUntilStop = [] {
    cpu::watch::PassOnce(CPU.PC);
    for (int frame = 0; frame < 3 && !cpu::watch::Stopped(); ++frame) RunCpu();
    return cpu::watch::Stopped();
  };
  EXPECT_TRUE(runFramesUntilStop());
  EXPECT_EQ(CPU.PC, At(kMain));
  cpu::watch::TakeStop();
  const unsigned char pass = CPU.Memory[0x10];
  EXPECT_TRUE(runFramesUntilStop());  // continuing from the breakpoint moves on
  EXPECT_EQ(CPU.PC, At(kMain));
  EXPECT_EQ(CPU.Memory[0x10], pass + 1);
}

}  // namespace
