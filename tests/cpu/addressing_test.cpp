// Effective addresses and extra cycles of every addressing mode, checked
// with loads, stores and read-modify-write instructions.

#include "tests/cpu/test_board.h"

namespace {

class AddressingTest : public CpuTest {};

TEST_F(AddressingTest, ImmediateTakesTheOperandItself) {
  EXPECT_EQ(Execute({0xA9, 0x42}), 2u);  // LDA #$42
  EXPECT_EQ(CPU.AC, 0x42);
  EXPECT_EQ(Pc(), 0x8002);
}

TEST_F(AddressingTest, ZeroPageAndZeroPageIndexedWrapWithinPageZero) {
  CPU.Memory[0x0010] = 0x11;
  CPU.Memory[0x0110] = 0x99;             // must not be reached by the indexed forms
  EXPECT_EQ(Execute({0xA5, 0x10}), 3u);  // LDA $10
  EXPECT_EQ(CPU.AC, 0x11);

  CPU.XR = 0x20;
  EXPECT_EQ(Execute({0xB5, 0xF0}), 4u);  // LDA $F0,X -> $10
  EXPECT_EQ(CPU.AC, 0x11);

  CPU.YR = 0x20;
  EXPECT_EQ(Execute({0xB6, 0xF0}), 4u);  // LDX $F0,Y -> $10
  EXPECT_EQ(CPU.XR, 0x11);
}

TEST_F(AddressingTest, AbsoluteTakesALittleEndianOperand) {
  CPU.Memory[0x1234] = 0x77;
  EXPECT_EQ(Execute({0xAD, 0x34, 0x12}), 4u);  // LDA $1234
  EXPECT_EQ(CPU.AC, 0x77);
  EXPECT_EQ(Pc(), 0x8003);
}

TEST_F(AddressingTest, AbsoluteIndexedChargesACycleOnlyWhenThePageIsCrossed) {
  CPU.Memory[0x0210] = 0x01;
  CPU.Memory[0x0310] = 0x02;
  CPU.XR = 0x10;
  EXPECT_EQ(Execute({0xBD, 0x00, 0x02}), 4u);  // LDA $0200,X
  EXPECT_EQ(CPU.AC, 0x01);
  CPU.XR = 0x20;
  EXPECT_EQ(Execute({0xBD, 0xF0, 0x02}), 5u);  // LDA $02F0,X -> $0310
  EXPECT_EQ(CPU.AC, 0x02);
  CPU.YR = 0x20;
  EXPECT_EQ(Execute({0xB9, 0xF0, 0x02}), 5u);  // LDA $02F0,Y
  EXPECT_EQ(CPU.AC, 0x02);
  EXPECT_EQ(Execute({0xBE, 0xF0, 0x02}), 5u);  // LDX $02F0,Y
  EXPECT_EQ(CPU.XR, 0x02);
  CPU.XR = 0x20;
  EXPECT_EQ(Execute({0xBC, 0xF0, 0x02}), 5u);  // LDY $02F0,X
  EXPECT_EQ(CPU.YR, 0x02);
}

TEST_F(AddressingTest, AbsoluteIndexedWrapsAroundTheAddressSpace) {
  CPU.Memory[0x0010] = 0x5C;
  CPU.XR = 0x20;
  EXPECT_EQ(Execute({0xBD, 0xF0, 0xFF}), 5u);  // LDA $FFF0,X -> $0010
  EXPECT_EQ(CPU.AC, 0x5C);
}

TEST_F(AddressingTest, IndexedIndirectReadsThePointerFromZeroPage) {
  CPU.Memory[0x0014] = 0x00;
  CPU.Memory[0x0015] = 0x03;
  CPU.Memory[0x0300] = 0xAB;
  CPU.XR = 0x04;
  EXPECT_EQ(Execute({0xA1, 0x10}), 6u);  // LDA ($10,X)
  EXPECT_EQ(CPU.AC, 0xAB);
}

TEST_F(AddressingTest, IndexedIndirectPointerAtFFTakesItsHighByteFrom0100) {
  CPU.Memory[0x00FF] = 0x34;
  CPU.Memory[0x0100] = 0x12;
  CPU.Memory[0x0000] = 0x99;  // a page-wrapped pointer would use this
  CPU.Memory[0x1234] = 0x66;
  CPU.XR = 0x00;
  Execute({0xA1, 0xFF});  // LDA ($FF,X)
  EXPECT_EQ(CPU.AC, 0x66);
}

TEST_F(AddressingTest, IndexedIndirectWrapsThePointerAddressInPageZero) {
  CPU.Memory[0x0008] = 0x00;
  CPU.Memory[0x0009] = 0x04;
  CPU.Memory[0x0400] = 0x3C;
  CPU.XR = 0x10;
  Execute({0xA1, 0xF8});  // LDA ($F8,X): pointer at ($F8 + $10) AND $FF = $08
  EXPECT_EQ(CPU.AC, 0x3C);
}

TEST_F(AddressingTest, IndirectIndexedChargesACycleOnlyWhenThePageIsCrossed) {
  CPU.Memory[0x0020] = 0xF0;
  CPU.Memory[0x0021] = 0x02;
  CPU.Memory[0x02FF] = 0x01;
  CPU.Memory[0x0310] = 0x02;
  CPU.YR = 0x0F;
  EXPECT_EQ(Execute({0xB1, 0x20}), 5u);  // LDA ($20),Y -> $02FF
  EXPECT_EQ(CPU.AC, 0x01);
  CPU.YR = 0x20;
  EXPECT_EQ(Execute({0xB1, 0x20}), 6u);  // -> $0310
  EXPECT_EQ(CPU.AC, 0x02);
}

TEST_F(AddressingTest, IndirectIndexedPointerAtFFTakesItsHighByteFrom0100) {
  CPU.Memory[0x00FF] = 0x00;
  CPU.Memory[0x0100] = 0x05;
  CPU.Memory[0x0502] = 0x4D;
  CPU.YR = 0x02;
  Execute({0xB1, 0xFF});  // LDA ($FF),Y
  EXPECT_EQ(CPU.AC, 0x4D);
}

TEST_F(AddressingTest, StoresPayThePageCrossingCycle) {
  CPU.AC = 0x5A;
  CPU.XR = 0x10;
  EXPECT_EQ(Execute({0x9D, 0x00, 0x02}), 5u);  // STA $0200,X
  EXPECT_EQ(CPU.Memory[0x0210], 0x5A);
  CPU.XR = 0x20;
  EXPECT_EQ(Execute({0x9D, 0xF0, 0x02}), 6u);  // STA $02F0,X -> $0310
  EXPECT_EQ(CPU.Memory[0x0310], 0x5A);
  CPU.YR = 0x20;
  EXPECT_EQ(Execute({0x99, 0xF0, 0x03}), 6u);  // STA $03F0,Y -> $0410
  EXPECT_EQ(CPU.Memory[0x0410], 0x5A);

  CPU.Memory[0x0040] = 0xF0;
  CPU.Memory[0x0041] = 0x04;
  CPU.YR = 0x0F;
  EXPECT_EQ(Execute({0x91, 0x40}), 6u);  // STA ($40),Y -> $04FF
  EXPECT_EQ(CPU.Memory[0x04FF], 0x5A);
  CPU.YR = 0x10;
  EXPECT_EQ(Execute({0x91, 0x40}), 7u);  // -> $0500
  EXPECT_EQ(CPU.Memory[0x0500], 0x5A);
}

TEST_F(AddressingTest, ReadModifyWriteInstructionsPayThePageCrossingCycle) {
  CPU.Memory[0x0210] = 0x01;
  CPU.Memory[0x0310] = 0x41;
  CPU.XR = 0x10;
  EXPECT_EQ(Execute({0xFE, 0x00, 0x02}), 7u);  // INC $0200,X
  EXPECT_EQ(CPU.Memory[0x0210], 0x02);
  CPU.XR = 0x20;
  EXPECT_EQ(Execute({0xFE, 0xF0, 0x02}), 8u);  // INC $02F0,X -> $0310
  EXPECT_EQ(CPU.Memory[0x0310], 0x42);
  EXPECT_EQ(Execute({0x1E, 0xF0, 0x02}), 8u);  // ASL $02F0,X
  EXPECT_EQ(CPU.Memory[0x0310], 0x84);
}

TEST_F(AddressingTest, StoresAndReadModifyWriteReachAllFourRamCopies) {
  CPU.AC = 0x3E;
  Execute({0x85, 0x10});  // STA $10
  EXPECT_EQ(CPU.Memory[0x0810], 0x3E);
  EXPECT_EQ(CPU.Memory[0x1010], 0x3E);
  EXPECT_EQ(CPU.Memory[0x1810], 0x3E);
  Execute({0xE6, 0x10});  // INC $10
  EXPECT_EQ(CPU.Memory[0x1810], 0x3F);
}

TEST_F(AddressingTest, ReadModifyWriteOnTheBoardIsOneReadAndOneWrite) {
  ram_board::program[0x1000] = 0x41;
  Execute({0xEE, 0x00, 0x90});  // INC $9000
  ASSERT_EQ(ram_board::calls.cpu_reads.size(), 1u);
  EXPECT_EQ(ram_board::calls.cpu_reads[0], 0x9000u);
  ASSERT_EQ(ram_board::calls.cpu_writes.size(), 1u);
  EXPECT_EQ(ram_board::calls.cpu_writes[0].first, 0x9000u);
  EXPECT_EQ(ram_board::calls.cpu_writes[0].second, 0x42);
}

}  // namespace
