#pragma once
// Loads, stores, register transfers and register increments. Each operation
// is a struct whose Run<Mode> is the handler with the mode built in.

#include "cpu/addressing.h"
#include "cpu/flags.h"

namespace cpu {

struct Lda {
  static constexpr char kName[] = "LDA";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    CPU.AC = ReadOperand<M>();
    SetZN(CPU.AC);
  }
};

struct Ldx {
  static constexpr char kName[] = "LDX";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    CPU.XR = ReadOperand<M>();
    SetZN(CPU.XR);
  }
};

struct Ldy {
  static constexpr char kName[] = "LDY";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    CPU.YR = ReadOperand<M>();
    SetZN(CPU.YR);
  }
};

struct Sta {
  static constexpr char kName[] = "STA";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    WriteData(EffectiveAddress<M>(), CPU.AC);
  }
};

struct Stx {
  static constexpr char kName[] = "STX";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    WriteData(EffectiveAddress<M>(), CPU.XR);
  }
};

struct Sty {
  static constexpr char kName[] = "STY";
  template <Mode M>
  [[gnu::always_inline]] static void Run() {
    WriteData(EffectiveAddress<M>(), CPU.YR);
  }
};

// Copies a register into another and sets N/Z from the copy.
template <unsigned char _6502::*From, unsigned char _6502::*To>
struct Transfer {
  template <Mode>
  [[gnu::always_inline]] static void Run() {
    CPU.*To = CPU.*From;
    SetZN(CPU.*To);
  }
};

struct Tax : Transfer<&_6502::AC, &_6502::XR> {
  static constexpr char kName[] = "TAX";
};
struct Tay : Transfer<&_6502::AC, &_6502::YR> {
  static constexpr char kName[] = "TAY";
};
struct Txa : Transfer<&_6502::XR, &_6502::AC> {
  static constexpr char kName[] = "TXA";
};
struct Tya : Transfer<&_6502::YR, &_6502::AC> {
  static constexpr char kName[] = "TYA";
};
struct Tsx : Transfer<&_6502::S, &_6502::XR> {
  static constexpr char kName[] = "TSX";
};

// The only transfer that leaves the flags alone.
struct Txs {
  static constexpr char kName[] = "TXS";
  template <Mode>
  [[gnu::always_inline]] static void Run() {
    CPU.S = CPU.XR;
  }
};

template <unsigned char _6502::*Register, int Step>
struct StepRegister {
  template <Mode>
  [[gnu::always_inline]] static void Run() {
    CPU.*Register = static_cast<unsigned char>(CPU.*Register + Step);
    SetZN(CPU.*Register);
  }
};

struct Inx : StepRegister<&_6502::XR, 1> {
  static constexpr char kName[] = "INX";
};
struct Iny : StepRegister<&_6502::YR, 1> {
  static constexpr char kName[] = "INY";
};
struct Dex : StepRegister<&_6502::XR, -1> {
  static constexpr char kName[] = "DEX";
};
struct Dey : StepRegister<&_6502::YR, -1> {
  static constexpr char kName[] = "DEY";
};

}  // namespace cpu
