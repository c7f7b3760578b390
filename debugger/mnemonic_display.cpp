// The routine of each mnemonic. Each lists the instruction at PC in the mode
// the opcode description gives opcode, when that opcode is one of the
// mnemonic's; an opcode that is not lists as undefined, so a routine called
// on its own still writes a line and moves PC.

#include <cstring>

#include "debugger/addressing_modes.h"
#include "debugger/disassembler.h"

// The 56 documented mnemonics, once.
// clang-format off
#define TAVIRO_MNEMONICS(X)                                                                   \
  X(ADC) X(AND) X(ASL) X(BCC) X(BCS) X(BEQ) X(BIT) X(BMI) X(BNE) X(BPL) X(BRK) X(BVC) X(BVS) \
  X(CLC) X(CLD) X(CLI) X(CLV) X(CMP) X(CPX) X(CPY) X(DEC) X(DEX) X(DEY) X(EOR) X(INC) X(INX) \
  X(INY) X(JMP) X(JSR) X(LDA) X(LDX) X(LDY) X(LSR) X(NOP) X(ORA) X(PHA) X(PHP) X(PLA) X(PLP) \
  X(ROL) X(ROR) X(RTI) X(RTS) X(SBC) X(SEC) X(SED) X(SEI) X(STA) X(STX) X(STY) X(TAX) X(TAY) \
  X(TSX) X(TXA) X(TXS) X(TYA)
// clang-format on

#define TAVIRO_DEFINE_DISPLAY(m)     \
  void m##display(char* str) {       \
    listing::WriteIfServed(str, #m); \
  }
TAVIRO_MNEMONICS(TAVIRO_DEFINE_DISPLAY)
#undef TAVIRO_DEFINE_DISPLAY

void UNDEFdisplay(char* str) {
  listing::WriteUndefined(str);
}

DisplayRoutine DisplayRoutineOf(const char* mnemonic) {
  struct Named {
    const char* mnemonic;
    DisplayRoutine routine;
  };
#define TAVIRO_NAME_DISPLAY(m) {#m, m##display},
  static constexpr Named kRoutines[] = {TAVIRO_MNEMONICS(TAVIRO_NAME_DISPLAY)};
#undef TAVIRO_NAME_DISPLAY
  for (const Named& named : kRoutines)
    if (std::strcmp(named.mnemonic, mnemonic) == 0) return named.routine;
  return UNDEFdisplay;
}
