// The cycle and length tables against the instruction set's own tables, and
// both handler tables charging exactly those for every opcode.

#include <cstring>

#include "tests/cpu/test_board.h"

namespace {

// Base cycles: documented 6502 counts; undocumented opcodes 0 below $A0 and
// 2 from $A0 on.
constexpr unsigned char kExpectedCycles[256] = {
    // 0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F
    7, 6, 0, 0, 0, 3, 5, 0, 3, 2, 2, 0, 0, 4, 6, 0,  // 0
    2, 5, 0, 0, 0, 4, 6, 0, 2, 4, 0, 0, 0, 4, 7, 0,  // 1
    6, 6, 0, 0, 3, 3, 5, 0, 4, 2, 2, 0, 4, 4, 6, 0,  // 2
    2, 5, 0, 0, 0, 4, 6, 0, 2, 4, 0, 0, 0, 4, 7, 0,  // 3
    6, 6, 0, 0, 0, 3, 5, 0, 3, 2, 2, 0, 3, 4, 6, 0,  // 4
    2, 5, 0, 0, 0, 4, 6, 0, 2, 4, 0, 0, 0, 4, 7, 0,  // 5
    6, 6, 0, 0, 0, 3, 5, 0, 4, 2, 2, 0, 5, 4, 6, 0,  // 6
    2, 5, 0, 0, 0, 4, 6, 0, 2, 4, 0, 0, 0, 4, 7, 0,  // 7
    0, 6, 0, 0, 3, 3, 3, 0, 2, 0, 2, 0, 4, 4, 4, 0,  // 8
    2, 6, 0, 0, 4, 4, 4, 0, 2, 5, 2, 0, 0, 5, 0, 0,  // 9
    2, 6, 2, 2, 3, 3, 3, 2, 2, 2, 2, 2, 4, 4, 4, 2,  // A
    2, 5, 2, 2, 4, 4, 4, 2, 2, 4, 2, 2, 4, 4, 4, 2,  // B
    2, 6, 2, 2, 3, 3, 5, 2, 2, 2, 2, 2, 4, 4, 6, 2,  // C
    2, 5, 2, 2, 2, 4, 6, 2, 2, 4, 2, 2, 2, 4, 7, 2,  // D
    2, 6, 2, 2, 3, 3, 5, 2, 2, 2, 2, 2, 4, 4, 6, 2,  // E
    2, 5, 2, 2, 2, 4, 6, 2, 2, 4, 2, 2, 2, 4, 7, 2,  // F
};

// Instruction lengths; 0 for the six that set PC themselves (BRK, JSR, RTI,
// JMP, RTS, JMP indirect); 1 for every undocumented opcode.
constexpr unsigned char kExpectedBytes[256] = {
    // 0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F
    0, 2, 1, 1, 1, 2, 2, 1, 1, 2, 1, 1, 1, 3, 3, 1,  // 0
    2, 2, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 1, 3, 3, 1,  // 1
    0, 2, 1, 1, 2, 2, 2, 1, 1, 2, 1, 1, 3, 3, 3, 1,  // 2
    2, 2, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 1, 3, 3, 1,  // 3
    0, 2, 1, 1, 1, 2, 2, 1, 1, 2, 1, 1, 0, 3, 3, 1,  // 4
    2, 2, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 1, 3, 3, 1,  // 5
    0, 2, 1, 1, 1, 2, 2, 1, 1, 2, 1, 1, 0, 3, 3, 1,  // 6
    2, 2, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 1, 3, 3, 1,  // 7
    1, 2, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 3, 3, 3, 1,  // 8
    2, 2, 1, 1, 2, 2, 2, 1, 1, 3, 1, 1, 1, 3, 1, 1,  // 9
    2, 2, 2, 1, 2, 2, 2, 1, 1, 2, 1, 1, 3, 3, 3, 1,  // A
    2, 2, 1, 1, 2, 2, 2, 1, 1, 3, 1, 1, 3, 3, 3, 1,  // B
    2, 2, 1, 1, 2, 2, 2, 1, 1, 2, 1, 1, 3, 3, 3, 1,  // C
    2, 2, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 1, 3, 3, 1,  // D
    2, 2, 1, 1, 2, 2, 2, 1, 1, 2, 1, 1, 3, 3, 3, 1,  // E
    2, 2, 1, 1, 1, 2, 2, 1, 1, 3, 1, 1, 1, 3, 3, 1,  // F
};

constexpr bool IsBranch(unsigned int opcode) {
  return (opcode & 0x1F) == 0x10;
}

TEST(OpcodeTables, CyclesMatchTheInstructionSet) {
  for (unsigned int opcode = 0; opcode < 256; ++opcode)
    EXPECT_EQ(OpcodeCycles[opcode], kExpectedCycles[opcode]) << "opcode " << std::hex << opcode;
}

TEST(OpcodeTables, BytesMatchTheInstructionSet) {
  for (unsigned int opcode = 0; opcode < 256; ++opcode)
    EXPECT_EQ(OpcodeBytes[opcode], kExpectedBytes[opcode]) << "opcode " << std::hex << opcode;
}

TEST(OpcodeTables, ZeroAndNegativeBits) {
  EXPECT_EQ(ZNTable[0x00], 0x02);
  for (unsigned int v = 0x01; v < 0x80; ++v) EXPECT_EQ(ZNTable[v], 0) << v;
  for (unsigned int v = 0x80; v < 0x100; ++v) EXPECT_EQ(ZNTable[v], 0x80) << v;
}

class HandlerTablesTest : public CpuTest {
 protected:
  // A state in which no opcode crosses a page, branches are not taken and
  // every control transfer lands somewhere known.
  static void Prepare(unsigned int opcode) {
    std::memset(CPU.Memory, 0, sizeof CPU.Memory);
    CPU.AC = CPU.XR = CPU.YR = 0;
    CPU.S = 0xFF;
    CPU.Cycles = 0;
    // Not-taken flags for each branch: BPL/BVC/BCC/BNE need their flag set.
    const unsigned char branch_flag[8] = {0x80, 0, 0x40, 0, 0x01, 0, 0x02, 0};
    CPU.FLAGS = IsBranch(opcode) ? branch_flag[opcode >> 5] : 0;
    Place(0x8000, {static_cast<unsigned char>(opcode), 0x00, 0x02});
    CPU.PC = 0x8000;
  }
};

TEST_F(HandlerTablesTest, BothTablesChargeTheBaseCyclesAndAdvancePc) {
  for (unsigned int opcode = 0; opcode < 256; ++opcode) {
    const bool sets_pc = kExpectedBytes[opcode] == 0;
    Prepare(opcode);
    OpcodeJumpTable[opcode]();
    EXPECT_EQ(Cycles(), kExpectedCycles[opcode]) << "step, opcode " << std::hex << opcode;
    if (!sets_pc) {
      EXPECT_EQ(Pc(), 0x8000 + kExpectedBytes[opcode]) << "step, opcode " << std::hex << opcode;
    }
    const unsigned short step_pc = CPU.PC;
    const _6502 after_step = CPU;

    Prepare(opcode);
    EXPECT_FALSE(OpcodeJumpTable2[opcode]()) << "run, opcode " << std::hex << opcode;
    EXPECT_EQ(Cycles(), kExpectedCycles[opcode]) << "run, opcode " << std::hex << opcode;
    EXPECT_EQ(Pc(), step_pc) << "run, opcode " << std::hex << opcode;
    EXPECT_EQ(std::memcmp(&CPU, &after_step, sizeof CPU), 0) << "opcode " << std::hex << opcode;
  }
}

}  // namespace
