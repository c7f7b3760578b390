// PPU memory, the tile cache and the palettes.
#include <gtest/gtest.h>

#include <cstring>

#include "cart/rom.h"
#include "ppu/dx.h"
#include "ppu/ppu.h"

namespace {

void SetRow0Planes(unsigned int tileAddress, unsigned char low, unsigned char high) {
  PPU.PPUMem[tileAddress] = low;
  PPU.PPUMem[tileAddress + 8] = high;
}

TEST(PatternTiles, PlanesCombineIntoColourNumbers) {
  SetRow0Planes(0x0000, 0xFF, 0x00);
  SetRow0Planes(0x0010, 0x00, 0xFF);
  SetRow0Planes(0x0020, 0xFF, 0xFF);
  SetRow0Planes(0x0030, 0x80, 0x01);  // leftmost pixel is bit 7
  PrerenderPatternTiles(0, 0x40);
  for (int c = 0; c < 8; ++c) {
    EXPECT_EQ(PPU.PatternTiles[0].data[c], 1);
    EXPECT_EQ(PPU.PatternTiles[1].data[c], 2);
    EXPECT_EQ(PPU.PatternTiles[2].data[c], 3);
  }
  EXPECT_EQ(PPU.PatternTiles[3].data[0], 1);
  EXPECT_EQ(PPU.PatternTiles[3].data[7], 2);
  EXPECT_EQ(PPU.PatternTiles[3].data[3], 0);
}

TEST(PatternTiles, OneByteRangeRebuildsExactlyItsTile) {
  std::memset(PPU.PPUMem + 0x1220, 0xFF, 0x30);  // tiles $122, $123, $124
  PPU.PatternTiles[0x122].data[0] = 9;
  PPU.PatternTiles[0x123].data[0] = 9;
  PPU.PatternTiles[0x124].data[0] = 9;
  PrerenderPatternTiles(0x1234, 0x1235);
  EXPECT_EQ(PPU.PatternTiles[0x123].data[0], 3);
  EXPECT_EQ(PPU.PatternTiles[0x122].data[0], 9);
  EXPECT_EQ(PPU.PatternTiles[0x124].data[0], 9);

  PrerenderPatternTiles(0x1224, 0x1224);  // empty range
  EXPECT_EQ(PPU.PatternTiles[0x122].data[0], 9);
}

TEST(PatternTiles, UnalignedStartStepsFromTheUnalignedAddress) {
  std::memset(PPU.PPUMem + 0x0400, 0xFF, 0x40);
  for (int t = 0x40; t < 0x44; ++t) PPU.PatternTiles[t].data[0] = 9;
  PrerenderPatternTiles(0x040F, 0x0420);  // $040F and $041F: tiles $40 and $41
  EXPECT_EQ(PPU.PatternTiles[0x40].data[0], 3);
  EXPECT_EQ(PPU.PatternTiles[0x41].data[0], 3);
  EXPECT_EQ(PPU.PatternTiles[0x42].data[0], 9);
}

TEST(PatternTiles, RangesPastThePatternTablesStopAtTheLastTile) {
  PrerenderPatternTiles(0x1FF0, 0xFFFFFFFF);  // must not write past tile 511
  PrerenderPatternTiles(0x4000, 0x5000);
  SUCCEED();
}

TEST(InitializePPU, ReadsMirroringAndClearsNameTablesAndPalettes) {
  std::memset(PPU.PPUMem, 0xAA, sizeof PPU.PPUMem);
  ROMimage.Header[6] = 0x41;
  InitializePPU();
  EXPECT_EQ(PPU.Mirroring, 1u);
  for (int a = 0x2000; a < 0x4000; ++a) ASSERT_EQ(PPU.PPUMem[a], 0) << std::hex << a;
  EXPECT_EQ(PPU.PPUMem[0x1FFF], 0xAA) << "pattern tables are kept";
  for (int t = 0; t < 512; ++t) {  // $AA in both planes: colours 3, 0, 3, 0, ...
    ASSERT_EQ(PPU.PatternTiles[t].data[0], 3) << t;
    ASSERT_EQ(PPU.PatternTiles[t].data[63], 0) << t;
  }

  ROMimage.Header[6] = 0x40;
  InitializePPU();
  EXPECT_EQ(PPU.Mirroring, 0u);
  ROMimage.Header[6] = 0;
}

TEST(Palette, FourCopiesOfTheNesColours) {
  InitNESPalette();
  EXPECT_EQ(ShadowPal[0x01].peRed, 0x14);
  EXPECT_EQ(ShadowPal[0x01].peGreen, 0x54);
  EXPECT_EQ(ShadowPal[0x01].peBlue, 0xF4);
  EXPECT_EQ(ShadowPal[0x01].peFlags, 4);
  EXPECT_EQ(ShadowPal[0x3D].peRed, 0xF4);
  EXPECT_EQ(ShadowPal[0x3D].peBlue, 0xF4);
  for (int v = 0; v < 64; ++v) {
    for (int copy = 1; copy < 4; ++copy) {
      EXPECT_EQ(ShadowPal[copy * 64 + v].peRed, ShadowPal[v].peRed);
      EXPECT_EQ(ShadowPal[copy * 64 + v].peGreen, ShadowPal[v].peGreen);
      EXPECT_EQ(ShadowPal[copy * 64 + v].peBlue, ShadowPal[v].peBlue);
    }
  }
}

TEST(Palette, SetWhileClosedChangesOnlyTheCopy) {
  ASSERT_EQ(DDrawRunning, 0);
  InitNESPalette();
  SetNESPalette(64, 0x0F);
  EXPECT_EQ(ShadowPal[64].peRed, 0);
  SetNESPalette(64, 0x21);
  EXPECT_EQ(ShadowPal[64].peGreen, 0x94);
}

TEST(Palette, BackdropBytesOfSixtyFourOrMoreUseTheLowSixBits) {
  SetNESPalette(64, 0x41);  // a backdrop byte stored unmasked
  EXPECT_EQ(ShadowPal[64].peRed, 0x14);
  EXPECT_EQ(ShadowPal[64].peBlue, 0xF4);
  SetNESPalette(64, 0xFF);
  EXPECT_EQ(ShadowPal[64].peRed, 0);
  SetNESPalette(300, 1);  // an entry outside the palette is ignored
}

}  // namespace
