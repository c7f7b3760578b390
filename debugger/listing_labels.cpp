#include "debugger/listing_labels.h"

#include "cpu/opcode_table.h"
#include "debugger/addressing_modes.h"
#include "debugger/loaded_symbols.h"

std::optional<unsigned> OperandAddress(unsigned address) {
  using cpu::Mode;
  const unsigned char opcode = listing::ProgramByte(address);
  const cpu::OpcodeInfo& info = cpu::OpcodeDescription[opcode];
  if (info.mnemonic[0] == '?') return std::nullopt;  // listed as one undefined byte
  const unsigned b1 = listing::ProgramByte(address + 1);
  const unsigned word = b1 | (listing::ProgramByte(address + 2) << 8);
  switch (info.mode) {
    case Mode::ZeroPage:
    case Mode::ZeroPageX:
    case Mode::ZeroPageY:
    case Mode::IndirectX:
    case Mode::IndirectY:
      return b1;
    case Mode::Absolute:
    case Mode::AbsoluteX:
    case Mode::AbsoluteY:
    case Mode::Indirect:
      return word;
    case Mode::Relative:
      return (address + 2 + static_cast<signed char>(b1)) & 0xFFFF;
    default:
      return std::nullopt;
  }
}

std::string DecorateListingLine(const std::string& line, unsigned address) {
  if (LoadedSymbols.Empty()) return line;
  std::string decorated = line;
  if (const std::optional<unsigned> operand = OperandAddress(address))
    if (const SymbolLabel* label = CurrentLabelAt(*operand)) decorated += " " + label->name;
  if (const SymbolLabel* own = CurrentLabelAt(address)) decorated += "  " + own->name + ":";
  return decorated;
}
