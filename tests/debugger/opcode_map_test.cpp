// Every opcode against the published NMOS 6502 opcode map: the mnemonic, the
// shape of the operand field for its addressing mode, and the instruction
// length by which PC moves. Undocumented opcodes are one-byte "???" lines.

#include <cstdio>
#include <set>
#include <string_view>

#include "tests/debugger/program_windows.h"

namespace {

// Row = high nibble, column = low nibble. Modes: imp implied, acc
// accumulator, imm #, zp, zpx, zpy, izx (zp,X), izy (zp),Y, rel, abs, abx,
// aby, ind (abs). "---" marks an undocumented opcode.
constexpr std::string_view kOpcodeMap[16][16] = {
    {"BRK imp", "ORA izx", "---", "---", "---", "ORA zp", "ASL zp", "---", "PHP imp", "ORA imm",
     "ASL acc", "---", "---", "ORA abs", "ASL abs", "---"},
    {"BPL rel", "ORA izy", "---", "---", "---", "ORA zpx", "ASL zpx", "---", "CLC imp", "ORA aby",
     "---", "---", "---", "ORA abx", "ASL abx", "---"},
    {"JSR abs", "AND izx", "---", "---", "BIT zp", "AND zp", "ROL zp", "---", "PLP imp", "AND imm",
     "ROL acc", "---", "BIT abs", "AND abs", "ROL abs", "---"},
    {"BMI rel", "AND izy", "---", "---", "---", "AND zpx", "ROL zpx", "---", "SEC imp", "AND aby",
     "---", "---", "---", "AND abx", "ROL abx", "---"},
    {"RTI imp", "EOR izx", "---", "---", "---", "EOR zp", "LSR zp", "---", "PHA imp", "EOR imm",
     "LSR acc", "---", "JMP abs", "EOR abs", "LSR abs", "---"},
    {"BVC rel", "EOR izy", "---", "---", "---", "EOR zpx", "LSR zpx", "---", "CLI imp", "EOR aby",
     "---", "---", "---", "EOR abx", "LSR abx", "---"},
    {"RTS imp", "ADC izx", "---", "---", "---", "ADC zp", "ROR zp", "---", "PLA imp", "ADC imm",
     "ROR acc", "---", "JMP ind", "ADC abs", "ROR abs", "---"},
    {"BVS rel", "ADC izy", "---", "---", "---", "ADC zpx", "ROR zpx", "---", "SEI imp", "ADC aby",
     "---", "---", "---", "ADC abx", "ROR abx", "---"},
    {"---", "STA izx", "---", "---", "STY zp", "STA zp", "STX zp", "---", "DEY imp", "---",
     "TXA imp", "---", "STY abs", "STA abs", "STX abs", "---"},
    {"BCC rel", "STA izy", "---", "---", "STY zpx", "STA zpx", "STX zpy", "---", "TYA imp",
     "STA aby", "TXS imp", "---", "---", "STA abx", "---", "---"},
    {"LDY imm", "LDA izx", "LDX imm", "---", "LDY zp", "LDA zp", "LDX zp", "---", "TAY imp",
     "LDA imm", "TAX imp", "---", "LDY abs", "LDA abs", "LDX abs", "---"},
    {"BCS rel", "LDA izy", "---", "---", "LDY zpx", "LDA zpx", "LDX zpy", "---", "CLV imp",
     "LDA aby", "TSX imp", "---", "LDY abx", "LDA abx", "LDX aby", "---"},
    {"CPY imm", "CMP izx", "---", "---", "CPY zp", "CMP zp", "DEC zp", "---", "INY imp", "CMP imm",
     "DEX imp", "---", "CPY abs", "CMP abs", "DEC abs", "---"},
    {"BNE rel", "CMP izy", "---", "---", "---", "CMP zpx", "DEC zpx", "---", "CLD imp", "CMP aby",
     "---", "---", "---", "CMP abx", "DEC abx", "---"},
    {"CPX imm", "SBC izx", "---", "---", "CPX zp", "SBC zp", "INC zp", "---", "INX imp", "SBC imm",
     "NOP imp", "---", "CPX abs", "SBC abs", "INC abs", "---"},
    {"BEQ rel", "SBC izy", "---", "---", "---", "SBC zpx", "INC zpx", "---", "SED imp", "SBC aby",
     "---", "---", "---", "SBC abx", "INC abx", "---"},
};

std::string_view Entry(int code) {
  return kOpcodeMap[code >> 4][code & 15];
}
bool Documented(int code) {
  return Entry(code) != "---";
}
std::string_view MnemonicOf(int code) {
  return Entry(code).substr(0, 3);
}
std::string_view ModeOf(int code) {
  return Entry(code).substr(4);
}

unsigned int LengthOf(int code) {
  if (!Documented(code)) return 1;
  const std::string_view mode = ModeOf(code);
  if (mode == "imp" || mode == "acc") return 1;
  if (mode == "abs" || mode == "abx" || mode == "aby" || mode == "ind") return 3;
  return 2;
}

// What follows the mnemonic with operand bytes $12 $34 at $8000, XR = 5 and
// YR = 7. Lines without an operand field pad the mnemonic column to ten.
std::string AfterMnemonic(int code) {
  const std::string_view mode = ModeOf(code);
  const bool bareIndex = code == 0x3D || code == 0x39 || code == 0x1E;
  if (MnemonicOf(code) == "BRK") return " $C0DE";
  if (mode == "imp") return "       ";
  if (mode == "acc") return " A     ";
  if (mode == "imm") return " #$12";
  if (mode == "zp") return " $12";
  if (mode == "zpx") return " $17, X";
  if (mode == "zpy") return " $19, Y";
  if (mode == "izx") return " ($12, X)";
  if (mode == "izy") return " ($12), Y";
  if (mode == "rel") return " $8014";
  if (mode == "abs") return " $3412";
  if (mode == "abx") return bareIndex ? " $3412, X" : " $3417, X";
  if (mode == "aby") return bareIndex ? " $3412, Y" : " $3419, Y";
  if (mode == "ind") return " ($3412)";
  ADD_FAILURE() << "unknown mode " << mode;
  return "";
}

std::string HexColumn(int code) {
  static const char* const kOperandBytes[] = {"", " 12", " 12 34"};
  char head[8];
  std::snprintf(head, sizeof head, "%02X", code);
  return std::string(head) + kOperandBytes[LengthOf(code) - 1];
}

using OpcodeMap = ProgramWindows;

TEST(OpcodeMapTable, HoldsTheFiftySixMnemonicsIn151Opcodes) {
  std::set<std::string_view> mnemonics;
  int documented = 0;
  for (int code = 0; code < 256; ++code) {
    if (!Documented(code)) continue;
    ++documented;
    mnemonics.insert(MnemonicOf(code));
  }
  EXPECT_EQ(documented, 151);
  EXPECT_EQ(mnemonics.size(), 56u);
}

TEST_F(OpcodeMap, EveryDocumentedOpcodeShowsItsMnemonicAndMode) {
  CPU.XR = 5;
  CPU.YR = 7;
  Poke(0xFFFE, {0xDE, 0xC0});
  std::set<std::string> seen;
  for (int code = 0; code < 256; ++code) {
    if (!Documented(code)) continue;
    Poke(0x8000, {static_cast<unsigned char>(code), 0x12, 0x34});
    const std::string line = LineAt(0x8000);
    SCOPED_TRACE(line);
    EXPECT_EQ(opcode, code);
    EXPECT_EQ(line.substr(0, 6 + HexColumn(code).size()), "8000: " + HexColumn(code));
    EXPECT_EQ(line.substr(17, 3), MnemonicOf(code));
    EXPECT_EQ(line.substr(20), AfterMnemonic(code));
    seen.insert(line.substr(17, 3));
  }
  EXPECT_EQ(seen.size(), 56u);
}

TEST_F(OpcodeMap, UndocumentedOpcodesAreOneByteQuestionMarks) {
  for (int code = 0; code < 256; ++code) {
    if (Documented(code)) continue;
    Poke(0x8000, {static_cast<unsigned char>(code), 0xA9, 0x00});
    char expected[32];
    std::snprintf(expected, sizeof expected, "8000: %02X         ???       ", code);
    EXPECT_EQ(LineAt(0x8000), expected);
    EXPECT_EQ(CPU.PC, 0x8001) << std::hex << code;
    EXPECT_EQ(opcode, code);
  }
}

TEST_F(OpcodeMap, TheNamedUndefinedOpcodesAdvanceByOne) {
  Poke(0xC000, {0x02, 0x80, 0xFF});
  EXPECT_EQ(LineAt(0xC000), "C000: 02         ???       ");
  EXPECT_EQ(CPU.PC, 0xC001);
  EXPECT_EQ(LineAt(0xC001), "C001: 80         ???       ");
  EXPECT_EQ(CPU.PC, 0xC002);
  EXPECT_EQ(LineAt(0xC002), "C002: FF         ???       ");
  EXPECT_EQ(CPU.PC, 0xC003);
}

TEST_F(OpcodeMap, PCAdvancesByTheInstructionLengthForAll256Opcodes) {
  for (int code = 0; code < 256; ++code) {
    const unsigned int length = LengthOf(code);
    Poke(0x8000, {static_cast<unsigned char>(code)});
    LineAt(0x8000);
    EXPECT_EQ(CPU.PC, 0x8000 + length) << std::hex << code;
    Poke(0xFFFF, {static_cast<unsigned char>(code)});
    LineAt(0xFFFF);
    EXPECT_EQ(CPU.PC, (0xFFFF + length) & 0xFFFF) << std::hex << code;
  }
}

// A routine handed an opcode that is not its own still writes a line.
TEST_F(OpcodeMap, RoutineGivenAForeignOpcodeListsItAsUndefined) {
  Poke(0x8000, {0xA9, 0x01});
  CPU.PC = 0x8000;
  opcode = 0xA9;
  char line[kDisassemblyLineSize];
  LDXdisplay(line);
  EXPECT_STREQ(line, "8000: A9         ???       ");
  EXPECT_EQ(CPU.PC, 0x8001);
}

}  // namespace
