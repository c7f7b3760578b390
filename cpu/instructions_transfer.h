#pragma once
// Loads, stores, register transfers and register increments. Each operation
// is a struct whose Run<Mode> is the handler with the mode built in.

#include "cpu/addressing.h"
#include "cpu/flags.h"

namespace cpu {

struct Lda {
  static constexpr char kName[] = "LDA";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.AC = ReadOperand<M>(h);
    SetZN(h, h.AC);
  }
};

struct Ldx {
  static constexpr char kName[] = "LDX";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.XR = ReadOperand<M>(h);
    SetZN(h, h.XR);
  }
};

struct Ldy {
  static constexpr char kName[] = "LDY";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.YR = ReadOperand<M>(h);
    SetZN(h, h.YR);
  }
};

struct Sta {
  static constexpr char kName[] = "STA";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    WriteData(h, EffectiveAddress<M>(h), h.AC);
  }
};

struct Stx {
  static constexpr char kName[] = "STX";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    WriteData(h, EffectiveAddress<M>(h), h.XR);
  }
};

struct Sty {
  static constexpr char kName[] = "STY";
  template <Mode M>
  [[gnu::always_inline]] static void Run(Hot& h) {
    WriteData(h, EffectiveAddress<M>(h), h.YR);
  }
};

// Copies a register into another and sets N/Z from the copy.
template <unsigned char Hot::*From, unsigned char Hot::*To>
struct Transfer {
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.*To = h.*From;
    SetZN(h, h.*To);
  }
};

struct Tax : Transfer<&Hot::AC, &Hot::XR> {
  static constexpr char kName[] = "TAX";
};
struct Tay : Transfer<&Hot::AC, &Hot::YR> {
  static constexpr char kName[] = "TAY";
};
struct Txa : Transfer<&Hot::XR, &Hot::AC> {
  static constexpr char kName[] = "TXA";
};
struct Tya : Transfer<&Hot::YR, &Hot::AC> {
  static constexpr char kName[] = "TYA";
};
struct Tsx : Transfer<&Hot::S, &Hot::XR> {
  static constexpr char kName[] = "TSX";
};

// The only transfer that leaves the flags alone.
struct Txs {
  static constexpr char kName[] = "TXS";
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.S = h.XR;
  }
};

template <unsigned char Hot::*Register, int Step>
struct StepRegister {
  template <Mode>
  [[gnu::always_inline]] static void Run(Hot& h) {
    h.*Register = static_cast<unsigned char>(h.*Register + Step);
    SetZN(h, h.*Register);
  }
};

struct Inx : StepRegister<&Hot::XR, 1> {
  static constexpr char kName[] = "INX";
};
struct Iny : StepRegister<&Hot::YR, 1> {
  static constexpr char kName[] = "INY";
};
struct Dex : StepRegister<&Hot::XR, -1> {
  static constexpr char kName[] = "DEX";
};
struct Dey : StepRegister<&Hot::YR, -1> {
  static constexpr char kName[] = "DEY";
};

}  // namespace cpu
