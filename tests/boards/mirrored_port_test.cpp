// The data port of the boards that store every name-table copy, run
// through each real plug-in whose mirroring the header sets.

#include "tests/boards/board_fixture.h"

namespace {

class MirroredPort : public HostState, public ::testing::WithParamInterface<const char*> {
 protected:
  // headerByte6: bit 0 vertical, bit 3 four tables.
  void Load(unsigned char headerByte6, unsigned int chrPages = 1) {
    board.image.Header[6] = headerByte6;
    board.Load(2, chrPages);
  }
  static void WriteAt(BoardUnderTest& b, unsigned int address, unsigned char value) {
    BoardUnderTest::SetPpuAddress(address);
    b.VramWrite(value);
  }
  void WriteAt(unsigned int address, unsigned char value) { WriteAt(board, address, value); }
  unsigned char ReadAt(unsigned int address) {
    BoardUnderTest::SetPpuAddress(address);
    board.VramRead();
    return board.VramRead();
  }
  BoardUnderTest board{GetParam()};
};

TEST_P(MirroredPort, HorizontalStoresBothCopiesFromEitherTable) {
  Load(0x00);
  WriteAt(0x2405, 0x11);
  EXPECT_EQ(PPU.PPUMem[0x2005], 0x11);
  WriteAt(0x2805, 0x22);
  EXPECT_EQ(PPU.PPUMem[0x2C05], 0x22);
  EXPECT_EQ(PPU.PPUMem[0x2405], 0x11);
}

TEST_P(MirroredPort, VerticalStoresBothCopiesFromEitherTable) {
  Load(0x01);
  WriteAt(0x2C05, 0x33);
  EXPECT_EQ(PPU.PPUMem[0x2405], 0x33);
  WriteAt(0x2005, 0x44);
  EXPECT_EQ(PPU.PPUMem[0x2805], 0x44);
  EXPECT_EQ(PPU.PPUMem[0x2C05], 0x33);
}

TEST_P(MirroredPort, FourTablesOfTheirOwnKeepEveryByteApart) {
  Load(0x09);
  for (unsigned int table = 0; table < 4; ++table) WriteAt(0x2010 + table * 0x400, 0x50 + table);
  for (unsigned int table = 0; table < 4; ++table)
    EXPECT_EQ(PPU.PPUMem[0x2010 + table * 0x400], 0x50 + table);
}

TEST_P(MirroredPort, The3000AreaReachesTheNameTables) {
  Load(0x01);
  WriteAt(0x3123, 0x66);
  EXPECT_EQ(PPU.PPUMem[0x2123], 0x66);
  EXPECT_EQ(PPU.PPUMem[0x2923], 0x66);
  EXPECT_EQ(ReadAt(0x3923), 0x66);
}

TEST_P(MirroredPort, PaletteEntriesLandInEveryMirror) {
  Load(0x00);
  WriteAt(0x3F14, 0x2A);  // sprite entry 0 is the background entry's byte
  WriteAt(0x3FE9, 0x15);  // $3F20-$3FFF repeat the 32 entries
  for (unsigned int copy = 0x3F00; copy < 0x4000; copy += 0x20) {
    EXPECT_EQ(PPU.PPUMem[copy + 0x04], 0x2A) << std::hex << copy;
    EXPECT_EQ(PPU.PPUMem[copy + 0x14], 0x2A) << std::hex << copy;
    EXPECT_EQ(PPU.PPUMem[copy + 0x09], 0x15) << std::hex << copy;
    EXPECT_EQ(PPU.PPUMem[copy + 0x19], 0x00) << std::hex << copy;
  }
}

TEST_P(MirroredPort, CharacterRomIgnoresWritesAndCharacterRamKeepsThem) {
  Load(0x00, 1);
  const unsigned char before = PPU.PPUMem[0x0123];
  WriteAt(0x0123, 0xEE);
  EXPECT_EQ(PPU.PPUMem[0x0123], before);

  BoardUnderTest ramBoard{GetParam()};
  ramBoard.Load(2, 0);
  WriteAt(ramBoard, 0x1FF0, 0x80);  // leftmost pixel of the last tile's top row
  EXPECT_EQ(PPU.PPUMem[0x1FF0], 0x80);
  EXPECT_EQ(PPU.PatternTiles[511].data[0], 1);
}

INSTANTIATE_TEST_SUITE_P(HeaderMirroredBoards, MirroredPort,
                         ::testing::Values("board0", "board2", "board3", "board30"));

}  // namespace
