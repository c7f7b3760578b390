#pragma once
// The processor record. Its layout is shared with the board plug-ins, which
// address Memory inside it, so it is byte-packed and must not change.

#pragma pack(push, 1)
struct _6502 {
  unsigned char AC;               // accumulator
  unsigned char XR;               // index register X
  unsigned char YR;               // index register Y
  unsigned char S;                // stack pointer: the stack lives at $0100 + S
  unsigned short PC;              // program counter
  unsigned char FLAGS;            // NV-BDIZC
  unsigned int Cycles;            // CPU cycles spent so far in the current scanline
  unsigned char Memory[0x10000];  // image of the CPU address space
};
#pragma pack(pop)

static_assert(sizeof(_6502) == 11 + 0x10000, "_6502 must stay byte-packed");
