// The sprite layers: flips, palettes, 8x16 pairs, the Y limits and the
// priorities between sprites and against the background.
#include <gtest/gtest.h>

#include "draw_test_helpers.h"

namespace {

using namespace picture_test;

constexpr unsigned char kFlipH = 0x40;
constexpr unsigned char kFlipV = 0x80;
constexpr unsigned char kBehind = 0x20;

class SpriteDraw : public PictureTest {
 protected:
  void SetUp() override {
    PictureTest::SetUp();
    for (int p = 0; p < 4; ++p)
      for (int k = 1; k < 4; ++k) PPU.PPUMem[0x3F10 + 4 * p + k] = SpriteValue(p, k);
  }
  static unsigned char SpriteValue(int palette, int colour) {
    return 0x80 + 0x10 * palette + colour;
  }
  void Draw() {
    DrawBackgroundColor();
    DrawSpritesBack();
    DrawSprites();
  }
  // Surface rows holding any pixel other than the backdrop and the border's 0.
  static int FirstDrawnRow() {
    for (int y = 0; y < SurfaceHeight; ++y)
      for (int x = 0; x < SurfaceWidth; ++x)
        if (Back()->At(x, y) != kBackdrop && Back()->At(x, y) != 0) return y;
    return -1;
  }
  static int LastDrawnRow() {
    for (int y = SurfaceHeight - 1; y >= 0; --y)
      for (int x = 0; x < SurfaceWidth; ++x)
        if (Back()->At(x, y) != kBackdrop && Back()->At(x, y) != 0) return y;
    return -1;
  }
};

TEST_F(SpriteDraw, FlipsMirrorTheTile) {
  // Tile 9: (row 0, column 0) colour 1, (0, 7) colour 2, (7, 7) colour 3.
  SetTilePixel(9, 0, 0, 1);
  SetTilePixel(9, 0, 7, 2);
  SetTilePixel(9, 7, 7, 3);
  const int top = 51, left = 100;  // Y = 50: row 0 on line 51
  struct Case {
    unsigned char flips;
    int topLeft, topRight, bottomLeft, bottomRight;
  } cases[] = {
      {0, 1, 2, 0, 3},
      {kFlipH, 2, 1, 3, 0},
      {kFlipV, 0, 3, 1, 2},
      {kFlipH | kFlipV, 3, 0, 2, 1},
  };
  for (const Case& c : cases) {
    SetSprite(5, 50, 9, c.flips | 2, left);
    Draw();
    auto expect = [](int colour) { return colour ? SpriteValue(2, colour) : kBackdrop; };
    EXPECT_EQ(NesPixel(Back(), top, left), expect(c.topLeft)) << int(c.flips);
    EXPECT_EQ(NesPixel(Back(), top, left + 7), expect(c.topRight)) << int(c.flips);
    EXPECT_EQ(NesPixel(Back(), top + 7, left), expect(c.bottomLeft)) << int(c.flips);
    EXPECT_EQ(NesPixel(Back(), top + 7, left + 7), expect(c.bottomRight)) << int(c.flips);
    EXPECT_EQ(NesPixel(Back(), top + 3, left + 3), kBackdrop) << "colour 0 is transparent";
  }
}

TEST_F(SpriteDraw, EightBySixteenPairsByBitZeroOfTheTileNumber) {
  SetSolidTile(256 + 4, 1);
  SetSolidTile(256 + 5, 2);
  SetSolidTile(4, 3);
  SetSolidTile(5, 3);
  CPU.Memory[0x2000] = 0x20;
  SetSprite(0, 50, 0x05, 0, 20);
  for (unsigned char control : {0x20, 0x28}) {  // bit 3 has no say in 8x16 mode
    CPU.Memory[0x2000] = control;
    Draw();
    for (int r = 0; r < 8; ++r) EXPECT_EQ(NesPixel(Back(), 51 + r, 20), SpriteValue(0, 1)) << r;
    for (int r = 8; r < 16; ++r) EXPECT_EQ(NesPixel(Back(), 51 + r, 20), SpriteValue(0, 2)) << r;
    EXPECT_EQ(NesPixel(Back(), 67, 20), kBackdrop);
  }
  SetSprite(0, 50, 0x05, kFlipV, 20);
  Draw();
  EXPECT_EQ(NesPixel(Back(), 51, 20), SpriteValue(0, 2)) << "upside down: bottom tile on top";
  EXPECT_EQ(NesPixel(Back(), 66, 20), SpriteValue(0, 1));

  SetSprite(0, 50, 0x04, 0, 20);  // even number: table 0
  Draw();
  EXPECT_EQ(NesPixel(Back(), 51, 20), SpriteValue(0, 3));
}

TEST_F(SpriteDraw, EightBySixteenRowsAreTakenFromBothTilesInOrder) {
  for (int r = 0; r < 8; ++r) {
    SetTilePixel(2, r, r, 1);      // top tile: diagonal
    SetTilePixel(3, r, 7 - r, 2);  // bottom tile: the other diagonal
  }
  CPU.Memory[0x2000] = 0x20;
  SetSprite(0, 100, 0x02, kFlipV | kFlipH, 40);
  Draw();
  // Upside down and mirrored: sprite row r shows bottom-tile row 7 - r,
  // column 7 - c; row 8 + r shows top-tile row 7 - r. Both diagonals turn.
  for (int r = 0; r < 8; ++r) {
    EXPECT_EQ(NesPixel(Back(), 101 + r, 40 + 7 - r), SpriteValue(0, 2)) << r;
    EXPECT_EQ(NesPixel(Back(), 109 + r, 40 + r), SpriteValue(0, 1)) << r;
    EXPECT_EQ(NesPixel(Back(), 101 + r, 40 + r), kBackdrop) << r;
  }
}

TEST_F(SpriteDraw, EightByEightIsShownOnlyWhenAllItsRowsAre) {
  SetSolidTile(1, 1);
  for (int y : {6, 224, 255}) {
    SetSprite(0, static_cast<unsigned char>(y), 1, 0, 10);
    Draw();
    EXPECT_EQ(FirstDrawnRow(), -1) << "Y = " << y;
  }
  SetSprite(0, 7, 1, 0, 10);
  Draw();
  EXPECT_EQ(FirstDrawnRow(), 16);
  EXPECT_EQ(LastDrawnRow(), 30);
  SetSprite(0, 223, 1, 0, 10);
  Draw();
  EXPECT_EQ(FirstDrawnRow(), 448);
  EXPECT_EQ(LastDrawnRow(), 462) << "bottom row on line 231";
}

TEST_F(SpriteDraw, EightBySixteenHasNoUpperLimitAndIsCutAtTheSurfaceBottom) {
  SetSolidTile(2, 1);
  SetSolidTile(3, 1);
  CPU.Memory[0x2000] = 0x20;
  SetSprite(0, 0, 2, 0, 10);
  Draw();
  EXPECT_EQ(FirstDrawnRow(), 2) << "the first seven rows lie above the picture";
  EXPECT_EQ(LastDrawnRow(), 32);

  SetSprite(0, 255, 2, 0, 10);
  Draw();
  EXPECT_EQ(FirstDrawnRow(), -1);

  SetSprite(0, 224, 2, 0, 10);  // rows 0-14 lie on lines 225-239, row 15 would be row 480
  Draw();
  EXPECT_EQ(FirstDrawnRow(), 450);
  EXPECT_EQ(LastDrawnRow(), 478);
  SetSprite(0, 231, 2, 0, 10);
  Draw();
  EXPECT_EQ(FirstDrawnRow(), 464);
  EXPECT_EQ(LastDrawnRow(), 478);
  SetSprite(0, 232, 2, 0, 10);
  Draw();
  EXPECT_EQ(FirstDrawnRow(), -1);
}

TEST_F(SpriteDraw, RightEdgeIsNotClippedAndOddRowsStayUntouched) {
  SetSolidTile(1, 1);
  SetSprite(0, 100, 1, 0, 255);
  ClearScreen(0xEE);
  DrawSprites();
  EXPECT_EQ(Back()->At(64 + 2 * 262 + 1, 202), SpriteValue(0, 1)) << "column 589";
  EXPECT_EQ(Back()->At(590, 202), 0xEE);
  for (int y = 203; y < 218; y += 2)
    for (int x = 0; x < SurfaceWidth; ++x) ASSERT_EQ(Back()->At(x, y), 0xEE) << x << "," << y;
}

TEST_F(SpriteDraw, LowerNumberCoversHigherAndFrontCoversBehind) {
  SetSolidTile(1, 1);
  SetSolidTile(2, 2);
  SetSprite(3, 60, 1, 0, 30);
  SetSprite(7, 60, 2, 0, 34);  // overlaps the right half of sprite 3
  Draw();
  EXPECT_EQ(NesPixel(Back(), 61, 34), SpriteValue(0, 1)) << "sprite 3 over sprite 7";
  EXPECT_EQ(NesPixel(Back(), 61, 40), SpriteValue(0, 2));

  SetSprite(2, 80, 1, kBehind, 30);
  SetSprite(10, 80, 2, 0, 34);
  Draw();
  EXPECT_EQ(NesPixel(Back(), 81, 34), SpriteValue(0, 2)) << "front layer over the behind layer";
  EXPECT_EQ(NesPixel(Back(), 81, 30), SpriteValue(0, 1));
}

TEST_F(SpriteDraw, BehindSpritesShowOnlyThroughBackgroundColourZero) {
  SetTileRows(1, 0xF0, 0x00);  // background tile: left half colour 1, right half colour 0
  PPU.PPUMem[0x3F01] = 0x31;
  PPU.PPUMem[0x2000 + 10 * 32 + 4] = 1;  // tile row 10, column 4: lines 80-87, x 32-39
  SetSolidTile(256 + 2, 2);
  CPU.Memory[0x2000] = 0x08;  // sprites from table 1, background from table 0
  SetSprite(0, 79, 2, kBehind, 32);
  SetSprite(1, 79, 2, 0, 48);  // a front sprite over the empty tile next door
  ComposeLayers();
  for (int x = 32; x < 36; ++x) EXPECT_EQ(NesPixel(Back(), 80, x), 0x31) << x;
  for (int x = 36; x < 40; ++x) EXPECT_EQ(NesPixel(Back(), 80, x), SpriteValue(0, 2)) << x;
  EXPECT_EQ(NesPixel(Back(), 80, 48), SpriteValue(0, 2));
}

TEST_F(SpriteDraw, MaskBitOffHidesBothLayers) {
  SetSolidTile(1, 1);
  SetSprite(0, 60, 1, 0, 30);
  SetSprite(1, 70, 1, kBehind, 30);
  CPU.Memory[0x2001] = 0x08 | 0xE7;  // everything but the sprite bit
  Draw();
  EXPECT_EQ(FirstDrawnRow(), -1);
  CPU.Memory[0x2001] = 0x10;
  Draw();
  EXPECT_EQ(FirstDrawnRow(), 122);
  EXPECT_EQ(LastDrawnRow(), 156);
}

}  // namespace
