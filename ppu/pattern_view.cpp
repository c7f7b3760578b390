#include "ppu/ppu.h"

namespace {

constexpr int kTilesPerRow = 16;
constexpr int kCellSize = 16;  // an 8 x 8 tile drawn at twice its size
constexpr int kSecondTableLeft = 256;
constexpr int kBackgroundSwatchTop = 280;
constexpr int kSpriteSwatchTop = 300;

// Each source pixel becomes two pixels side by side on an even row; the odd
// rows are left alone.
void PutDoubledPixel(_DDSURFACEDESC& surface, int x, int y, unsigned char value) {
  PutPixel(&surface, x, y, static_cast<char>(value));
  PutPixel(&surface, x + 1, y, static_cast<char>(value));
}

// Colour number 0 shows the backdrop byte at $3F00, like the other three
// entries of the first background palette. The cache holds colour numbers
// 0-3; only those bits are used.
void DrawTile(_DDSURFACEDESC& surface, const PatternTableTile& tile, int x0, int y0) {
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) {
      const unsigned char value = PPU.PPUMem[0x3F00 + (tile.data[r * 8 + c] & 3)];
      PutDoubledPixel(surface, x0 + 2 * c, y0 + 2 * r, value);
    }
  }
}

void DrawSwatches(_DDSURFACEDESC& surface, unsigned int paletteAddress, int y0) {
  for (int i = 0; i < 16; ++i) {
    const unsigned char value = PPU.PPUMem[paletteAddress + i];
    for (int r = 0; r < 8; ++r) {
      for (int c = 0; c < 8; ++c) PutDoubledPixel(surface, 16 * i + 2 * c, y0 + 2 * r, value);
    }
  }
}

}  // namespace

void DrawPatternTables() {
  _DDSURFACEDESC surface;
  if (!LockSurface(surface, lpDDSBack)) return;
  for (int t = 0; t < 512; ++t) {
    const int index = t % 256;
    const int x0 = (t < 256 ? 0 : kSecondTableLeft) + (index % kTilesPerRow) * kCellSize;
    const int y0 = (index / kTilesPerRow) * kCellSize;
    DrawTile(surface, PPU.PatternTiles[t], x0, y0);
  }
  UnlockSurface(surface, lpDDSBack);
}

void DrawPalettes() {
  _DDSURFACEDESC surface;
  if (!LockSurface(surface, lpDDSBack)) return;
  DrawSwatches(surface, 0x3F00, kBackgroundSwatchTop);
  DrawSwatches(surface, 0x3F10, kSpriteSwatchTop);
  UnlockSurface(surface, lpDDSBack);
}
