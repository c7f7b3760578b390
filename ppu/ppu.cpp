#include "ppu/ppu.h"

#include <cstring>

#include "cart/rom.h"

_PPU PPU;

void InitializePPU() {
  PPU.Mirroring = (ROMimage.Header[6] & 1) ? 1 : 0;
  PrerenderPatternTiles(0, 0x2000);
  std::memset(PPU.PPUMem + 0x2000, 0, 0x2000);  // name tables, attributes, palettes
}

namespace {

void DecodeTile(const unsigned char* source, PatternTableTile& tile) {
  for (int row = 0; row < 8; ++row) {
    const unsigned char low = source[row];
    const unsigned char high = source[row + 8];
    for (int column = 0; column < 8; ++column) {
      const unsigned char mask = 0x80 >> column;
      tile.data[row * 8 + column] = ((low & mask) ? 1 : 0) + ((high & mask) ? 2 : 0);
    }
  }
}

}  // namespace

// Rebuilds the tiles holding Address, Address + 16, ... below EndAddress. The
// step is taken from the unaligned address, so a one-byte range rebuilds
// exactly the tile holding that byte. Tiles past the pattern tables are never
// touched, whatever range a caller passes.
void PrerenderPatternTiles(unsigned int Address, unsigned int EndAddress) {
  for (; Address < EndAddress && Address < 0x2000; Address += 16) {
    DecodeTile(PPU.PPUMem + (Address & ~0xFu), PPU.PatternTiles[Address >> 4]);
  }
}
