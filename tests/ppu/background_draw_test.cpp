// The background layer: tiles, attributes, scrolling across name tables,
// per-line records, the shown lines and the backdrop.
#include <gtest/gtest.h>

#include "draw_test_helpers.h"

namespace {

using namespace picture_test;

class BackgroundDraw : public PictureTest {
 protected:
  // Colour k (1-3) of palette p holds $20 + 16p + k: apart from the
  // backdrop value 64 and from the border's 0.
  void SetDistinctPalettes() {
    for (int p = 0; p < 4; ++p)
      for (int k = 1; k < 4; ++k) PPU.PPUMem[0x3F00 + 4 * p + k] = 0x20 + 0x10 * p + k;
  }
  static unsigned char Value(int palette, int colour) { return 0x20 + 0x10 * palette + colour; }

  // Every tile of name table `table` (0-3) shows `tile`.
  static void FillNameTable(int table, unsigned char tile) {
    std::memset(PPU.PPUMem + 0x2000 + table * 0x400, tile, 960);
  }
  static void SetNameTableTile(int table, int row, int column, unsigned char tile) {
    PPU.PPUMem[0x2000 + table * 0x400 + row * 32 + column] = tile;
  }
  void Draw() {
    DrawBackgroundColor();
    BackGround.Draw();
  }
};

TEST_F(BackgroundDraw, TileColoursComeFromItsAttributeQuarter) {
  SetDistinctPalettes();
  SetTileRows(1, 0xF0, 0xCC);  // columns: 3 3 1 1 2 2 0 0
  const int colours[8] = {3, 3, 1, 1, 2, 2, 0, 0};
  PPU.PPUMem[0x23C0] = 0xE4;  // quarters: top-left 0, top-right 1, bottom-left 2, bottom-right 3
  struct Placed {
    int row, column, palette;
  } tiles[] = {{1, 0, 0}, {1, 2, 1}, {3, 1, 2}, {2, 2, 3}};
  for (const Placed& t : tiles) SetNameTableTile(0, t.row, t.column, 1);

  Draw();
  for (const Placed& t : tiles) {
    for (int r = 0; r < 8; ++r) {
      for (int c = 0; c < 8; ++c) {
        const unsigned char expected = colours[c] ? Value(t.palette, colours[c]) : kBackdrop;
        ASSERT_EQ(NesPixel(Back(), t.row * 8 + r, t.column * 8 + c), expected)
            << "tile row " << t.row << " column " << t.column << " pixel " << r << "," << c;
      }
    }
  }
  EXPECT_EQ(NesPixel(Back(), 8, 8), kBackdrop) << "tile 0 is transparent";
}

TEST_F(BackgroundDraw, PatternTableAndFineRowOfTheLine) {
  SetDistinctPalettes();
  for (int r = 0; r < 8; ++r) PPU.PPUMem[0x1000 + 2 * 16 + r] = 0x80 >> r;  // table 1, tile 2
  PrerenderPatternTiles(0x1020, 0x1030);
  SetNameTableTile(0, 1, 0, 2);
  SetScrollAllLines(0, 0, 0, 0x1000);
  Draw();
  for (int r = 0; r < 8; ++r) {
    for (int c = 0; c < 8; ++c) {
      EXPECT_EQ(NesPixel(Back(), 8 + r, c), c == r ? Value(0, 1) : kBackdrop) << r << "," << c;
    }
  }
}

TEST_F(BackgroundDraw, HorizontalScrollCrossesIntoTheNeighbouringNameTable) {
  SetDistinctPalettes();
  SetSolidTile(1, 1);
  SetSolidTile(2, 2);
  SetSolidTile(3, 3);
  FillNameTable(0, 1);
  FillNameTable(1, 2);
  for (int row = 0; row < 30; ++row) SetNameTableTile(1, row, 0, 3);
  const int line = 100;

  SetScrollAllLines(8, 0, 0, 0);  // the last eight pixels: column 0 of $2400
  Draw();
  for (int x = 0; x < 248; ++x) ASSERT_EQ(NesPixel(Back(), line, x), Value(0, 1)) << x;
  for (int x = 248; x < 256; ++x) ASSERT_EQ(NesPixel(Back(), line, x), Value(0, 3)) << x;

  SetScrollAllLines(8, 0, 1, 0);  // seen from $2400 the neighbour is $2000
  Draw();
  for (int x = 0; x < 248; ++x) ASSERT_EQ(NesPixel(Back(), line, x), Value(0, 2)) << x;
  for (int x = 248; x < 256; ++x) ASSERT_EQ(NesPixel(Back(), line, x), Value(0, 1)) << x;

  SetScrollAllLines(3, 0, 0, 0);  // unaligned: the crossing falls inside a tile
  Draw();
  EXPECT_EQ(NesPixel(Back(), line, 252), Value(0, 1));
  for (int x = 253; x < 256; ++x) EXPECT_EQ(NesPixel(Back(), line, x), Value(0, 3)) << x;

  SetScrollAllLines(255, 0, 0, 0);
  Draw();
  EXPECT_EQ(NesPixel(Back(), line, 0), Value(0, 1)) << "column 31, pixel 7 of $2000";
  for (int x = 1; x < 9; ++x) EXPECT_EQ(NesPixel(Back(), line, x), Value(0, 3)) << x;
  EXPECT_EQ(NesPixel(Back(), line, 9), Value(0, 2));
}

TEST_F(BackgroundDraw, VerticalScrollCrossesIntoTheNameTableBelow) {
  SetDistinctPalettes();
  // Tile 5: rows 0-6 colour 2, row 7 colour 1. Tile 6: row 7 colour 3.
  // Tile 8: row 6 colour 3, the other rows colour 1.
  for (int r = 0; r < 8; ++r) {
    PPU.PPUMem[5 * 16 + r] = r == 7 ? 0xFF : 0x00;
    PPU.PPUMem[5 * 16 + 8 + r] = r == 7 ? 0x00 : 0xFF;
    PPU.PPUMem[6 * 16 + r] = r == 7 ? 0xFF : 0x00;
    PPU.PPUMem[6 * 16 + 8 + r] = 0xFF;
    PPU.PPUMem[8 * 16 + r] = 0xFF;
    PPU.PPUMem[8 * 16 + 8 + r] = r == 6 ? 0xFF : 0x00;
  }
  PrerenderPatternTiles(0, 0x2000);
  for (int column = 0; column < 32; ++column) {
    SetNameTableTile(2, 0, column, 5);
    SetNameTableTile(0, 0, column, 6);
    SetNameTableTile(2, 28, column, 8);
  }

  SetScrollAllLines(0, 16, 0, 0);  // line 231 is plane row 247: $2800, tile row 0, fine row 7
  Draw();
  EXPECT_EQ(NesPixel(Back(), 231, 0), Value(0, 1));
  EXPECT_EQ(NesPixel(Back(), 230, 0), Value(0, 2));

  SetScrollAllLines(0, 16, 2, 0);  // seen from $2800 the table below is $2000
  Draw();
  EXPECT_EQ(NesPixel(Back(), 231, 0), Value(0, 3));
  EXPECT_EQ(NesPixel(Back(), 230, 0), Value(0, 2));

  SetScrollAllLines(0, 239, 0, 0);  // line 231 is plane row 470: $2800, tile row 28, fine row 6
  Draw();
  EXPECT_EQ(NesPixel(Back(), 231, 0), Value(0, 3));
  EXPECT_EQ(NesPixel(Back(), 230, 0), Value(0, 1));
  EXPECT_EQ(NesPixel(Back(), 8, 0), Value(0, 1)) << "plane row 247: tile row 0, fine row 7";
}

TEST_F(BackgroundDraw, EachLineUsesItsOwnRecord) {
  SetDistinctPalettes();
  SetSolidTile(1, 1);
  SetSolidTile(2, 2);
  SetSolidTile(3, 3);
  SetSolidTile(256 + 2, 3);  // tile 2 of table 1 differs from tile 2 of table 0
  for (int row = 0; row < 30; ++row)
    for (int column = 0; column < 32; ++column) SetNameTableTile(0, row, column, 1 + column % 3);
  FillNameTable(1, 3);
  for (int i = 100; i < 240; ++i) ScanScrollH[i] = 8;
  for (int i = 150; i < 240; ++i) ScanBackPattern[i] = 0x1000;
  for (int i = 200; i < 240; ++i) ScanNameTable[i] = 1;
  Draw();
  EXPECT_EQ(NesPixel(Back(), 99, 0), Value(0, 1)) << "column 0, no scroll yet";
  EXPECT_EQ(NesPixel(Back(), 100, 0), Value(0, 2)) << "scrolled by one tile";
  EXPECT_EQ(NesPixel(Back(), 149, 0), Value(0, 2));
  EXPECT_EQ(NesPixel(Back(), 150, 0), Value(0, 3)) << "pattern table 1 from this line on";
  EXPECT_EQ(NesPixel(Back(), 199, 0), Value(0, 3));
  EXPECT_EQ(NesPixel(Back(), 200, 0), kBackdrop) << "$2400 holds tile 3, empty in table 1";
}

TEST_F(BackgroundDraw, OnlyEvenRowsOfTheShownLinesAreDrawn) {
  SetDistinctPalettes();
  SetSolidTile(1, 1);
  for (int table = 0; table < 4; ++table) FillNameTable(table, 1);
  for (int i = 0; i < 8; ++i) ScanScrollH[i] = 77;  // records of hidden lines are never used
  for (int i = 232; i < 240; ++i) ScanScrollH[i] = 77;
  ClearScreen(0xEE);
  BackGround.Draw();
  for (int y = 0; y < SurfaceHeight; ++y) {
    for (int x = 0; x < SurfaceWidth; ++x) {
      const bool picture = y % 2 == 0 && y >= 16 && y <= 462 && x >= 64 && x < 576;
      ASSERT_EQ(Back()->At(x, y), picture ? Value(0, 1) : 0xEE) << x << "," << y;
    }
  }
}

TEST_F(BackgroundDraw, MaskBitOffDrawsNothing) {
  SetDistinctPalettes();
  SetSolidTile(1, 1);
  FillNameTable(0, 1);
  CPU.Memory[0x2001] = 0x10 | 0xE7;  // everything but the background bit
  ClearScreen(0xEE);
  BackGround.Draw();
  for (int y = 0; y < SurfaceHeight; ++y)
    for (int x = 0; x < SurfaceWidth; ++x) ASSERT_EQ(Back()->At(x, y), 0xEE) << x << "," << y;
  _DDSURFACEDESC surface;
  EXPECT_EQ(LockSurface(surface, lpDDSBack), 1) << "the back buffer was left unlocked";
}

TEST_F(BackgroundDraw, BackdropGoesThroughEntry64) {
  PPU.PPUMem[0x3F00] = 0x21;
  ClearScreen(0xEE);
  DrawBackgroundColor();
  const DirectDrawPalette* live = lpDDPal;
  EXPECT_EQ(live->entries[64].peRed, 0x04);
  EXPECT_EQ(live->entries[64].peGreen, 0x94);
  EXPECT_EQ(live->entries[64].peBlue, 0xF4);
  EXPECT_EQ(live->entries[0].peRed, 0x94) << "colour $00 stays in entry 0";
  for (int y = 0; y < SurfaceHeight; ++y) {
    for (int x = 0; x < SurfaceWidth; ++x) {
      const bool picture = y % 2 == 0 && y >= 16 && y <= 462 && x >= 64 && x < 576;
      ASSERT_EQ(Back()->At(x, y), picture ? kBackdrop : 0) << x << "," << y;
    }
  }

  PPU.PPUMem[0x3F00] = 0x4D;  // palette bytes are stored unmasked
  DrawBackgroundColor();
  EXPECT_EQ(live->entries[64].peRed, 0);
  EXPECT_EQ(live->entries[64].peGreen, 0);
  EXPECT_EQ(live->entries[64].peBlue, 0);
  PPU.PPUMem[0x3F00] = 0xFF;
  DrawBackgroundColor();
  EXPECT_EQ(live->entries[64].peRed, 0) << "colour $3F";
}

}  // namespace
