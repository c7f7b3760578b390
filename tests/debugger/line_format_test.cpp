// Listing lines byte for byte, one group per addressing mode. The expected
// text is written out by hand: address, hex column, the mnemonic starting at
// the 18th character, then the operand field.

#include "tests/debugger/program_windows.h"

namespace {

using LineFormat = ProgramWindows;

TEST_F(LineFormat, ImpliedPadsTheMnemonicColumnToTenCharacters) {
  Poke(0x8000, {0x18, 0x9A, 0x60, 0xEA});
  EXPECT_EQ(LineAt(0x8000), "8000: 18         CLC       ");
  EXPECT_EQ(LineAt(0x8001), "8001: 9A         TXS       ");
  EXPECT_EQ(LineAt(0x8002), "8002: 60         RTS       ");
  EXPECT_EQ(LineAt(0x8003), "8003: EA         NOP       ");
}

TEST_F(LineFormat, AccumulatorShowsA) {
  Poke(0xC000, {0x0A, 0x4A, 0x2A, 0x6A});
  EXPECT_EQ(LineAt(0xC000), "C000: 0A         ASL A     ");
  EXPECT_EQ(LineAt(0xC001), "C001: 4A         LSR A     ");
  EXPECT_EQ(LineAt(0xC002), "C002: 2A         ROL A     ");
  EXPECT_EQ(LineAt(0xC003), "C003: 6A         ROR A     ");
}

TEST_F(LineFormat, BreakShowsTheVectorAtFFFE) {
  Poke(0xFFFE, {0x34, 0x12});
  Poke(0x9000, {0x00});
  EXPECT_EQ(LineAt(0x9000), "9000: 00         BRK $1234");
  Poke(0xFFFE, {0x00, 0xC0});
  EXPECT_EQ(LineAt(0x9000), "9000: 00         BRK $C000");
}

TEST_F(LineFormat, UndefinedOpcodeIsQuestionMarks) {
  Poke(0xA123, {0x02});
  EXPECT_EQ(LineAt(0xA123), "A123: 02         ???       ");
}

TEST_F(LineFormat, ImmediateAndZeroPage) {
  Poke(0x8000, {0xA9, 0x7F, 0xE0, 0x00, 0xA5, 0x10, 0x86, 0xFF});
  EXPECT_EQ(LineAt(0x8000), "8000: A9 7F      LDA #$7F");
  EXPECT_EQ(LineAt(0x8002), "8002: E0 00      CPX #$00");
  EXPECT_EQ(LineAt(0x8004), "8004: A5 10      LDA $10");
  EXPECT_EQ(LineAt(0x8006), "8006: 86 FF      STX $FF");
}

TEST_F(LineFormat, ZeroPageIndexedAddsTheIndexRegister) {
  CPU.XR = 0x03;
  CPU.YR = 0x02;
  Poke(0x8000, {0xB5, 0x10, 0xB6, 0x10, 0x94, 0x0A, 0x96, 0x7E});
  EXPECT_EQ(LineAt(0x8000), "8000: B5 10      LDA $13, X");
  EXPECT_EQ(LineAt(0x8002), "8002: B6 10      LDX $12, Y");
  EXPECT_EQ(LineAt(0x8004), "8004: 94 0A      STY $0D, X");
  EXPECT_EQ(LineAt(0x8006), "8006: 96 7E      STX $80, Y");
}

// The sum is shown as it is, not wrapped within the zero page or 64 KB.
TEST_F(LineFormat, IndexedSumIsNotReduced) {
  CPU.XR = 0x20;
  CPU.YR = 0xFF;
  Poke(0x8000, {0xB5, 0xF0, 0xB6, 0xFF, 0xBD, 0xFF, 0xFF, 0xB9, 0xF0, 0xFF});
  EXPECT_EQ(LineAt(0x8000), "8000: B5 F0      LDA $110, X");
  EXPECT_EQ(LineAt(0x8002), "8002: B6 FF      LDX $1FE, Y");
  EXPECT_EQ(LineAt(0x8004), "8004: BD FF FF   LDA $1001F, X");
  EXPECT_EQ(LineAt(0x8007), "8007: B9 F0 FF   LDA $100EF, Y");
}

TEST_F(LineFormat, IndirectModesShowTheBareOperandByte) {
  CPU.XR = 0x05;
  CPU.YR = 0x07;
  Poke(0x8000, {0xA1, 0x40, 0x91, 0xFE, 0x6C, 0xFC, 0x3F});
  EXPECT_EQ(LineAt(0x8000), "8000: A1 40      LDA ($40, X)");
  EXPECT_EQ(LineAt(0x8002), "8002: 91 FE      STA ($FE), Y");
  EXPECT_EQ(LineAt(0x8004), "8004: 6C FC 3F   JMP ($3FFC)");
}

TEST_F(LineFormat, Absolute) {
  Poke(0x8000, {0xAD, 0x34, 0x12, 0x20, 0x00, 0xC0, 0x4C, 0x05, 0x80, 0x2C, 0x02, 0x20});
  EXPECT_EQ(LineAt(0x8000), "8000: AD 34 12   LDA $1234");
  EXPECT_EQ(LineAt(0x8003), "8003: 20 00 C0   JSR $C000");
  EXPECT_EQ(LineAt(0x8006), "8006: 4C 05 80   JMP $8005");
  EXPECT_EQ(LineAt(0x8009), "8009: 2C 02 20   BIT $2002");
}

TEST_F(LineFormat, AbsoluteIndexedAddsTheIndexRegister) {
  CPU.XR = 0x10;
  CPU.YR = 0x01;
  Poke(0x8000, {0xBD, 0x34, 0x12, 0xB9, 0x34, 0x12, 0x1D, 0x00, 0x03, 0xBE, 0x00, 0x02});
  EXPECT_EQ(LineAt(0x8000), "8000: BD 34 12   LDA $1244, X");
  EXPECT_EQ(LineAt(0x8003), "8003: B9 34 12   LDA $1235, Y");
  EXPECT_EQ(LineAt(0x8006), "8006: 1D 00 03   ORA $0310, X");
  EXPECT_EQ(LineAt(0x8009), "8009: BE 00 02   LDX $0201, Y");
}

// AND $3D, AND $39 and ASL $1E list the operand without the index.
TEST_F(LineFormat, ThreeAbsoluteIndexedOpcodesShowTheBareOperand) {
  CPU.XR = 0x55;
  CPU.YR = 0x66;
  Poke(0x8000, {0x3D, 0x34, 0x12, 0x39, 0x34, 0x12, 0x1E, 0x34, 0x12, 0x3E, 0x34, 0x12});
  EXPECT_EQ(LineAt(0x8000), "8000: 3D 34 12   AND $1234, X");
  EXPECT_EQ(LineAt(0x8003), "8003: 39 34 12   AND $1234, Y");
  EXPECT_EQ(LineAt(0x8006), "8006: 1E 34 12   ASL $1234, X");
  EXPECT_EQ(LineAt(0x8009), "8009: 3E 34 12   ROL $1289, X");
}

TEST_F(LineFormat, BranchTargetsCountFromTheNextInstructionAndWrap) {
  Poke(0x8000, {0xD0, 0xFE});
  EXPECT_EQ(LineAt(0x8000), "8000: D0 FE      BNE $8000");
  Poke(0x8010, {0x10, 0x80});
  EXPECT_EQ(LineAt(0x8010), "8010: 10 80      BPL $7F92");
  Poke(0xFFF0, {0x10, 0x7F});
  EXPECT_EQ(LineAt(0xFFF0), "FFF0: 10 7F      BPL $0071");
  Poke(0x0004, {0xB0, 0xF0});
  EXPECT_EQ(LineAt(0x0004), "0004: B0 F0      BCS $FFF6");
  Poke(0x9000, {0xF0, 0x00, 0x30, 0x7F});
  EXPECT_EQ(LineAt(0x9000), "9000: F0 00      BEQ $9002");
  EXPECT_EQ(LineAt(0x9002), "9002: 30 7F      BMI $9083");
}

TEST_F(LineFormat, LongestLineIsThirtyCharacters) {
  CPU.XR = 0xFF;
  Poke(0xFFFD, {0xFD, 0xFF, 0xFF});
  const std::string line = LineAt(0xFFFD);
  EXPECT_EQ(line, "FFFD: FD FF FF   SBC $100FE, X");
  EXPECT_EQ(line.size(), 30u);
}

}  // namespace
