// The pattern-table and palette view: where each tile and swatch lands.
#include <gtest/gtest.h>

#include "draw_test_helpers.h"

namespace {

using namespace picture_test;

class PatternViewDraw : public PictureTest {
 protected:
  void SetUp() override {
    PictureTest::SetUp();
    ClearScreen(0xEE);
  }
};

TEST_F(PatternViewDraw, TilesLandInTheirCellsWithTheFirstBackgroundPalette) {
  PPU.PPUMem[0x3F00] = 0x0F;
  PPU.PPUMem[0x3F01] = 0x11;
  PPU.PPUMem[0x3F02] = 0x12;
  PPU.PPUMem[0x3F03] = 0x13;
  SetTilePixel(17, 0, 0, 1);  // table 0, tile 17: cell (16, 16)
  SetTilePixel(17, 7, 7, 3);
  SetTilePixel(256 + 33, 2, 5, 2);  // table 1, tile 33: cell (256 + 16, 32)
  DrawPatternTables();

  EXPECT_EQ(Back()->At(16, 16), 0x11);
  EXPECT_EQ(Back()->At(17, 16), 0x11);
  EXPECT_EQ(Back()->At(18, 16), 0x0F) << "colour 0 shows the backdrop byte";
  EXPECT_EQ(Back()->At(16 + 14, 16 + 14), 0x13);
  EXPECT_EQ(Back()->At(16 + 15, 16 + 14), 0x13);
  EXPECT_EQ(Back()->At(272 + 10, 32 + 4), 0x12);
  EXPECT_EQ(Back()->At(272 + 11, 32 + 4), 0x12);
  EXPECT_EQ(Back()->At(511, 254), 0x0F) << "last cell of table 1";
  for (int y = 1; y < 256; y += 2)
    for (int x = 0; x < 512; ++x) ASSERT_EQ(Back()->At(x, y), 0xEE) << x << "," << y;
  for (int y = 0; y < SurfaceHeight; ++y)
    for (int x = 512; x < SurfaceWidth; ++x) ASSERT_EQ(Back()->At(x, y), 0xEE) << x << "," << y;
  for (int x = 0; x < 512; ++x) ASSERT_EQ(Back()->At(x, 256), 0xEE) << x;
}

TEST_F(PatternViewDraw, SwatchesShowThePaletteBytesAsStored) {
  for (int i = 0; i < 32; ++i) PPU.PPUMem[0x3F00 + i] = static_cast<unsigned char>(0xA0 + i);
  PPU.PPUMem[0x3F05] = 0x7F;  // stored unmasked, drawn unmasked
  DrawPalettes();
  for (int i = 0; i < 16; ++i) {
    for (int dy = 0; dy < 16; dy += 2) {
      for (int dx = 0; dx < 16; ++dx) {
        const unsigned char background = i == 5 ? 0x7F : 0xA0 + i;
        ASSERT_EQ(Back()->At(16 * i + dx, 280 + dy), background) << i << " " << dx << "," << dy;
        ASSERT_EQ(Back()->At(16 * i + dx, 300 + dy), 0xB0 + i) << i << " " << dx << "," << dy;
        ASSERT_EQ(Back()->At(16 * i + dx, 281 + dy), 0xEE);
        ASSERT_EQ(Back()->At(16 * i + dx, 301 + dy), 0xEE);
      }
    }
  }
  EXPECT_EQ(Back()->At(0, 279), 0xEE);
  EXPECT_EQ(Back()->At(0, 296), 0xEE);
  EXPECT_EQ(Back()->At(0, 316), 0xEE);
  EXPECT_EQ(Back()->At(256, 280), 0xEE);
}

TEST_F(PatternViewDraw, NothingIsDrawnWithoutABackBuffer) {
  DirectDrawClose();
  DrawPatternTables();  // must not touch freed or missing surfaces
  DrawPalettes();
  SUCCEED();
}

}  // namespace
