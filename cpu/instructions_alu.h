#pragma once
// Logic, arithmetic, compares, BIT, shifts and rotates, and the memory
// increments. ADC and SBC ignore the decimal bit: the NES processor has no
// decimal arithmetic.

#include "cpu/addressing.h"
#include "cpu/flags.h"

namespace cpu {

struct Ora {
  static constexpr char kName[] = "ORA";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.AC |= ReadOperand<M>(h);
    SetZN(h, h.AC);
  }
};

struct And {
  static constexpr char kName[] = "AND";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.AC &= ReadOperand<M>(h);
    SetZN(h, h.AC);
  }
};

struct Eor {
  static constexpr char kName[] = "EOR";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.AC ^= ReadOperand<M>(h);
    SetZN(h, h.AC);
  }
};

// SBC is ADC of the complemented operand, which gives the same result,
// borrow-as-inverted-carry and overflow as the subtraction itself.
[[gnu::always_inline]] inline void AddWithCarry(Hot& h, unsigned char operand) {
  const unsigned int sum = h.AC + operand + (h.FLAGS & flags::kCarry);
  const auto result = static_cast<unsigned char>(sum);
  SetFlag(h, flags::kCarry, sum > 0xFF);
  SetFlag(h, flags::kOverflow, (~(h.AC ^ operand) & (h.AC ^ result)) & 0x80);
  SetZN(h, result);
  h.AC = result;
}

struct Adc {
  static constexpr char kName[] = "ADC";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    AddWithCarry(h, ReadOperand<M>(h));
  }
};

struct Sbc {
  static constexpr char kName[] = "SBC";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    AddWithCarry(h, static_cast<unsigned char>(~ReadOperand<M>(h)));
  }
};

template <unsigned char Hot::*Register>
struct Compare {
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    const unsigned char operand = ReadOperand<M>(h);
    const unsigned char value = h.*Register;
    SetFlag(h, flags::kCarry, value >= operand);
    SetZN(h, static_cast<unsigned char>(value - operand));
  }
};

struct Cmp : Compare<&Hot::AC> {
  static constexpr char kName[] = "CMP";
};
struct Cpx : Compare<&Hot::XR> {
  static constexpr char kName[] = "CPX";
};
struct Cpy : Compare<&Hot::YR> {
  static constexpr char kName[] = "CPY";
};

struct Bit {
  static constexpr char kName[] = "BIT";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    const unsigned char operand = ReadOperand<M>(h);
    h.FLAGS = (h.FLAGS & ~(flags::kNegative | flags::kOverflow | flags::kZero)) |
              (operand & (flags::kNegative | flags::kOverflow)) |
              ((h.AC & operand) == 0 ? flags::kZero : 0);
  }
};

// The accumulator form works on AC; the memory forms do one data read and
// one data write of the same address, so a port or the board sees both.
template <Mode M, typename Modify>
[[gnu::always_inline]] inline void ReadModifyWrite(Hot& h, Modify modify) {
  if constexpr (M == Mode::Accumulator) {
    h.AC = modify(h.AC);
  } else {
    const unsigned int address = EffectiveAddress<M>(h);
    WriteData(h, address, modify(ReadData(h, address)));
  }
}

struct Asl {
  static constexpr char kName[] = "ASL";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    ReadModifyWrite<M>(
        h, [&h](unsigned char value) __attribute__((always_inline)) {
          const auto result = static_cast<unsigned char>(value << 1);
          SetFlag(h, flags::kCarry, value & 0x80);
          SetZN(h, result);
          return result;
        });
  }
};

struct Lsr {
  static constexpr char kName[] = "LSR";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    ReadModifyWrite<M>(
        h, [&h](unsigned char value) __attribute__((always_inline)) {
          const auto result = static_cast<unsigned char>(value >> 1);
          SetFlag(h, flags::kCarry, value & 0x01);
          SetZN(h, result);
          return result;
        });
  }
};

struct Rol {
  static constexpr char kName[] = "ROL";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    ReadModifyWrite<M>(
        h, [&h](unsigned char value) __attribute__((always_inline)) {
          const auto result = static_cast<unsigned char>((value << 1) | (h.FLAGS & flags::kCarry));
          SetFlag(h, flags::kCarry, value & 0x80);
          SetZN(h, result);
          return result;
        });
  }
};

struct Ror {
  static constexpr char kName[] = "ROR";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    ReadModifyWrite<M>(
        h, [&h](unsigned char value) __attribute__((always_inline)) {
          const auto result =
              static_cast<unsigned char>((value >> 1) | ((h.FLAGS & flags::kCarry) << 7));
          SetFlag(h, flags::kCarry, value & 0x01);
          SetZN(h, result);
          return result;
        });
  }
};

struct Inc {
  static constexpr char kName[] = "INC";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    ReadModifyWrite<M>(
        h, [&h](unsigned char value) __attribute__((always_inline)) {
          const auto result = static_cast<unsigned char>(value + 1);
          SetZN(h, result);
          return result;
        });
  }
};

struct Dec {
  static constexpr char kName[] = "DEC";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    ReadModifyWrite<M>(
        h, [&h](unsigned char value) __attribute__((always_inline)) {
          const auto result = static_cast<unsigned char>(value - 1);
          SetZN(h, result);
          return result;
        });
  }
};

}  // namespace cpu
