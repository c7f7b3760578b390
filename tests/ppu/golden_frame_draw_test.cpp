// Golden pictures: complete frames from fixed PPU states, compared with the
// PNG files under tests/golden/ pixel by pixel. A change to a renderer shows
// up here; once reviewed, TAVIRO_BLESS=1 writes the new pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "draw_test_helpers.h"
#include "emulation/picture_png.h"

namespace {

using namespace picture_test;

// Pattern tables with a few recognisable tiles: bricks, a diagonal, a
// checker, a ring, a solid block, stripes, an arrow; table 1 mirrors table 0.
void BuildPatterns() {
  const unsigned char bricks_low[8] = {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08};
  const unsigned char ring_low[8] = {0x3C, 0x42, 0x81, 0x81, 0x81, 0x81, 0x42, 0x3C};
  const unsigned char arrow_low[8] = {0x18, 0x3C, 0x7E, 0xFF, 0x18, 0x18, 0x18, 0x18};
  for (int r = 0; r < 8; ++r) {
    unsigned char* tile = PPU.PPUMem;
    tile[1 * 16 + r] = bricks_low[r];
    tile[1 * 16 + 8 + r] = static_cast<unsigned char>(~bricks_low[r]);
    tile[2 * 16 + r] = static_cast<unsigned char>(0x80 >> r);
    tile[2 * 16 + 8 + r] = static_cast<unsigned char>(0x01 << r);
    tile[3 * 16 + r] = (r & 2) ? 0xCC : 0x33;
    tile[3 * 16 + 8 + r] = (r & 4) ? 0xF0 : 0x0F;
    tile[4 * 16 + r] = ring_low[r];
    tile[4 * 16 + 8 + r] = static_cast<unsigned char>(ring_low[r] >> 1);
    tile[5 * 16 + r] = 0xFF;
    tile[5 * 16 + 8 + r] = 0xFF;
    tile[6 * 16 + r] = (r % 2) ? 0xFF : 0x00;
    tile[6 * 16 + 8 + r] = (r % 4 < 2) ? 0xAA : 0x55;
    tile[7 * 16 + r] = arrow_low[r];
    tile[7 * 16 + 8 + r] = static_cast<unsigned char>(r < 4 ? 0 : arrow_low[r]);
  }
  std::memcpy(PPU.PPUMem + 0x1000, PPU.PPUMem, 0x1000);
  for (int r = 0; r < 8; ++r) PPU.PPUMem[0x1000 + 16 + r] ^= 0xFF;  // table 1 tile 1 differs
  PrerenderPatternTiles(0, 0x2000);
}

void BuildNameTables() {
  for (int table = 0; table < 4; ++table) {
    for (int row = 0; row < 30; ++row) {
      for (int column = 0; column < 32; ++column) {
        const int tile = (row * (table + 1) + column * (3 - table % 2)) % 8;
        PPU.PPUMem[0x2000 + table * 0x400 + row * 32 + column] = static_cast<unsigned char>(tile);
      }
    }
    for (int i = 0; i < 64; ++i)
      PPU.PPUMem[0x23C0 + table * 0x400 + i] = static_cast<unsigned char>(i * 0x1B + table * 0x55);
  }
}

void BuildPalettes(unsigned char backdrop) {
  const unsigned char colours[32] = {backdrop, 0x16, 0x27, 0x18, 0x0F, 0x1A, 0x30, 0x27,
                                     0x0F,     0x01, 0x21, 0x31, 0x0F, 0x06, 0x17, 0x3D,
                                     backdrop, 0x14, 0x24, 0x34, 0x0F, 0x0B, 0x2B, 0x3B,
                                     0x0F,     0x08, 0x28, 0x38, 0x0F, 0x12, 0x22, 0x32};
  std::memcpy(PPU.PPUMem + 0x3F00, colours, 32);
}

// 40 sprites in a spiral of positions, every flip and palette, both layers.
void BuildSprites(unsigned char yBase) {
  for (int n = 0; n < 40; ++n) {
    const unsigned char attributes = static_cast<unsigned char>(
        (n % 4) | ((n % 3 == 0) << 5) | ((n % 5 < 2) << 6) | ((n % 7 < 3) << 7));
    SetSprite(n, static_cast<unsigned char>(yBase + (n * 37) % 200),
              static_cast<unsigned char>(1 + n % 7), attributes,
              static_cast<unsigned char>((n * 53) % 256));
  }
}

class GoldenFrame : public PictureTest {
 protected:
  void SetUp() override {
    PictureTest::SetUp();
    BuildPatterns();
    BuildNameTables();
  }

  // Flips the composed frame to the front and compares what the window
  // would show with the stored picture.
  void ExpectGolden(const std::string& name) {
    DDrawFlip();
    PrintText(text_.c_str(), 0, textTop_, 0xFFFFFF, textBack_);
    const RgbPicture actual = ScreenshotRgb();
    ASSERT_EQ(actual.width, 640);
    const std::string path = std::string(TAVIRO_GOLDEN_DIR) + "/" + name + ".png";
    const char* bless = std::getenv("TAVIRO_BLESS");
    if (bless != nullptr && std::string(bless) == "1") {
      std::string error;
      ASSERT_TRUE(SaveRgbPng(path.c_str(), actual, &error)) << error;
      return;
    }
    RgbPicture expected;
    std::string error;
    ASSERT_TRUE(LoadRgbPng(path.c_str(), expected, &error))
        << error << " (TAVIRO_BLESS=1 writes the golden pictures)";
    ASSERT_EQ(expected.width, actual.width);
    ASSERT_EQ(expected.height, actual.height);
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < actual.rgb.size(); i += 3) {
      if (std::memcmp(&actual.rgb[i], &expected.rgb[i], 3) != 0 && differing++ == 0) first = i / 3;
    }
    if (differing != 0) {
      const std::string saved = name + ".actual.png";
      SaveRgbPng(saved.c_str(), actual);
      FAIL() << differing << " pixels differ from " << path << ", the first at (" << first % 640
             << ", " << first / 640 << "); this frame is in " << saved;
    }
  }

  std::string text_;
  int textTop_ = 0;
  unsigned long textBack_ = 0;
};

TEST_F(GoldenFrame, SplitScrollWithSpritesInBothLayers) {
  BuildPalettes(0x21);
  BuildSprites(10);
  for (int i = 0; i < 240; ++i) {
    const bool statusBar = i < 40;
    ScanScrollH[i] = statusBar ? 0 : static_cast<unsigned char>(100 + i / 8);
    ScanScrollV[i] = statusBar ? 0 : 30;
    ScanNameTable[i] = statusBar ? 2 : (i < 150 ? 0 : 1);
    ScanBackPattern[i] = i >= 200 ? 0x1000 : 0;
  }
  ComposeLayers();
  ExpectGolden("split_scroll");
}

TEST_F(GoldenFrame, TallSpritesAtTheEdgesOverAScrolledPlane) {
  BuildPalettes(0x0F);
  BuildSprites(0);
  CPU.Memory[0x2000] = 0x20;
  SetSprite(40, 0, 0x03, 0x01, 20);     // rows above the picture
  SetSprite(41, 228, 0x05, 0x82, 60);   // cut at the bottom of the surface
  SetSprite(42, 120, 0x07, 0x43, 252);  // into the right border
  SetScrollAllLines(37, 239, 3, 0x1000);
  ComposeLayers();
  ExpectGolden("tall_sprites");
}

TEST_F(GoldenFrame, SpritesWithoutBackgroundAndTheFrameRateText) {
  BuildPalettes(0x2C);
  BuildSprites(20);
  CPU.Memory[0x2001] = 0x10;
  text_ = "FPS = 1234";
  ComposeLayers();
  ExpectGolden("sprites_text");
}

TEST_F(GoldenFrame, PatternTablesAndPalettes) {
  BuildPalettes(0x0F);
  for (int t = 8; t < 512; ++t) {  // every other tile from its number, so each cell differs
    for (int r = 0; r < 8; ++r) {
      PPU.PPUMem[t * 16 + r] = static_cast<unsigned char>((t * 29) >> (r % 4) ^ (r * 0x11));
      PPU.PPUMem[t * 16 + 8 + r] = static_cast<unsigned char>(t ^ (0x81 << (r % 3)));
    }
  }
  PrerenderPatternTiles(0, 0x2000);
  ClearScreen(0);
  DrawPatternTables();
  DrawPalettes();
  text_ = "The quick brown fox jumps over the lazy dog 0123456789 !?#$%&*()[]{}<>";
  textTop_ = 464;  // where the viewer puts its timing text, white on blue
  textBack_ = 0xFF0000;
  ExpectGolden("pattern_view");
}

}  // namespace
