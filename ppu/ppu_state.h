#pragma once
// The PPU record. Its layout is shared with the board plug-ins, which write
// PPUMem inside it, so it is byte-packed and must not change.

struct PatternTableTile {
  unsigned char data[64];  // data[row * 8 + column] = colour number 0-3
};

#pragma pack(push, 1)
struct _PPU {
  unsigned int Mirroring;  // 0 horizontal, 1 vertical (from the iNES header)
  unsigned char Scanline;  // lines completed in the current phase
  unsigned char PPUMem[0x4000];
  PatternTableTile PatternTiles[512];
};
#pragma pack(pop)

static_assert(sizeof(_PPU) == 5 + 0x4000 + 512 * 64, "_PPU must stay byte-packed");
