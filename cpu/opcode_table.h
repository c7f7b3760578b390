#pragma once
// The one description of the 256 opcodes from which the handler tables,
// OpcodeCycles and OpcodeBytes are all generated and from which the
// debugger's listing is written, so they cannot disagree.

#include <array>

#include "cpu/addressing.h"

namespace cpu {

struct OpcodeInfo {
  const char* mnemonic;  // "???" for the undocumented opcodes
  Mode mode;
  void (*execute)(Hot&);  // the handler, with its addressing mode built in
  unsigned char cycles;   // base cycles charged by the completion step
  unsigned char bytes;    // amount added to PC by the completion step
  // The listing shows the operand of this indexed instruction without the
  // index added: AND $3D/$39 and ASL $1E have always been listed so, and
  // listings compared against older dumps rely on it.
  bool listsBareOperand;
};

extern const std::array<OpcodeInfo, 256> OpcodeDescription;

// How many zero-cycle undocumented opcodes have run since vertical blank
// last began. Machine state like any register, since it decides when they
// start to cost time; the frame driver clears it when a frame ends.
extern unsigned int ZeroCycleOpsInFrame;

}  // namespace cpu
