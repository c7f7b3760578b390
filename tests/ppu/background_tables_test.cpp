// The background's addressing tables and per-line scroll records, checked
// against hand-worked addresses of the NES name-table layout.
#include <gtest/gtest.h>

#include "cpu/cpu.h"
#include "ppu/background.h"
#include "ppu/ppu.h"

namespace {

TEST(NameTables, PlaneWrapsIntoTheNeighbouringTables) {
  EXPECT_EQ(NameTables[0][0][0], 0x2000);
  EXPECT_EQ(NameTables[0][255][239], 0x2000 + 29 * 32 + 31);
  EXPECT_EQ(NameTables[0][256][0], 0x2400) << "right of table 0 is table 1";
  EXPECT_EQ(NameTables[1][256][0], 0x2000) << "right of table 1 is table 0";
  EXPECT_EQ(NameTables[0][0][247], 0x2800) << "below table 0 is table 2, tile row 0";
  EXPECT_EQ(NameTables[2][0][247], 0x2000);
  EXPECT_EQ(NameTables[0][511][470], 0x2C00 + 28 * 32 + 31);
  EXPECT_EQ(NameTables[3][300][100], 0x2800 + 12 * 32 + 5);
}

TEST(AttributeTables, QuartersOfTheFourByFourBlock) {
  EXPECT_EQ(AttribBytes[0x2000 + 2 * 32 + 2], 0x23C0);
  EXPECT_EQ(AttribBits[0x2000 + 2 * 32 + 2], 0xC0) << "row 2, column 2: bottom right";
  EXPECT_EQ(AttribBits[0x2000 + 0 * 32 + 2], 0x0C) << "row 0, column 2: top right";
  EXPECT_EQ(AttribBits[0x2000 + 2 * 32 + 0], 0x30) << "row 2, column 0: bottom left";
  EXPECT_EQ(AttribBits[0x2000 + 1 * 32 + 1], 0x03);
  EXPECT_EQ(AttribBytes[0x2C00 + 29 * 32 + 31], 0x2FC0 + 7 * 8 + 7);
  EXPECT_EQ(AttribBytes[0x1234], 0);
  EXPECT_EQ(AttribBits[0x1234], 0);
}

TEST(ScanlineScroll, RecordsTheStateUnderTheCurrentLine) {
  BackGround.HScroll = 0x12;
  BackGround.VScroll = 0x34;
  CPU.Memory[0x2000] = 0x13;
  PPU.Scanline = 77;
  SetScanlineScroll();
  EXPECT_EQ(ScanScrollH[77], 0x12);
  EXPECT_EQ(ScanScrollV[77], 0x34);
  EXPECT_EQ(ScanNameTable[77], 3);
  EXPECT_EQ(ScanBackPattern[77], 0x1000u);
  PPU.Scanline = 0;
  CPU.Memory[0x2000] = 0;
}

}  // namespace
