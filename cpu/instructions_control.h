#pragma once
// Branches, jumps, subroutines, BRK/RTI, the stack instructions and the
// flag instructions.

#include "cpu/addressing.h"
#include "cpu/flags.h"

namespace cpu {

// The completion step adds the instruction's 2 bytes on top of the offset.
// Branches never pay a page-crossing cycle.
template <unsigned char Flag, bool TakenWhenSet>
struct Branch {
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    if (((h.FLAGS & Flag) != 0) == TakenWhenSet) {
      h.PC = static_cast<unsigned short>(h.PC + static_cast<signed char>(OperandByte(h)));
      h.Cycles += 1;
    }
  }
};

struct Bpl : Branch<flags::kNegative, false> {
  static constexpr char kName[] = "BPL";
};
struct Bmi : Branch<flags::kNegative, true> {
  static constexpr char kName[] = "BMI";
};
struct Bvc : Branch<flags::kOverflow, false> {
  static constexpr char kName[] = "BVC";
};
struct Bvs : Branch<flags::kOverflow, true> {
  static constexpr char kName[] = "BVS";
};
struct Bcc : Branch<flags::kCarry, false> {
  static constexpr char kName[] = "BCC";
};
struct Bcs : Branch<flags::kCarry, true> {
  static constexpr char kName[] = "BCS";
};
struct Bne : Branch<flags::kZero, false> {
  static constexpr char kName[] = "BNE";
};
struct Beq : Branch<flags::kZero, true> {
  static constexpr char kName[] = "BEQ";
};

template <unsigned char Flag, bool On>
struct ChangeFlag {
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    SetFlag(h, Flag, On);
  }
};

struct Clc : ChangeFlag<flags::kCarry, false> {
  static constexpr char kName[] = "CLC";
};
struct Sec : ChangeFlag<flags::kCarry, true> {
  static constexpr char kName[] = "SEC";
};
struct Cli : ChangeFlag<flags::kInterrupt, false> {
  static constexpr char kName[] = "CLI";
};
struct Sei : ChangeFlag<flags::kInterrupt, true> {
  static constexpr char kName[] = "SEI";
};
struct Clv : ChangeFlag<flags::kOverflow, false> {
  static constexpr char kName[] = "CLV";
};
// The decimal bit is only stored: no instruction looks at it.
struct Cld : ChangeFlag<flags::kDecimal, false> {
  static constexpr char kName[] = "CLD";
};
struct Sed : ChangeFlag<flags::kDecimal, true> {
  static constexpr char kName[] = "SED";
};

struct Pha {
  static constexpr char kName[] = "PHA";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    Push(h, h.AC);
  }
};

// FLAGS goes on the stack as it is: no break bit is added here.
struct Php {
  static constexpr char kName[] = "PHP";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    Push(h, h.FLAGS);
  }
};

// PLA and PLP pull with a data read; RTS and RTI (below) read Memory.
[[gnu::always_inline]] inline unsigned char PullThroughRoute(Hot& h) {
  ++h.S;
  return ReadData(h, 0x0100 + h.S);
}

[[gnu::always_inline]] inline unsigned char PullFromMemory(Hot& h) {
  ++h.S;
  return CPU.Memory[0x0100 + h.S];
}

struct Pla {
  static constexpr char kName[] = "PLA";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.AC = PullThroughRoute(h);
    SetZN(h, h.AC);
  }
};

// All eight bits as pulled, bits 4 and 5 included.
struct Plp {
  static constexpr char kName[] = "PLP";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.FLAGS = PullThroughRoute(h);
  }
};

// The control transfers set PC themselves; the completion step adds nothing.
struct SetsProgramCounter {
  static constexpr bool kSetsPC = true;
};

struct Jmp : SetsProgramCounter {
  static constexpr char kName[] = "JMP";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    if constexpr (M == Mode::Absolute) {
      h.PC = static_cast<unsigned short>(OperandWord(h));
    } else {
      // The pointer never crosses a page: a pointer at $xxFF takes its high
      // byte from $xx00. Its bytes come from Memory, never from the board.
      const unsigned int pointer = OperandWord(h);
      const unsigned int high_address = (pointer & 0xFF00) | ((pointer + 1) & 0xFF);
      h.PC = static_cast<unsigned short>(CPU.Memory[pointer] | (CPU.Memory[high_address] << 8));
    }
  }
};

struct Jsr : SetsProgramCounter {
  static constexpr char kName[] = "JSR";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    const unsigned int return_address = (h.PC + 2u) & 0xFFFF;
    const unsigned int target = OperandWord(h);
    Push(h, static_cast<unsigned char>(return_address >> 8));
    Push(h, static_cast<unsigned char>(return_address));
    h.PC = static_cast<unsigned short>(target);
  }
};

struct Rts : SetsProgramCounter {
  static constexpr char kName[] = "RTS";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    const unsigned int low = PullFromMemory(h);
    const unsigned int high = PullFromMemory(h);
    h.PC = static_cast<unsigned short>((high << 8 | low) + 1);
  }
};

struct Rti : SetsProgramCounter {
  static constexpr char kName[] = "RTI";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.FLAGS = PullFromMemory(h);
    const unsigned int low = PullFromMemory(h);
    const unsigned int high = PullFromMemory(h);
    h.PC = static_cast<unsigned short>(high << 8 | low);
  }
};

// Kept on purpose: the break bit is set in FLAGS itself and stays set (a
// real 6502 sets it only in the pushed copy), so PHP and the debugger show it
// afterwards.
struct Brk : SetsProgramCounter {
  static constexpr char kName[] = "BRK";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    const unsigned int return_address = (h.PC + 2u) & 0xFFFF;
    Push(h, static_cast<unsigned char>(return_address >> 8));
    Push(h, static_cast<unsigned char>(return_address));
    h.FLAGS |= flags::kBreak;
    Push(h, h.FLAGS);
    h.FLAGS |= flags::kInterrupt;
    h.PC = static_cast<unsigned short>(Fetch16(0xFFFE));
  }
};

}  // namespace cpu
