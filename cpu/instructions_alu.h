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
  [[gnu::always_inline]] static void Run() {
    CPU.AC |= ReadOperand<M>();
    SetZN(CPU.AC);
  }
};

struct And {
  static constexpr char kName[] = "AND";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    CPU.AC &= ReadOperand<M>();
    SetZN(CPU.AC);
  }
};

struct Eor {
  static constexpr char kName[] = "EOR";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    CPU.AC ^= ReadOperand<M>();
    SetZN(CPU.AC);
  }
};

// SBC is ADC of the complemented operand, which gives the same result,
// borrow-as-inverted-carry and overflow as the subtraction itself.
[[gnu::always_inline]] inline void AddWithCarry(unsigned char operand) {
  const unsigned int sum = CPU.AC + operand + (CPU.FLAGS & flags::kCarry);
  const auto result = static_cast<unsigned char>(sum);
  SetFlag(flags::kCarry, sum > 0xFF);
  SetFlag(flags::kOverflow, (~(CPU.AC ^ operand) & (CPU.AC ^ result)) & 0x80);
  SetZN(result);
  CPU.AC = result;
}

struct Adc {
  static constexpr char kName[] = "ADC";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    AddWithCarry(ReadOperand<M>());
  }
};

struct Sbc {
  static constexpr char kName[] = "SBC";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    AddWithCarry(static_cast<unsigned char>(~ReadOperand<M>()));
  }
};

template <unsigned char _6502::*Register>
struct Compare {
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    const unsigned char operand = ReadOperand<M>();
    const unsigned char value = CPU.*Register;
    SetFlag(flags::kCarry, value >= operand);
    SetZN(static_cast<unsigned char>(value - operand));
  }
};

struct Cmp : Compare<&_6502::AC> {
  static constexpr char kName[] = "CMP";
};
struct Cpx : Compare<&_6502::XR> {
  static constexpr char kName[] = "CPX";
};
struct Cpy : Compare<&_6502::YR> {
  static constexpr char kName[] = "CPY";
};

struct Bit {
  static constexpr char kName[] = "BIT";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    const unsigned char operand = ReadOperand<M>();
    CPU.FLAGS = (CPU.FLAGS & ~(flags::kNegative | flags::kOverflow | flags::kZero)) |
                (operand & (flags::kNegative | flags::kOverflow)) |
                ((CPU.AC & operand) == 0 ? flags::kZero : 0);
  }
};

// The accumulator form works on AC; the memory forms do one data read and
// one data write of the same address, so a port or the board sees both.
template <Mode M, typename Modify>
[[gnu::always_inline]] inline void ReadModifyWrite(Modify modify) {
  if constexpr (M == Mode::Accumulator) {
    CPU.AC = modify(CPU.AC);
  } else {
    const unsigned int address = EffectiveAddress<M>();
    WriteData(address, modify(ReadData(address)));
  }
}

struct Asl {
  static constexpr char kName[] = "ASL";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    ReadModifyWrite<M>([](unsigned char value) __attribute__((always_inline)) {
      const auto result = static_cast<unsigned char>(value << 1);
      SetFlag(flags::kCarry, value & 0x80);
      SetZN(result);
      return result;
    });
  }
};

struct Lsr {
  static constexpr char kName[] = "LSR";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    ReadModifyWrite<M>([](unsigned char value) __attribute__((always_inline)) {
      const auto result = static_cast<unsigned char>(value >> 1);
      SetFlag(flags::kCarry, value & 0x01);
      SetZN(result);
      return result;
    });
  }
};

struct Rol {
  static constexpr char kName[] = "ROL";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    ReadModifyWrite<M>([](unsigned char value) __attribute__((always_inline)) {
      const auto result = static_cast<unsigned char>((value << 1) | (CPU.FLAGS & flags::kCarry));
      SetFlag(flags::kCarry, value & 0x80);
      SetZN(result);
      return result;
    });
  }
};

struct Ror {
  static constexpr char kName[] = "ROR";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    ReadModifyWrite<M>([](unsigned char value) __attribute__((always_inline)) {
      const auto result =
          static_cast<unsigned char>((value >> 1) | ((CPU.FLAGS & flags::kCarry) << 7));
      SetFlag(flags::kCarry, value & 0x01);
      SetZN(result);
      return result;
    });
  }
};

struct Inc {
  static constexpr char kName[] = "INC";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    ReadModifyWrite<M>([](unsigned char value) __attribute__((always_inline)) {
      const auto result = static_cast<unsigned char>(value + 1);
      SetZN(result);
      return result;
    });
  }
};

struct Dec {
  static constexpr char kName[] = "DEC";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    ReadModifyWrite<M>([](unsigned char value) __attribute__((always_inline)) {
      const auto result = static_cast<unsigned char>(value - 1);
      SetZN(result);
      return result;
    });
  }
};

}  // namespace cpu
