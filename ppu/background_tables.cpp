#include "ppu/background.h"

unsigned short NameTables[4][512][480];
unsigned short AttribBytes[0x3000];
unsigned char AttribBits[0x3000];

namespace {

// The name-table plane is the 2 x 2 arrangement of the four name tables as
// seen from base table n; crossing x = 256 or y = 240 flips to the neighbour.
unsigned short NameTableAddress(int base, int x, int y) {
  const int table = base ^ (x >= 256 ? 1 : 0) ^ (y >= 240 ? 2 : 0);
  return static_cast<unsigned short>(0x2000 + table * 0x400 + ((y % 240) / 8) * 32 + (x % 256) / 8);
}

// One attribute byte covers 4 x 4 tiles; its two-bit fields are the
// top-left, top-right, bottom-left and bottom-right 2 x 2 quarters.
void FillAttributeTables() {
  for (int a = 0x2000; a < 0x3000; ++a) {
    const int offset = a & 0x3FF;
    const int row = offset / 32;
    const int column = offset % 32;
    AttribBytes[a] = static_cast<unsigned short>((a & 0xFC00) + 0x3C0 + (row / 4) * 8 + column / 4);
    const int quarter = ((row / 2) & 1) * 2 + ((column / 2) & 1);
    AttribBits[a] = static_cast<unsigned char>(0x03 << (quarter * 2));
  }
}

void FillNameTables() {
  for (int base = 0; base < 4; ++base)
    for (int x = 0; x < 512; ++x)
      for (int y = 0; y < 480; ++y) NameTables[base][x][y] = NameTableAddress(base, x, y);
}

// Computed once before main; the renderer only ever reads them.
const bool kTablesReady = (FillNameTables(), FillAttributeTables(), true);

}  // namespace
