// Sprite memory: its ports and the sprite-0 line prediction.
#include <gtest/gtest.h>

#include <cstring>

#include "cpu/cpu.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

namespace {

class SpriteMemory : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(PPU.PPUMem, 0, 0x2000);
    std::memset(SPRRAM.SPR_RAM, 0, 256);
    CPU.Memory[0x2000] = 0;
    SPRRAM.Address = 0;
  }
  // Puts sprite 0 at y with the given tile through the data port.
  void WriteSprite0(unsigned char y, unsigned char tile) {
    SPRRAM.write2003(0);
    SPRRAM.write2004(y);
    SPRRAM.write2004(tile);
  }
};

TEST_F(SpriteMemory, Sprite0LineIsItsFirstOpaqueRow) {
  PPU.PPUMem[0x0070 + 3] = 0x10;  // tile 7, row 3, low plane
  WriteSprite0(100, 7);
  EXPECT_EQ(Sprite0Scanline, 104);

  PPU.PPUMem[0x0070 + 3] = 0;
  PPU.PPUMem[0x0070 + 8 + 1] = 0x01;  // row 1, high plane only
  WriteSprite0(100, 7);
  EXPECT_EQ(Sprite0Scanline, 102);
}

TEST_F(SpriteMemory, TransparentSprite0StillGivesALine) {
  WriteSprite0(100, 7);
  EXPECT_EQ(Sprite0Scanline, 109);
  CPU.Memory[0x2000] = 0x20;  // 8x16
  WriteSprite0(100, 7);
  EXPECT_EQ(Sprite0Scanline, 117);
  WriteSprite0(250, 7);
  EXPECT_EQ(Sprite0Scanline, (250 + 17) % 256);
}

TEST_F(SpriteMemory, Sprite0UsesTheSelectedPatternTable) {
  PPU.PPUMem[0x1000 + 0x20 + 5] = 0xFF;  // table 1, tile 2, row 5
  WriteSprite0(10, 2);
  EXPECT_EQ(Sprite0Scanline, 10 + 8 + 1) << "8x8 sprites read table 0 by default";
  CPU.Memory[0x2000] = 0x08;
  WriteSprite0(10, 2);
  EXPECT_EQ(Sprite0Scanline, 10 + 5 + 1);
}

TEST_F(SpriteMemory, TallSprite0ScansBothTilesOfThePair) {
  CPU.Memory[0x2000] = 0x20;
  // Tile $05 in 8x16 mode is the pair 4/5 of pattern table 1.
  PPU.PPUMem[0x1000 + 0x50 + 2] = 0x01;  // row 2 of the bottom tile = sprite row 10
  WriteSprite0(40, 0x05);
  EXPECT_EQ(Sprite0Scanline, 40 + 10 + 1);
}

TEST_F(SpriteMemory, DataPortWrapsAndOnlySprite0BytesRepredict) {
  SPRRAM.write2003(255);
  SPRRAM.write2004(0x42);
  EXPECT_EQ(SPRRAM.SPR_RAM[255], 0x42);
  EXPECT_EQ(SPRRAM.Address, 0);

  WriteSprite0(20, 0);
  const unsigned char line = Sprite0Scanline;
  SPRRAM.write2003(2);
  PPU.PPUMem[0] = 0xFF;
  SPRRAM.write2004(0);  // attributes of sprite 0: no new prediction
  EXPECT_EQ(Sprite0Scanline, line);
}

TEST_F(SpriteMemory, DmaRepredictsOnlyWhenTheAddressIsZeroOrOne) {
  CPU.Memory[0x0300] = 50;  // sprite 0 Y in the page to copy
  SPRRAM.write2003(5);
  Sprite0Scanline = 3;
  SPRRAM.write4014(0x03);
  EXPECT_EQ(SPRRAM.SPR_RAM[0], 50);
  EXPECT_EQ(Sprite0Scanline, 3);
  SPRRAM.write2003(1);
  SPRRAM.write4014(0x03);
  EXPECT_EQ(Sprite0Scanline, 50 + 9);
}

TEST_F(SpriteMemory, TileViewsFollowTheBytes) {
  SPRRAM.Initialize();
  SPRRAM.SPR_RAM[4 * 9 + 0] = 1;
  SPRRAM.SPR_RAM[4 * 9 + 1] = 2;
  SPRRAM.SPR_RAM[4 * 9 + 2] = 3;
  SPRRAM.SPR_RAM[4 * 9 + 3] = 4;
  const SpriteTile& tile = SPRRAM.Sprites[9];
  EXPECT_EQ(*tile.y, 1);
  EXPECT_EQ(*tile.TileIndex, 2);
  EXPECT_EQ(*tile.Attributes, 3);
  EXPECT_EQ(*tile.x, 4);
  EXPECT_EQ(SPRRAM.GetMem(4 * 9 + 3), 4);
}

}  // namespace
