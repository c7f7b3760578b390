#pragma once
// Name-table mirroring for the boards that store every copy. The console
// has two 1 KB pages of name-table RAM; the mirroring mode says which page
// each of the four tables at $2000, $2400, $2800 and $2C00 shows. The
// renderers read all four tables from PPU memory, so every table holds a
// copy of its page: a write lands in each table showing the page. When the
// mode changes, the pages on show are gathered into the board's own store
// and the tables are filled afresh, so a page that no table shows (the
// other page of a one-screen mode) keeps its bytes for later.
// Header-only because a plug-in links nothing of the program.

#include <cstring>

#include "boards/nesdata.h"
#include "cart/rom.h"

namespace board {

enum class Mirroring : unsigned char {
  OneScreenLower,
  OneScreenUpper,
  Vertical,
  Horizontal,
  FourScreen,  // four pages of their own (the cartridge brings the other two)
};

constexpr unsigned int kNameTableBase = 0x2000;
constexpr unsigned int kNameTableSize = 0x400;

// The page each table shows, by mode.
constexpr unsigned char kPageOfTable[5][4] = {
    {0, 0, 0, 0}, {1, 1, 1, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {0, 1, 2, 3},
};

inline unsigned int PageOf(Mirroring mode, unsigned int table) {
  return kPageOfTable[static_cast<unsigned int>(mode)][table & 3];
}

// Bit 0 of header byte 6: 1 vertical, 0 horizontal; bit 3 four tables.
inline Mirroring HeaderMirroring(const ROM& image) {
  if (image.Header[6] & 0x08) return Mirroring::FourScreen;
  return (image.Header[6] & 0x01) ? Mirroring::Vertical : Mirroring::Horizontal;
}

// The board's side of the name tables: its mode and the pages' bytes as
// they were when the mode last changed.
struct NameTables {
  Mirroring mode;
  unsigned char pages[2][kNameTableSize];
};

// Stores a byte written at a name-table address ($2000-$2FFF) into every
// table that shows the same page.
inline void StoreNameTableByte(unsigned char* ppuMem, Mirroring mode, unsigned int address,
                               unsigned char value) {
  const unsigned int offset = address & (kNameTableSize - 1);
  const unsigned int page = PageOf(mode, (address >> 10) & 3);
  for (unsigned int table = 0; table < 4; ++table)
    if (PageOf(mode, table) == page)
      ppuMem[kNameTableBase + table * kNameTableSize + offset] = value;
}

// Changes the mode at run time and rearranges the copies. Four tables of
// their own never take part: that mode is fixed by the cartridge.
inline void ChangeMirroring(const _NESData& nes, NameTables& tables, Mirroring next) {
  if (tables.mode == next) return;
  unsigned char* ppuMem = nes.PPU->PPUMem;
  if (tables.mode != Mirroring::FourScreen) {
    for (unsigned int table = 4; table-- > 0;)
      std::memcpy(tables.pages[PageOf(tables.mode, table)],
                  ppuMem + kNameTableBase + table * kNameTableSize, kNameTableSize);
  }
  tables.mode = next;
  if (next == Mirroring::FourScreen) return;
  for (unsigned int table = 0; table < 4; ++table)
    std::memcpy(ppuMem + kNameTableBase + table * kNameTableSize, tables.pages[PageOf(next, table)],
                kNameTableSize);
}

}  // namespace board
