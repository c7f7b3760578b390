#include "debugger/disassembler.h"

#include <array>

#include "cpu/cpu.h"
#include "cpu/opcode_table.h"
#include "debugger/addressing_modes.h"

unsigned char opcode;

namespace {

// $00-$FE, each opcode to the routine of its mnemonic in the opcode
// description; $FF has no entry and, like every undocumented opcode, is
// listed as undefined.
using DisplayTable = std::array<DisplayRoutine, 0xFF>;

DisplayTable BuildDisplayTable() {
  DisplayTable table{};
  for (unsigned int code = 0; code < table.size(); ++code)
    table[code] = DisplayRoutineOf(cpu::OpcodeDescription[code].mnemonic);
  return table;
}

}  // namespace

void DisplayInstruction(char* str) {
  static const DisplayTable kDisplayTable = BuildDisplayTable();
  opcode = listing::ProgramByte(CPU.PC);
  if (opcode < kDisplayTable.size()) {
    kDisplayTable[opcode](str);
  } else {
    UNDEFdisplay(str);
  }
}
