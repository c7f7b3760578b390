#include "debugger/addressing_modes.h"

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "cpu/bus.h"
#include "cpu/cpu.h"
#include "cpu/opcode_table.h"
#include "debugger/disassembler.h"

namespace listing {

// The listing follows the CPU: code copied to RAM lists as it will run.
unsigned char ProgramByte(unsigned int address) {
  return cpu::Fetch(address & 0xFFFF);
}

namespace {

using cpu::Mode;

// The bytes of the instruction at PC, each fetched from its own address so
// that an instruction straddling two windows or $FFFF reads the right ones.
struct Fetched {
  unsigned int address;
  unsigned int length;
  unsigned int b[3];
  unsigned int Word() const { return b[1] | (b[2] << 8); }
};

Fetched Fetch(unsigned int length) {
  const unsigned int p = CPU.PC;
  Fetched f{p, length, {0, 0, 0}};
  for (unsigned int i = 0; i < length; ++i) f.b[i] = ProgramByte(p + i);
  CPU.PC = static_cast<unsigned short>(p + length);
  return f;
}

// The branch offset is a signed byte counted from the following instruction.
unsigned int BranchTarget(const Fetched& f) {
  return (f.address + 2 + static_cast<signed char>(f.b[1])) & 0xFFFF;
}

// The word at $FFFE-$FFFF, low byte first: the vector BRK jumps through.
unsigned int BreakVector() {
  const unsigned int low = ProgramByte(0xFFFE);
  const unsigned int high = ProgramByte(0xFFFF);
  return low | (high << 8);
}

// What follows the mnemonic: a format with one value at most. Lines without
// an operand field pad the mnemonic column to ten characters.
struct OperandField {
  const char* format;
  unsigned int value;
};

// The indexed modes show operand plus index as a plain sum, not reduced to
// the page the processor would actually reach; the indirect modes show the
// bare operand.
OperandField FieldOf(const cpu::OpcodeInfo& info, const Fetched& f) {
  const unsigned int x = info.listsBareOperand ? 0 : CPU.XR;
  const unsigned int y = info.listsBareOperand ? 0 : CPU.YR;
  switch (info.mode) {
    case Mode::Implied:
      break;
    case Mode::Accumulator:
      return {" A     ", 0};
    case Mode::Immediate:
      return {" #$%02X", f.b[1]};
    case Mode::ZeroPage:
      return {" $%02X", f.b[1]};
    case Mode::ZeroPageX:
      return {" $%02X, X", f.b[1] + x};
    case Mode::ZeroPageY:
      return {" $%02X, Y", f.b[1] + y};
    case Mode::IndirectX:
      return {" ($%02X, X)", f.b[1]};
    case Mode::IndirectY:
      return {" ($%02X), Y", f.b[1]};
    case Mode::Relative:
      return {" $%04X", BranchTarget(f)};
    case Mode::Absolute:
      return {" $%04X", f.Word()};
    case Mode::AbsoluteX:
      return {" $%04X, X", f.Word() + x};
    case Mode::AbsoluteY:
      return {" $%04X, Y", f.Word() + y};
    case Mode::Indirect:
      return {" ($%04X)", f.Word()};
  }
  // BRK shows the vector it jumps through.
  if (std::strcmp(info.mnemonic, "BRK") == 0) return {" $%04X", BreakVector()};
  return {"       ", 0};
}

constexpr auto kSize = kDisassemblyLineSize;

// The listing is rebuilt whole after every load and run: the fixed-width
// hex columns are written directly, the operand field alone is formatted.
char* PutHex(char* out, unsigned int value, int digits) {
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
    *out++ = "0123456789ABCDEF"[(value >> shift) & 15];
  return out;
}

// The address, the opcode and operand bytes, padded so that the mnemonic
// starts at the 18th character.
constexpr int kMnemonicColumn = 17;

}  // namespace

void WriteInstruction(char* str, unsigned char code) {
  const cpu::OpcodeInfo& info = cpu::OpcodeDescription[code];
  const Fetched f = Fetch(cpu::LengthOf(info.mode));
  char* out = PutHex(str, f.address, 4);
  *out++ = ':';
  for (unsigned int i = 0; i < f.length; ++i) {
    *out++ = ' ';
    out = PutHex(out, f.b[i], 2);
  }
  std::memset(out, ' ', static_cast<std::size_t>(str + kMnemonicColumn - out));
  out = str + kMnemonicColumn;
  const std::size_t length = std::strlen(info.mnemonic);
  std::memcpy(out, info.mnemonic, length);
  out += length;
  const OperandField field = FieldOf(info, f);
  std::snprintf(out, static_cast<std::size_t>(str + kSize - out), field.format, field.value);
}

void WriteIfServed(char* str, const char* mnemonic) {
  if (std::strcmp(cpu::OpcodeDescription[opcode].mnemonic, mnemonic) == 0) {
    WriteInstruction(str, opcode);
  } else {
    WriteUndefined(str);
  }
}

// $FF, like every undocumented opcode, is described as a one-byte "???".
void WriteUndefined(char* str) {
  WriteInstruction(str, 0xFF);
}

}  // namespace listing
