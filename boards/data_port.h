#pragma once
// The PPU data port ($2007) as both delivered boards implement it: pattern
// table stores with a tile rebuild, the shared $3F00/$3F10 backdrop entry,
// name-table mirroring by storing a second copy, and the buffered read.
// Header-only because a plug-in links nothing of the program.

#include "boards/nesdata.h"
#include "ppu/ppu_registers.h"

namespace board {

// PPU memory is 16 KB and the PPU bus is 14 bits wide, while the host's
// address latch is a full 16-bit value: accesses use it modulo $4000.
inline unsigned int DataPortAddress(const _NESData& nes) {
  return *nes.PPUWriteAddress & 0x3FFF;
}

inline void AdvanceDataPortAddress(const _NESData& nes) {
  bool stepDown = (nes.CPU->Memory[ppu_register::kControl] & ppu_register::kAddressStep32) != 0;
  *nes.PPUWriteAddress = static_cast<unsigned short>(*nes.PPUWriteAddress + (stepDown ? 32 : 1));
}

// The mirror copy runs one way only, from the first of each pair of tables
// to the second, exactly as the boards have always done it.
inline unsigned int NameTableMirror(unsigned int address, bool horizontal) {
  unsigned int table = address & 0xFC00;
  if (horizontal && (table == 0x2000 || table == 0x2800)) return address + 0x400;
  if (!horizontal && (table == 0x2000 || table == 0x2400)) return address + 0x800;
  return 0;
}

// Stores one byte at a PPU address (already below $4000). mirroringBit is
// bit 0 of the board's mirroring register: 1 horizontal, 0 vertical.
inline void StoreThroughDataPort(const _NESData& nes, unsigned int address, unsigned char value,
                                 unsigned char mirroringBit) {
  unsigned char* ppuMem = nes.PPU->PPUMem;
  if (address < 0x2000) {
    ppuMem[address] = value;
    nes.PrerenderPatternTiles(address, address + 1);
  } else if (address == 0x3F00 || address == 0x3F10) {
    ppuMem[0x3F00] = value;
    ppuMem[0x3F10] = value;
  } else {
    ppuMem[address] = value;
    unsigned int mirror = NameTableMirror(address, (mirroringBit & 1) != 0);
    if (mirror != 0) ppuMem[mirror] = value;
  }
}

inline void FinishDataPortWrite(const _NESData& nes, unsigned char value) {
  AdvanceDataPortAddress(nes);
  nes.CPU->Memory[ppu_register::kData] = value;
}

inline int WriteDataPort(const _NESData& nes, unsigned char value, unsigned char mirroringBit) {
  StoreThroughDataPort(nes, DataPortAddress(nes), value, mirroringBit);
  FinishDataPortWrite(nes, value);
  return 1;
}

// The first read after an address is set returns the byte there without
// moving on; every later read returns the byte and then advances.
inline unsigned char ReadDataPort(const _NESData& nes) {
  unsigned char value = nes.PPU->PPUMem[DataPortAddress(nes)];
  if (*nes.AlreadyRead2007 == 0) {
    *nes.AlreadyRead2007 = 1;
    return value;
  }
  AdvanceDataPortAddress(nes);
  return value;
}

}  // namespace board
