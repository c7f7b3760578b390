// Branches, jumps, subroutines, the stack and BRK/RTI, and the no-op
// treatment of the undocumented opcodes.

#include "tests/cpu/test_board.h"

namespace {

constexpr unsigned char C = 0x01, Z = 0x02, I = 0x04, B = 0x10, V = 0x40, N = 0x80;

class ControlTest : public CpuTest {};

TEST_F(ControlTest, EveryBranchTakesOnItsConditionAndCostsOneMoreCycle) {
  struct Case {
    unsigned char opcode, taken_when_flags;
  } cases[] = {
      {0x10, 0}, {0x30, N}, {0x50, 0}, {0x70, V}, {0x90, 0}, {0xB0, C}, {0xD0, 0}, {0xF0, Z},
  };
  const unsigned char tested_flag[] = {N, N, V, V, C, C, Z, Z};
  for (int i = 0; i < 8; ++i) {
    const Case& c = cases[i];
    CPU.FLAGS = c.taken_when_flags;
    EXPECT_EQ(Execute(0x8100, {c.opcode, 0x10}), 3u) << std::hex << int(c.opcode);
    EXPECT_EQ(Pc(), 0x8112) << std::hex << int(c.opcode);
    CPU.FLAGS = c.taken_when_flags ^ tested_flag[i];
    EXPECT_EQ(Execute(0x8100, {c.opcode, 0x10}), 2u) << std::hex << int(c.opcode);
    EXPECT_EQ(Pc(), 0x8102) << std::hex << int(c.opcode);
  }
}

TEST_F(ControlTest, BranchBackwardsOntoItself) {
  CPU.FLAGS = 0;
  EXPECT_EQ(Execute({0xD0, 0xFE}), 3u);  // BNE *
  EXPECT_EQ(Pc(), 0x8000);
}

TEST_F(ControlTest, BranchesNeverPayForCrossingAPage) {
  CPU.FLAGS = Z;
  EXPECT_EQ(Execute(0x80F0, {0xF0, 0x20}), 3u);  // BEQ to $8112
  EXPECT_EQ(Pc(), 0x8112);
  EXPECT_EQ(Execute(0x8105, {0xF0, 0x80}), 3u);  // BEQ back to $8087
  EXPECT_EQ(Pc(), 0x8087);
}

TEST_F(ControlTest, BranchTargetsWrapAroundTheAddressSpace) {
  CPU.FLAGS = 0;
  Execute(0x0000, {0xD0, 0xFC});  // from RAM; target $0002 - 4
  EXPECT_EQ(Pc(), 0xFFFE);
}

TEST_F(ControlTest, JmpAbsolute) {
  EXPECT_EQ(Execute({0x4C, 0x34, 0x92}), 3u);
  EXPECT_EQ(Pc(), 0x9234);
}

TEST_F(ControlTest, JmpIndirectStaysWithinThePointersPage) {
  CPU.Memory[0x12FF] = 0x34;
  CPU.Memory[0x1200] = 0x12;
  CPU.Memory[0x1300] = 0x99;
  EXPECT_EQ(Execute({0x6C, 0xFF, 0x12}), 5u);
  EXPECT_EQ(Pc(), 0x1234);
}

TEST_F(ControlTest, JmpIndirectReadsItsPointerFromMemoryNotTheBoard) {
  SetVector(0xFFFC, 0x9999);  // the program ROM's bytes
  CPU.Memory[0xFFFC] = 0x00;
  CPU.Memory[0xFFFD] = 0x03;
  Execute({0x6C, 0xFC, 0xFF});
  EXPECT_EQ(Pc(), 0x0300);
  EXPECT_TRUE(ram_board::calls.cpu_reads.empty());
}

// Code copied to RAM, its mirrors or cartridge RAM runs from there; the
// window's byte at the same offset ($8300 for $0300) must not.
TEST_F(ControlTest, CodeBelow8000RunsFromMemoryAsTheProcessorSeesIt) {
  Place(0x8300, {0xE8});        // INX as window 0 shows it: must not run
  Execute({0x20, 0x00, 0x03});  // JSR $0300
  CPU.Memory[0x0300] = 0xA9;    // LDA #$42 in RAM
  CPU.Memory[0x0301] = 0x42;
  StepCpu();
  EXPECT_EQ(CPU.AC, 0x42);
  EXPECT_EQ(CPU.XR, 0x00);
  EXPECT_EQ(Pc(), 0x0302);

  Execute(0x6000, {0xA2, 0x17});  // LDX #$17 in cartridge RAM
  EXPECT_EQ(CPU.XR, 0x17);
  Execute(0x0C00, {0xA0, 0x33});  // LDY #$33 at a RAM mirror address
  EXPECT_EQ(CPU.YR, 0x33);
}

// Each operand byte comes from where it lies: the low byte of a JMP at $7FFE
// from cartridge RAM, the high byte from window 0; an instruction at $FFFE
// takes its last byte from RAM at $0000.
TEST_F(ControlTest, OperandsStraddling8000OrFFFFComeFromEachSide) {
  Place(0x7FFE, {0x4C, 0x34, 0x92});  // $8000 holds the high byte
  CPU.PC = 0x7FFE;
  StepCpu();
  EXPECT_EQ(Pc(), 0x9234);

  CPU.Memory[0x0000] = 0x12;
  ram_board::program[0x0000] = 0xEE;  // what the window would show at $0000
  Execute(0xFFFE, {0x4C, 0x56});
  EXPECT_EQ(Pc(), 0x1256);
}

// A fetch never goes through a port: code at $2002 reads the status byte
// as stored and leaves vertical blank up.
TEST_F(ControlTest, FetchingFromAPortAddressHasNoSideEffect) {
  CPU.Memory[0x2002] = 0xEA;  // NOP, with the vertical-blank bit set
  CPU.PC = 0x2002;
  StepCpu();
  EXPECT_EQ(Pc(), 0x2003);
  EXPECT_EQ(CPU.Memory[0x2002], 0xEA);
}

TEST_F(ControlTest, OperandsSpanningTwoWindowsComeFromEach) {
  // Windows 0 and 1 made non-adjacent: the high byte of an operand at $9FFF
  // must come from the start of window 1 wherever it is.
  static unsigned char window1[0x2000];
  window1[0] = 0xA1;
  MemoryPage[1] = window1;
  ram_board::program[0x2000] = 0xEE;  // what a contiguous read would take
  Execute(0x9FFE, {0x4C, 0x34});      // JMP $A134, high byte at $A000
  EXPECT_EQ(Pc(), 0xA134);
}

TEST_F(ControlTest, JsrPushesTheAddressOfItsLastByteAndRtsReturnsAfterIt) {
  EXPECT_EQ(Execute(0x8010, {0x20, 0x00, 0x90}), 6u);  // JSR $9000
  EXPECT_EQ(Pc(), 0x9000);
  EXPECT_EQ(CPU.S, 0xFD);
  EXPECT_EQ(CPU.Memory[0x01FF], 0x80);
  EXPECT_EQ(CPU.Memory[0x01FE], 0x12);
  EXPECT_EQ(CPU.Memory[0x09FE], 0x12);     // pushes are RAM writes
  EXPECT_EQ(Execute(0x9000, {0x60}), 6u);  // RTS
  EXPECT_EQ(Pc(), 0x8013);
  EXPECT_EQ(CPU.S, 0xFF);
}

TEST_F(ControlTest, RtsPullingFFFFContinuesAt0000) {
  CPU.S = 0xFD;
  CPU.Memory[0x01FE] = 0xFF;
  CPU.Memory[0x01FF] = 0xFF;
  Execute({0x60});
  EXPECT_EQ(Pc(), 0x0000);
}

TEST_F(ControlTest, StackPointerWrapsWithinPageOne) {
  CPU.S = 0x00;
  CPU.AC = 0x9C;
  EXPECT_EQ(Execute({0x48}), 3u);  // PHA
  EXPECT_EQ(CPU.S, 0xFF);
  EXPECT_EQ(CPU.Memory[0x0100], 0x9C);
  EXPECT_EQ(CPU.Memory[0x0900], 0x9C);
  EXPECT_EQ(CPU.Memory[0x1100], 0x9C);
  EXPECT_EQ(CPU.Memory[0x1900], 0x9C);
  CPU.AC = 0;
  EXPECT_EQ(Execute({0x68}), 4u);  // PLA wraps back to $0100
  EXPECT_EQ(CPU.S, 0x00);
  EXPECT_EQ(CPU.AC, 0x9C);
  EXPECT_EQ(CPU.FLAGS, N);
}

TEST_F(ControlTest, PhpPushesFlagsUnchangedAndPlpLoadsAllEightBits) {
  CPU.FLAGS = C;
  Execute({0x08});  // PHP: no break or bit 5 added
  EXPECT_EQ(CPU.Memory[0x01FF], C);
  CPU.Memory[0x01FF] = 0x30;
  Execute({0x28});  // PLP
  EXPECT_EQ(CPU.FLAGS, 0x30);
  EXPECT_EQ(CPU.S, 0xFF);
}

TEST_F(ControlTest, BrkSetsTheBreakBitInFlagsAndEntersTheIrqVector) {
  SetVector(0xFFFE, 0xC123);
  CPU.FLAGS = C;
  EXPECT_EQ(Execute(0x8040, {0x00}), 7u);
  EXPECT_EQ(Pc(), 0xC123);
  EXPECT_EQ(CPU.S, 0xFC);
  EXPECT_EQ(CPU.Memory[0x01FF], 0x80);
  EXPECT_EQ(CPU.Memory[0x01FE], 0x42);  // BRK skips a padding byte
  EXPECT_EQ(CPU.Memory[0x01FD], C | B);
  EXPECT_EQ(CPU.FLAGS, C | B | I);

  Execute(0xC123, {0x08});  // PHP shows the break bit still set
  EXPECT_EQ(CPU.Memory[0x01FC], C | B | I);
}

TEST_F(ControlTest, RtiRestoresFlagsAsPulledAndTheExactReturnAddress) {
  CPU.S = 0xFC;
  CPU.Memory[0x01FD] = 0x30 | C;
  CPU.Memory[0x01FE] = 0x42;
  CPU.Memory[0x01FF] = 0x80;
  EXPECT_EQ(Execute(0xC000, {0x40}), 6u);
  EXPECT_EQ(CPU.FLAGS, 0x30 | C);
  EXPECT_EQ(Pc(), 0x8042);
  EXPECT_EQ(CPU.S, 0xFF);
}

TEST_F(ControlTest, UndocumentedOpcodesAreOneByteNoOps) {
  CPU.AC = 1;
  CPU.XR = 2;
  CPU.YR = 3;
  CPU.FLAGS = 0x5A;
  EXPECT_EQ(Execute({0x02}), 0u);
  EXPECT_EQ(Pc(), 0x8001);
  EXPECT_EQ(Execute({0xFF}), 2u);
  EXPECT_EQ(Pc(), 0x8001);
  EXPECT_EQ(Execute({0x9E, 0x00, 0x02}), 0u);  // would be a store on a 6502
  EXPECT_EQ(CPU.Memory[0x0200], 0);
  EXPECT_EQ(Execute({0xEA}), 2u);  // NOP
  EXPECT_EQ(Pc(), 0x8001);
  EXPECT_EQ(CPU.AC, 1);
  EXPECT_EQ(CPU.XR, 2);
  EXPECT_EQ(CPU.YR, 3);
  EXPECT_EQ(CPU.FLAGS, 0x5A);
  EXPECT_EQ(CPU.S, 0xFF);
}

}  // namespace
