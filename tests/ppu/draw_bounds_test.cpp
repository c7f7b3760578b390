// Whatever PPU memory, the tile cache, OAM, the control bytes and the scroll
// records hold, the renderers stay on the surfaces and only read the machine.
// (Run the AddressSanitizer build to see any stray read or write.)
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "draw_test_helpers.h"

namespace {

using namespace picture_test;

constexpr unsigned char kSentinel = 0xEE;

template <typename T>
void FillRandom(T* data, size_t count, std::mt19937& random) {
  auto* bytes = reinterpret_cast<unsigned char*>(data);
  for (size_t i = 0; i < count * sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(random());
}

void FillSurfaceMemory(DirectDrawSurface* surface, unsigned char value) {
  std::memset(surface->pixels.get(), value, SurfacePitch * SurfaceHeight);
}

// Where a sprite or the background may legitimately write: even rows, columns
// 64-589 (sprites reach 16 pixels into the right border; 8x16 sprites reach
// above and below the shown lines).
bool MayBeDrawn(int x, int y) {
  return y % 2 == 0 && x >= 64 && x < 590;
}

class DrawBounds : public PictureTest {};

TEST_F(DrawBounds, RandomMachineStateStaysOnTheSurfaces) {
  std::mt19937 random(20261208);
  auto machine = std::make_unique<_PPU>();
  unsigned char oam[256];
  for (int round = 0; round < 200; ++round) {
    FillRandom(&PPU, 1, random);
    FillRandom(SPRRAM.SPR_RAM, 256, random);
    FillRandom(ScanScrollH, 262, random);
    FillRandom(ScanScrollV, 262, random);
    FillRandom(ScanNameTable, 262, random);
    FillRandom(ScanBackPattern, 262, random);
    CPU.Memory[0x2000] = static_cast<unsigned char>(random());
    CPU.Memory[0x2001] = static_cast<unsigned char>(random()) | (round % 2 ? kShowBoth : 0);
    std::memcpy(machine.get(), &PPU, sizeof PPU);
    std::memcpy(oam, SPRRAM.SPR_RAM, 256);
    FillSurfaceMemory(lpDDSBack, kSentinel);

    DrawSpritesBack();
    BackGround.Draw();
    DrawSprites();

    for (int y = 0; y < SurfaceHeight; ++y) {
      const unsigned char* row = Back()->Row(y);
      for (int x = 0; x < SurfacePitch; ++x) {
        if (x < SurfaceWidth && MayBeDrawn(x, y)) continue;
        ASSERT_EQ(row[x], kSentinel) << "round " << round << " at " << x << "," << y;
      }
    }
    ASSERT_EQ(std::memcmp(machine.get(), &PPU, sizeof PPU), 0) << "renderers only read PPU state";
    ASSERT_EQ(std::memcmp(oam, SPRRAM.SPR_RAM, 256), 0);
  }
}

TEST_F(DrawBounds, RandomPatternViewStaysInItsArea) {
  std::mt19937 random(7);
  FillRandom(&PPU, 1, random);
  FillSurfaceMemory(lpDDSBack, kSentinel);
  DrawPatternTables();
  DrawPalettes();
  for (int y = 0; y < SurfaceHeight; ++y) {
    for (int x = 0; x < SurfacePitch; ++x) {
      const bool tables = x < 512 && y < 256;
      const bool swatches = x < 256 && ((y >= 280 && y < 296) || (y >= 300 && y < 316));
      if (y % 2 == 0 && (tables || swatches)) continue;
      ASSERT_EQ(Back()->Row(y)[x], kSentinel) << x << "," << y;
    }
  }
}

}  // namespace
