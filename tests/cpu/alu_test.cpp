// Arithmetic, logic, compares, BIT, shifts, increments, transfers and flag
// instructions: results and flags computed by hand from the 6502 definition.

#include "tests/cpu/test_board.h"

namespace {

constexpr unsigned char C = 0x01, Z = 0x02, I = 0x04, D = 0x08, B = 0x10, V = 0x40, N = 0x80;

class AluTest : public CpuTest {};

TEST_F(AluTest, AdcSetsCarryOverflowNegativeAndZero) {
  struct Case {
    unsigned char a, m, carry_in, result, flags;
  } cases[] = {
      {0x50, 0x50, 0, 0xA0, V | N},      // positive + positive overflows
      {0xFF, 0x01, 0, 0x00, C | Z},      // unsigned wrap, no signed overflow
      {0x80, 0x80, 0, 0x00, C | Z | V},  // negative + negative overflows
      {0x01, 0x01, 1, 0x03, 0},          // carry in
      {0x7F, 0x00, 1, 0x80, V | N},      // the carry alone overflows
  };
  for (const Case& c : cases) {
    CPU.AC = c.a;
    CPU.FLAGS = c.carry_in;
    Execute({0x69, c.m});  // ADC #m
    EXPECT_EQ(CPU.AC, c.result) << std::hex << int(c.a) << " + " << int(c.m);
    EXPECT_EQ(CPU.FLAGS, c.flags) << std::hex << int(c.a) << " + " << int(c.m);
  }
}

TEST_F(AluTest, AdcIgnoresTheDecimalBit) {
  CPU.AC = 0x09;
  CPU.FLAGS = D;
  Execute({0x69, 0x01});
  EXPECT_EQ(CPU.AC, 0x0A);
  EXPECT_EQ(CPU.FLAGS, D);
}

TEST_F(AluTest, SbcBorrowsThroughTheInvertedCarry) {
  struct Case {
    unsigned char a, m, carry_in, result, flags;
  } cases[] = {
      {0x00, 0x01, 1, 0xFF, N},      // borrow out clears carry
      {0x05, 0x03, 0, 0x01, C},      // carry clear subtracts one more
      {0x50, 0xB0, 1, 0xA0, V | N},  // positive - negative overflows
      {0x80, 0x01, 1, 0x7F, C | V},  // negative - positive overflows
      {0x42, 0x42, 1, 0x00, C | Z},
  };
  for (const Case& c : cases) {
    CPU.AC = c.a;
    CPU.FLAGS = c.carry_in;
    Execute({0xE9, c.m});  // SBC #m
    EXPECT_EQ(CPU.AC, c.result) << std::hex << int(c.a) << " - " << int(c.m);
    EXPECT_EQ(CPU.FLAGS, c.flags) << std::hex << int(c.a) << " - " << int(c.m);
  }
}

TEST_F(AluTest, LogicOperationsSetOnlyNegativeAndZero) {
  CPU.FLAGS = C | V | I;
  CPU.AC = 0xF0;
  Execute({0x29, 0x0F});  // AND #$0F
  EXPECT_EQ(CPU.AC, 0x00);
  EXPECT_EQ(CPU.FLAGS, C | V | I | Z);
  Execute({0x09, 0x81});  // ORA #$81
  EXPECT_EQ(CPU.AC, 0x81);
  EXPECT_EQ(CPU.FLAGS, C | V | I | N);
  Execute({0x49, 0xFF});  // EOR #$FF
  EXPECT_EQ(CPU.AC, 0x7E);
  EXPECT_EQ(CPU.FLAGS, C | V | I);
}

TEST_F(AluTest, ComparesSetCarryAndZeroAndLeaveTheRegister) {
  CPU.AC = 0x40;
  Execute({0xC9, 0x40});  // CMP #$40
  EXPECT_EQ(CPU.FLAGS, C | Z);
  Execute({0xC9, 0x41});  // $40 - $41 = $FF
  EXPECT_EQ(CPU.FLAGS, N);
  Execute({0xC9, 0x30});
  EXPECT_EQ(CPU.FLAGS, C);
  EXPECT_EQ(CPU.AC, 0x40);

  CPU.XR = 0x10;
  Execute({0xE0, 0x20});  // CPX #$20: $10 - $20 = $F0
  EXPECT_EQ(CPU.FLAGS, N);
  CPU.YR = 0x80;
  Execute({0xC0, 0x00});  // CPY #$00
  EXPECT_EQ(CPU.FLAGS, C | N);
}

TEST_F(AluTest, BitCopiesBits7And6AndTestsTheAccumulator) {
  CPU.Memory[0x0010] = 0xC0;
  CPU.AC = 0x01;
  CPU.FLAGS = C;
  Execute({0x24, 0x10});  // BIT $10
  EXPECT_EQ(CPU.FLAGS, C | N | V | Z);
  EXPECT_EQ(CPU.AC, 0x01);
  CPU.Memory[0x1234] = 0x01;
  Execute({0x2C, 0x34, 0x12});  // BIT $1234
  EXPECT_EQ(CPU.FLAGS, C);
}

TEST_F(AluTest, ShiftsAndRotatesOnTheAccumulator) {
  CPU.AC = 0x81;
  Execute({0x0A});  // ASL A
  EXPECT_EQ(CPU.AC, 0x02);
  EXPECT_EQ(CPU.FLAGS, C);

  CPU.AC = 0x01;
  CPU.FLAGS = 0;
  Execute({0x4A});  // LSR A
  EXPECT_EQ(CPU.AC, 0x00);
  EXPECT_EQ(CPU.FLAGS, C | Z);

  CPU.AC = 0x80;
  CPU.FLAGS = C;
  Execute({0x2A});  // ROL A: old carry into bit 0
  EXPECT_EQ(CPU.AC, 0x01);
  EXPECT_EQ(CPU.FLAGS, C);

  CPU.AC = 0x02;
  CPU.FLAGS = C;
  Execute({0x6A});  // ROR A: old carry into bit 7
  EXPECT_EQ(CPU.AC, 0x81);
  EXPECT_EQ(CPU.FLAGS, N);
  EXPECT_EQ(Pc(), 0x8001);
}

TEST_F(AluTest, ShiftsAndRotatesInMemory) {
  CPU.Memory[0x0010] = 0x40;
  EXPECT_EQ(Execute({0x06, 0x10}), 5u);  // ASL $10
  EXPECT_EQ(CPU.Memory[0x0010], 0x80);
  EXPECT_EQ(CPU.FLAGS, N);
  CPU.FLAGS = 0;
  CPU.XR = 1;
  CPU.Memory[0x0011] = 0x01;
  EXPECT_EQ(Execute({0x76, 0x10}), 6u);  // ROR $10,X
  EXPECT_EQ(CPU.Memory[0x0011], 0x00);
  EXPECT_EQ(CPU.FLAGS, C | Z);
  CPU.Memory[0x1234] = 0x55;
  EXPECT_EQ(Execute({0x2E, 0x34, 0x12}), 6u);  // ROL $1234 with carry set
  EXPECT_EQ(CPU.Memory[0x1234], 0xAB);
  EXPECT_EQ(CPU.FLAGS, N);
  EXPECT_EQ(Execute({0x4E, 0x34, 0x12}), 6u);  // LSR $1234
  EXPECT_EQ(CPU.Memory[0x1234], 0x55);
  EXPECT_EQ(CPU.FLAGS, C);
}

TEST_F(AluTest, IncrementsAndDecrementsWrapModulo256) {
  CPU.Memory[0x0010] = 0xFF;
  EXPECT_EQ(Execute({0xE6, 0x10}), 5u);  // INC $10
  EXPECT_EQ(CPU.Memory[0x0010], 0x00);
  EXPECT_EQ(CPU.FLAGS, Z);
  EXPECT_EQ(Execute({0xCE, 0x10, 0x00}), 6u);  // DEC $0010
  EXPECT_EQ(CPU.Memory[0x0010], 0xFF);
  EXPECT_EQ(CPU.FLAGS, N);

  CPU.XR = 0xFF;
  Execute({0xE8});  // INX
  EXPECT_EQ(CPU.XR, 0x00);
  EXPECT_EQ(CPU.FLAGS, Z);
  CPU.YR = 0x00;
  Execute({0x88});  // DEY
  EXPECT_EQ(CPU.YR, 0xFF);
  EXPECT_EQ(CPU.FLAGS, N);
  Execute({0xC8});  // INY
  EXPECT_EQ(CPU.YR, 0x00);
  Execute({0xCA});  // DEX
  EXPECT_EQ(CPU.XR, 0xFF);
}

TEST_F(AluTest, TransfersSetNegativeAndZeroExceptTxs) {
  CPU.AC = 0x80;
  Execute({0xAA});  // TAX
  EXPECT_EQ(CPU.XR, 0x80);
  EXPECT_EQ(CPU.FLAGS, N);
  Execute({0xA8});  // TAY
  EXPECT_EQ(CPU.YR, 0x80);
  CPU.XR = 0x00;
  Execute({0x8A});  // TXA
  EXPECT_EQ(CPU.AC, 0x00);
  EXPECT_EQ(CPU.FLAGS, Z);
  CPU.YR = 0x01;
  Execute({0x98});  // TYA
  EXPECT_EQ(CPU.AC, 0x01);
  EXPECT_EQ(CPU.FLAGS, 0);

  CPU.XR = 0x00;
  Execute({0x9A});  // TXS
  EXPECT_EQ(CPU.S, 0x00);
  EXPECT_EQ(CPU.FLAGS, 0);
  CPU.S = 0xF0;
  Execute({0xBA});  // TSX
  EXPECT_EQ(CPU.XR, 0xF0);
  EXPECT_EQ(CPU.FLAGS, N);
}

TEST_F(AluTest, FlagInstructionsChangeOneBitEach) {
  struct Case {
    unsigned char opcode, before, after;
  } cases[] = {
      {0x38, 0x00, C}, {0x18, 0xFF, 0xFF & ~C}, {0x78, 0x00, I},         {0x58, 0xFF, 0xFF & ~I},
      {0xF8, 0x00, D}, {0xD8, 0xFF, 0xFF & ~D}, {0xB8, 0xFF, 0xFF & ~V},
  };
  for (const Case& c : cases) {
    CPU.FLAGS = c.before;
    EXPECT_EQ(Execute({c.opcode}), 2u);
    EXPECT_EQ(CPU.FLAGS, c.after) << std::hex << int(c.opcode);
  }
}

TEST_F(AluTest, LoadsLeaveEveryFlagButNegativeAndZero) {
  CPU.FLAGS = C | I | D | B | 0x20 | V;
  Execute({0xA2, 0x00});  // LDX #0
  EXPECT_EQ(CPU.FLAGS, C | I | D | B | 0x20 | V | Z);
  Execute({0xA0, 0xFF});  // LDY #$FF
  EXPECT_EQ(CPU.FLAGS, C | I | D | B | 0x20 | V | N);
}

}  // namespace
