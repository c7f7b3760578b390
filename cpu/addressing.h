#pragma once
// The addressing modes: operand fetch, effective address and the
// page-crossing cycle. Handlers are instantiated per mode, so none of this
// is decoded at run time.

#include "cpu/bus.h"

namespace cpu {

enum class Mode : unsigned char {
  Implied,
  Accumulator,
  Immediate,
  ZeroPage,
  ZeroPageX,
  ZeroPageY,
  Absolute,
  AbsoluteX,
  AbsoluteY,
  IndirectX,  // (zp,X)
  IndirectY,  // (zp),Y
  Relative,
  Indirect,  // JMP only
};

// Instruction length implied by the mode.
constexpr unsigned char LengthOf(Mode mode) {
  switch (mode) {
    case Mode::Implied:
    case Mode::Accumulator:
      return 1;
    case Mode::Absolute:
    case Mode::AbsoluteX:
    case Mode::AbsoluteY:
    case Mode::Indirect:
      return 3;
    default:
      return 2;
  }
}

template <Mode>
constexpr bool kUnsupportedMode = false;

[[gnu::always_inline]] inline unsigned char OperandByte(const Hot& h) {
  return Fetch(h.PC + 1u);
}
[[gnu::always_inline]] inline unsigned int OperandWord(const Hot& h) {
  return Fetch16(h.PC + 1u);
}

// Stores and read-modify-write instructions pay the page-crossing cycle as
// well as loads do.
[[gnu::always_inline]] inline unsigned int IndexAcrossPage(Hot& h, unsigned int base,
                                                           unsigned char index) {
  h.Cycles += ((base & 0xFF) + index) >> 8;
  return (base + index) & 0xFFFF;
}

// The pointer bytes come from Memory directly, never through a route, and
// the second byte is simply the next one: a pointer at $FF takes its high
// byte from $0100.
[[gnu::always_inline]] inline unsigned int PointerAt(unsigned int address) {
  return CPU.Memory[address] | (CPU.Memory[address + 1] << 8);
}

template <Mode M>
[[gnu::always_inline]] inline unsigned int EffectiveAddress(Hot& h) {
  if constexpr (M == Mode::ZeroPage) {
    return OperandByte(h);
  } else if constexpr (M == Mode::ZeroPageX) {
    return (OperandByte(h) + h.XR) & 0xFF;
  } else if constexpr (M == Mode::ZeroPageY) {
    return (OperandByte(h) + h.YR) & 0xFF;
  } else if constexpr (M == Mode::Absolute) {
    return OperandWord(h);
  } else if constexpr (M == Mode::AbsoluteX) {
    return IndexAcrossPage(h, OperandWord(h), h.XR);
  } else if constexpr (M == Mode::AbsoluteY) {
    return IndexAcrossPage(h, OperandWord(h), h.YR);
  } else if constexpr (M == Mode::IndirectX) {
    return PointerAt((OperandByte(h) + h.XR) & 0xFF);
  } else if constexpr (M == Mode::IndirectY) {
    return IndexAcrossPage(h, PointerAt(OperandByte(h)), h.YR);
  } else {
    static_assert(kUnsupportedMode<M>, "mode has no effective address");
  }
}

template <Mode M>
[[gnu::always_inline]] inline unsigned char ReadOperand(Hot& h) {
  if constexpr (M == Mode::Immediate) {
    return OperandByte(h);
  } else {
    return ReadData(h, EffectiveAddress<M>(h));
  }
}

}  // namespace cpu
