#include "debugger/disassembler.h"

#include <array>
#include <initializer_list>

#include "cpu/cpu.h"
#include "debugger/addressing_modes.h"

unsigned char opcode;

namespace {

using DisplayRoutine = void (*)(char*);

// $00-$FE; $FF has no entry and, like every undocumented opcode, is listed as
// undefined.
using DisplayTable = std::array<DisplayRoutine, 0xFF>;

// The documented NMOS 6502 opcodes, by mnemonic.
constexpr DisplayTable BuildDisplayTable() {
  DisplayTable table{};
  for (DisplayRoutine& entry : table) entry = UNDEFdisplay;
  const auto serve = [&table](DisplayRoutine routine, std::initializer_list<int> opcodes) {
    for (const int code : opcodes) table[code] = routine;
  };
  serve(ADCdisplay, {0x61, 0x65, 0x69, 0x6D, 0x71, 0x75, 0x79, 0x7D});
  serve(ANDdisplay, {0x21, 0x25, 0x29, 0x2D, 0x31, 0x35, 0x39, 0x3D});
  serve(ASLdisplay, {0x06, 0x0A, 0x0E, 0x16, 0x1E});
  serve(BCCdisplay, {0x90});
  serve(BCSdisplay, {0xB0});
  serve(BEQdisplay, {0xF0});
  serve(BITdisplay, {0x24, 0x2C});
  serve(BMIdisplay, {0x30});
  serve(BNEdisplay, {0xD0});
  serve(BPLdisplay, {0x10});
  serve(BRKdisplay, {0x00});
  serve(BVCdisplay, {0x50});
  serve(BVSdisplay, {0x70});
  serve(CLCdisplay, {0x18});
  serve(CLDdisplay, {0xD8});
  serve(CLIdisplay, {0x58});
  serve(CLVdisplay, {0xB8});
  serve(CMPdisplay, {0xC1, 0xC5, 0xC9, 0xCD, 0xD1, 0xD5, 0xD9, 0xDD});
  serve(CPXdisplay, {0xE0, 0xE4, 0xEC});
  serve(CPYdisplay, {0xC0, 0xC4, 0xCC});
  serve(DECdisplay, {0xC6, 0xCE, 0xD6, 0xDE});
  serve(DEXdisplay, {0xCA});
  serve(DEYdisplay, {0x88});
  serve(EORdisplay, {0x41, 0x45, 0x49, 0x4D, 0x51, 0x55, 0x59, 0x5D});
  serve(INCdisplay, {0xE6, 0xEE, 0xF6, 0xFE});
  serve(INXdisplay, {0xE8});
  serve(INYdisplay, {0xC8});
  serve(JMPdisplay, {0x4C, 0x6C});
  serve(JSRdisplay, {0x20});
  serve(LDAdisplay, {0xA1, 0xA5, 0xA9, 0xAD, 0xB1, 0xB5, 0xB9, 0xBD});
  serve(LDXdisplay, {0xA2, 0xA6, 0xAE, 0xB6, 0xBE});
  serve(LDYdisplay, {0xA0, 0xA4, 0xAC, 0xB4, 0xBC});
  serve(LSRdisplay, {0x46, 0x4A, 0x4E, 0x56, 0x5E});
  serve(NOPdisplay, {0xEA});
  serve(ORAdisplay, {0x01, 0x05, 0x09, 0x0D, 0x11, 0x15, 0x19, 0x1D});
  serve(PHAdisplay, {0x48});
  serve(PHPdisplay, {0x08});
  serve(PLAdisplay, {0x68});
  serve(PLPdisplay, {0x28});
  serve(ROLdisplay, {0x26, 0x2A, 0x2E, 0x36, 0x3E});
  serve(RORdisplay, {0x66, 0x6A, 0x6E, 0x76, 0x7E});
  serve(RTIdisplay, {0x40});
  serve(RTSdisplay, {0x60});
  serve(SBCdisplay, {0xE1, 0xE5, 0xE9, 0xED, 0xF1, 0xF5, 0xF9, 0xFD});
  serve(SECdisplay, {0x38});
  serve(SEDdisplay, {0xF8});
  serve(SEIdisplay, {0x78});
  serve(STAdisplay, {0x81, 0x85, 0x8D, 0x91, 0x95, 0x99, 0x9D});
  serve(STXdisplay, {0x86, 0x8E, 0x96});
  serve(STYdisplay, {0x84, 0x8C, 0x94});
  serve(TAXdisplay, {0xAA});
  serve(TAYdisplay, {0xA8});
  serve(TSXdisplay, {0xBA});
  serve(TXAdisplay, {0x8A});
  serve(TXSdisplay, {0x9A});
  serve(TYAdisplay, {0x98});
  return table;
}

constexpr DisplayTable kDisplayTable = BuildDisplayTable();

}  // namespace

void DisplayInstruction(char* str) {
  opcode = listing::ProgramByte(CPU.PC);
  if (opcode < kDisplayTable.size()) {
    kDisplayTable[opcode](str);
  } else {
    UNDEFdisplay(str);
  }
}
