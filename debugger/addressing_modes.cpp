#include "debugger/addressing_modes.h"

#include <cstdio>

#include "cpu/bus.h"
#include "cpu/cpu.h"
#include "debugger/disassembler.h"

namespace listing {

// The listing follows the CPU: code copied to RAM lists as it will run.
unsigned char ProgramByte(unsigned int address) {
  return cpu::Fetch(address & 0xFFFF);
}

namespace {

// The bytes of the instruction at PC, each fetched from its own address so
// that an instruction straddling two windows or $FFFF reads the right ones.
struct Fetched {
  unsigned int address;
  unsigned int b0;
  unsigned int b1;
  unsigned int b2;
  unsigned int Word() const { return b1 | (b2 << 8); }
};

Fetched Fetch(int length) {
  const unsigned int p = CPU.PC;
  Fetched f{p, ProgramByte(p), 0, 0};
  if (length >= 2) f.b1 = ProgramByte(p + 1);
  if (length >= 3) f.b2 = ProgramByte(p + 2);
  CPU.PC = static_cast<unsigned short>(p + length);
  return f;
}

// The branch offset is a signed byte counted from the following instruction.
unsigned int BranchTarget(const Fetched& f) {
  return (f.address + 2 + static_cast<signed char>(f.b1)) & 0xFFFF;
}

constexpr auto kSize = kDisassemblyLineSize;

}  // namespace

void WriteImplied(char* str, const char* mnemonic) {
  const Fetched f = Fetch(1);
  std::snprintf(str, kSize, "%04X: %02X         %s       ", f.address, f.b0, mnemonic);
}

void WriteAccumulator(char* str, const char* mnemonic) {
  const Fetched f = Fetch(1);
  std::snprintf(str, kSize, "%04X: %02X         %s A     ", f.address, f.b0, mnemonic);
}

void WriteBreak(char* str) {
  const Fetched f = Fetch(1);
  const unsigned int vector = ProgramByte(0xFFFE) | (ProgramByte(0xFFFF) << 8);
  std::snprintf(str, kSize, "%04X: %02X         BRK $%04X", f.address, f.b0, vector);
}

void WriteUndefined(char* str) {
  const Fetched f = Fetch(1);
  std::snprintf(str, kSize, "%04X: %02X         ???       ", f.address, f.b0);
}

void WriteImmediate(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s #$%02X", f.address, f.b0, f.b1, mnemonic,
                f.b1);
}

void WriteZeroPage(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s $%02X", f.address, f.b0, f.b1, mnemonic, f.b1);
}

// The indexed modes show operand plus index as a plain sum, not reduced to
// the page the processor would actually reach.
void WriteZeroPageX(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s $%02X, X", f.address, f.b0, f.b1, mnemonic,
                f.b1 + CPU.XR);
}

void WriteZeroPageY(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s $%02X, Y", f.address, f.b0, f.b1, mnemonic,
                f.b1 + CPU.YR);
}

void WriteIndirectX(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s ($%02X, X)", f.address, f.b0, f.b1, mnemonic,
                f.b1);
}

void WriteIndirectY(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s ($%02X), Y", f.address, f.b0, f.b1, mnemonic,
                f.b1);
}

void WriteRelative(char* str, const char* mnemonic) {
  const Fetched f = Fetch(2);
  std::snprintf(str, kSize, "%04X: %02X %02X      %s $%04X", f.address, f.b0, f.b1, mnemonic,
                BranchTarget(f));
}

void WriteAbsolute(char* str, const char* mnemonic) {
  const Fetched f = Fetch(3);
  std::snprintf(str, kSize, "%04X: %02X %02X %02X   %s $%04X", f.address, f.b0, f.b1, f.b2,
                mnemonic, f.Word());
}

void WriteAbsoluteX(char* str, const char* mnemonic) {
  const Fetched f = Fetch(3);
  std::snprintf(str, kSize, "%04X: %02X %02X %02X   %s $%04X, X", f.address, f.b0, f.b1, f.b2,
                mnemonic, f.Word() + CPU.XR);
}

void WriteAbsoluteY(char* str, const char* mnemonic) {
  const Fetched f = Fetch(3);
  std::snprintf(str, kSize, "%04X: %02X %02X %02X   %s $%04X, Y", f.address, f.b0, f.b1, f.b2,
                mnemonic, f.Word() + CPU.YR);
}

void WriteAbsoluteXBare(char* str, const char* mnemonic) {
  const Fetched f = Fetch(3);
  std::snprintf(str, kSize, "%04X: %02X %02X %02X   %s $%04X, X", f.address, f.b0, f.b1, f.b2,
                mnemonic, f.Word());
}

void WriteAbsoluteYBare(char* str, const char* mnemonic) {
  const Fetched f = Fetch(3);
  std::snprintf(str, kSize, "%04X: %02X %02X %02X   %s $%04X, Y", f.address, f.b0, f.b1, f.b2,
                mnemonic, f.Word());
}

void WriteIndirect(char* str, const char* mnemonic) {
  const Fetched f = Fetch(3);
  std::snprintf(str, kSize, "%04X: %02X %02X %02X   %s ($%04X)", f.address, f.b0, f.b1, f.b2,
                mnemonic, f.Word());
}

}  // namespace listing
