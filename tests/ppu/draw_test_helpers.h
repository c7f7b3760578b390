#pragma once
// Hand-built PPU states for the picture tests: open surfaces, a clean PPU,
// tiles and sprites placed by hand, and pixel reads in NES coordinates.

#include <gtest/gtest.h>

#include <cstring>

#include "cpu/cpu.h"
#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/dx_surface.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"
#include "ppu/video_open.h"

namespace picture_test {

constexpr unsigned char kBackdrop = 64;
constexpr unsigned char kShowBoth = 0x18;

// The surface pixel of NES line `line`, column `x`; both surface columns of
// the pixel must agree.
inline unsigned char NesPixel(const DirectDrawSurface* surface, int line, int x) {
  const unsigned char left = surface->At(64 + 2 * x, 2 * line);
  EXPECT_EQ(left, surface->At(65 + 2 * x, 2 * line)) << "line " << line << " x " << x;
  return left;
}

// Pattern bytes of tile `tile` (0-511) whose every row is (low, high).
inline void SetTileRows(int tile, unsigned char low, unsigned char high) {
  for (int r = 0; r < 8; ++r) {
    PPU.PPUMem[tile * 16 + r] = low;
    PPU.PPUMem[tile * 16 + 8 + r] = high;
  }
  PrerenderPatternTiles(tile * 16, tile * 16 + 16);
}

// A tile whose every pixel has colour number `colour` (1-3).
inline void SetSolidTile(int tile, int colour) {
  SetTileRows(tile, (colour & 1) ? 0xFF : 0, (colour & 2) ? 0xFF : 0);
}

// One pixel of the tile cache and the pattern bytes behind it.
inline void SetTilePixel(int tile, int row, int column, int colour) {
  const unsigned char mask = 0x80 >> column;
  unsigned char& low = PPU.PPUMem[tile * 16 + row];
  unsigned char& high = PPU.PPUMem[tile * 16 + 8 + row];
  low = (colour & 1) ? (low | mask) : (low & ~mask);
  high = (colour & 2) ? (high | mask) : (high & ~mask);
  PrerenderPatternTiles(tile * 16, tile * 16 + 16);
}

inline void SetScrollAllLines(unsigned char hs, unsigned char vs, unsigned char nameTable,
                              unsigned int patternTable) {
  for (int i = 0; i < 240; ++i) {
    ScanScrollH[i] = hs;
    ScanScrollV[i] = vs;
    ScanNameTable[i] = nameTable;
    ScanBackPattern[i] = patternTable;
  }
}

inline void SetSprite(int n, unsigned char y, unsigned char tile, unsigned char attributes,
                      unsigned char x) {
  SPRRAM.SPR_RAM[4 * n] = y;
  SPRRAM.SPR_RAM[4 * n + 1] = tile;
  SPRRAM.SPR_RAM[4 * n + 2] = attributes;
  SPRRAM.SPR_RAM[4 * n + 3] = x;
}

// The frame's layers in the order the frame function draws them.
inline void ComposeLayers() {
  DrawBackgroundColor();
  DrawSpritesBack();
  BackGround.Draw();
  DrawSprites();
}

// Open surfaces over a blank machine: empty pattern tables, name tables and
// palettes, every sprite hidden at Y = 255, both layers shown, no scroll.
class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&PPU, 0, sizeof PPU);
    std::memset(SPRRAM.SPR_RAM, 0xFF, sizeof SPRRAM.SPR_RAM);
    SPRRAM.Initialize();
    CPU.Memory[0x2000] = 0;
    CPU.Memory[0x2001] = kShowBoth;
    SetScrollAllLines(0, 0, 0, 0);
    ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  }
  void TearDown() override { DirectDrawClose(); }

  static DirectDrawSurface* Back() { return lpDDSBack; }
  static DirectDrawSurface* Front() { return lpDDSPrimary; }
};

}  // namespace picture_test
