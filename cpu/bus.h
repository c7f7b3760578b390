#pragma once
// The three primitive accesses the instructions and interrupts are built
// from: data read and data write through the route tables, and fetch of
// instruction bytes and vectors through the cartridge windows.

#include "cpu/cpu.h"
#include "cpu/routes.h"

namespace cpu {

// The registers an instruction works on. The run loop keeps them in a local
// the compiler can hold in host registers, and writes them back to CPU
// wherever anything outside the loop could look: before a port or board
// access, before the end of a scanline, when the loop ends.
struct Hot {
  unsigned char AC, XR, YR, S, FLAGS;
  unsigned short PC;
  unsigned int Cycles;
};

[[gnu::always_inline]] inline Hot LoadHot() {
  return {CPU.AC, CPU.XR, CPU.YR, CPU.S, CPU.FLAGS, CPU.PC, CPU.Cycles};
}

[[gnu::always_inline]] inline void StoreHot(const Hot& h) {
  CPU.AC = h.AC;
  CPU.XR = h.XR;
  CPU.YR = h.YR;
  CPU.S = h.S;
  CPU.FLAGS = h.FLAGS;
  CPU.PC = h.PC;
  CPU.Cycles = h.Cycles;
}

// The non-plain routes: ports and the board. Kept out of line so the common
// plain and RAM accesses stay small at every call site.
unsigned char ReadThroughRoute(unsigned char route, unsigned int address);
void WriteThroughRoute(unsigned char route, unsigned int address, unsigned char value);

// address must already be reduced to 16 bits.
[[gnu::always_inline]] inline unsigned char ReadData(unsigned int address) {
  const unsigned char route = ReadMemTable[address];
  if (route == routes::kReadPlain) [[likely]]
    return CPU.Memory[address];
  return ReadThroughRoute(route, address);
}

// address must already be reduced to 16 bits.
// Four stores so that a read at any mirror address is a plain read.
[[gnu::always_inline]] inline void StoreToRam(unsigned int address, unsigned char value) {
  CPU.Memory[address] = value;
  CPU.Memory[address + 0x0800] = value;
  CPU.Memory[address + 0x1000] = value;
  CPU.Memory[address + 0x1800] = value;
}

[[gnu::always_inline]] inline void WriteData(unsigned int address, unsigned char value) {
  const unsigned char route = WriteMemTable[address];
  if (route == routes::kWriteRam) [[likely]] {
    StoreToRam(address, value);
  } else if (route == routes::kWritePlain) {
    CPU.Memory[address] = value;
  } else {
    WriteThroughRoute(route, address, value);
  }
}

// Code runs from memory as the processor sees it: below $8000 from RAM, its
// mirrors and cartridge RAM (NMI trampolines, routines copied to $6000),
// from $8000 on through the cartridge windows. Fetches read Memory directly,
// never through a port, so fetching at $2002 clears no flag. The address
// may be one past $FFFF (an operand after PC): bit 15 then is clear and the
// mask takes it to $0000, so the test of bit 15 is the fetch's only branch.
[[gnu::always_inline]] inline unsigned char Fetch(unsigned int address) {
  if (address & 0x8000) [[likely]]
    return MemoryPage[(address >> 13) & 3][address & 0x1FFF];
  return CPU.Memory[address & 0x7FFF];
}

// Low byte first; each byte from its own address, so an operand that
// straddles $7FFF/$8000 or two windows takes each byte from where it lies
// (the byte after $FFFF is the one at $0000).
[[gnu::always_inline]] inline unsigned int Fetch16(unsigned int address) {
  return Fetch(address) | (Fetch(address + 1) << 8);
}

[[gnu::always_inline]] inline void Push(unsigned char value) {
  WriteData(0x0100 + CPU.S, value);
  --CPU.S;
}

// The same accesses inside an instruction: a port or the board sees the
// registers as they are.
[[gnu::always_inline]] inline unsigned char ReadData(Hot& h, unsigned int address) {
  const unsigned char route = ReadMemTable[address];
  if (route == routes::kReadPlain) [[likely]]
    return CPU.Memory[address];
  StoreHot(h);
  const unsigned char value = ReadThroughRoute(route, address);
  h = LoadHot();
  return value;
}

[[gnu::always_inline]] inline void WriteData(Hot& h, unsigned int address, unsigned char value) {
  const unsigned char route = WriteMemTable[address];
  if (route == routes::kWriteRam) [[likely]] {
    StoreToRam(address, value);
  } else if (route == routes::kWritePlain) {
    CPU.Memory[address] = value;
  } else {
    StoreHot(h);
    WriteThroughRoute(route, address, value);
    h = LoadHot();
  }
}

[[gnu::always_inline]] inline void Push(Hot& h, unsigned char value) {
  WriteData(h, 0x0100 + h.S, value);
  --h.S;
}

}  // namespace cpu
