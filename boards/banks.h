#pragma once
// Program windows and character memory for the boards that switch whole
// 16 KB or 32 KB program banks and 4 KB or 8 KB character banks. Bank
// numbers beyond what the image holds wrap around by the bank count, which
// need not be a power of two in a hostile image. The pattern tables in PPU
// memory hold copies: character ROM banks are copied in; character RAM lives
// in the pattern tables while shown and in the board's store otherwise.
// Header-only because a plug-in links nothing of the program.

#include <cstring>

#include "boards/nesdata.h"

namespace board {

constexpr unsigned int kProgramPageSize = 16384;
constexpr unsigned int kWindowSize = 8192;
constexpr unsigned int kPatternTableSize = 0x1000;
constexpr unsigned int kCharacterRamMost = 0x8000;

// Points the two windows of one 16 KB half of cartridge space ($8000 for
// half 0, $C000 for half 1) at a 16 KB program bank.
inline void ShowProgram16K(const _NESData& nes, unsigned int half, unsigned int bank) {
  const ROM& image = *nes.ROMImage;
  unsigned char* start = image.PRG_ROM + (bank % image.PRGROMPages) * kProgramPageSize;
  nes.MemoryPage[2 * half] = start;
  nes.MemoryPage[2 * half + 1] = start + kWindowSize;
}

// A 32 KB bank at $8000; an image of one 16 KB bank shows it twice.
inline void ShowProgram32K(const _NESData& nes, unsigned int bank) {
  const unsigned int pages = nes.ROMImage->PRGROMPages;
  if (pages < 2) {
    ShowProgram16K(nes, 0, 0);
    ShowProgram16K(nes, 1, 0);
    return;
  }
  const unsigned int first = (bank % (pages / 2)) * 2;
  ShowProgram16K(nes, 0, first);
  ShowProgram16K(nes, 1, first + 1);
}

inline unsigned char ReadProgram(const _NESData& nes, unsigned int address) {
  return nes.MemoryPage[(address >> 13) & 3][address & (kWindowSize - 1)];
}

// Copies character ROM bank `bank` of `size` bytes (4 KB or 8 KB) to the
// pattern tables at ppuAddress and rebuilds their tiles. Without character
// ROM there is nothing to copy.
inline void ShowCharacterRom(const _NESData& nes, unsigned int bank, unsigned int size,
                             unsigned int ppuAddress) {
  const ROM& image = *nes.ROMImage;
  const unsigned int banks = image.CHRROMPages * 0x2000 / size;
  if (banks == 0) return;
  std::memcpy(nes.PPU->PPUMem + ppuAddress, image.CHR_ROM + (bank % banks) * size, size);
  nes.PrerenderPatternTiles(ppuAddress, ppuAddress + size);
}

// Character RAM of 8 KB to 32 KB, switched in 4 KB banks. size 0 means the
// board has character ROM instead, which the data port cannot change.
struct CharacterRam {
  unsigned int size;
  unsigned int shown[2];  // the 4 KB bank in each pattern table
  unsigned char store[kCharacterRamMost];
};

// For an image without character ROM: RAM of `size` bytes, its first 8 KB
// on show, cleared so that nothing of the previous cartridge remains.
inline void StartCharacterRam(const _NESData& nes, CharacterRam& ram, unsigned int size) {
  if (nes.ROMImage->CHRROMPages != 0) {
    ram.size = 0;
    return;
  }
  ram.size = size;
  ram.shown[0] = 0;
  ram.shown[1] = 1;
  std::memset(ram.store, 0, sizeof ram.store);
  std::memset(nes.PPU->PPUMem, 0, 2 * kPatternTableSize);
}

// Shows 4 KB RAM bank `bank` in pattern table `table` (0 or 1). The bank
// leaving the table goes back to the store first; a bank already shown in
// the other table is taken from there, where its latest bytes are.
inline void ShowCharacterRam(const _NESData& nes, CharacterRam& ram, unsigned int table,
                             unsigned int bank) {
  if (ram.size == 0) return;
  bank %= ram.size / kPatternTableSize;
  if (ram.shown[table] == bank) return;
  unsigned char* ppuMem = nes.PPU->PPUMem;
  unsigned char* here = ppuMem + table * kPatternTableSize;
  unsigned char* other = ppuMem + (table ^ 1) * kPatternTableSize;
  std::memcpy(ram.store + ram.shown[table] * kPatternTableSize, here, kPatternTableSize);
  const bool inOther = ram.shown[table ^ 1] == bank;
  std::memcpy(here, inOther ? other : ram.store + bank * kPatternTableSize, kPatternTableSize);
  ram.shown[table] = bank;
  nes.PrerenderPatternTiles(table * kPatternTableSize, (table + 1) * kPatternTableSize);
}

// A data-port store into the pattern tables: kept only with character RAM,
// and into both tables while they show the same bank.
inline void StorePatternByte(const _NESData& nes, const CharacterRam& ram, unsigned int address,
                             unsigned char value) {
  if (ram.size == 0) return;
  nes.PPU->PPUMem[address] = value;
  nes.PrerenderPatternTiles(address, address + 1);
  if (ram.shown[0] != ram.shown[1]) return;
  const unsigned int twin = address ^ kPatternTableSize;
  nes.PPU->PPUMem[twin] = value;
  nes.PrerenderPatternTiles(twin, twin + 1);
}

}  // namespace board
