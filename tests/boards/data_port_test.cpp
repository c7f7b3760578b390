// The PPU data port both boards share, run through each real plug-in.

#include "tests/boards/board_fixture.h"

namespace {

struct PortCase {
  const char* board;
  unsigned int mirroringRegister;  // bit 0: 1 horizontal, 0 vertical
};

// Test names (and CTest's) show the board, not the record's bytes and pointer.
void PrintTo(const PortCase& c, std::ostream* out) {
  *out << c.board;
}

class DataPort : public HostState, public ::testing::WithParamInterface<PortCase> {
 protected:
  void SetUp() override {
    HostState::SetUp();
    board.Load(2, 1);
  }
  void Mirroring(unsigned char bit) { board.MainWrite(GetParam().mirroringRegister, bit); }
  void WriteAt(unsigned int address, unsigned char value) {
    BoardUnderTest::SetPpuAddress(address);
    board.VramWrite(value);
  }
  BoardUnderTest board{GetParam().board};
};

TEST_P(DataPort, FirstReadAfterAnAddressDoesNotAdvance) {
  PPU.PPUMem[0x2100] = 0x11;
  PPU.PPUMem[0x2101] = 0x22;
  BoardUnderTest::SetPpuAddress(0x2100);
  EXPECT_EQ(board.VramRead(), 0x11);
  EXPECT_EQ(board.VramRead(), 0x11);
  EXPECT_EQ(board.VramRead(), 0x22);
  EXPECT_EQ(WriteAddress, 0x2102);
}

TEST_P(DataPort, WritesAdvanceBy1OrBy32AndLeaveTheValueAt2007) {
  BoardUnderTest::SetPpuAddress(0x2000);
  board.VramWrite(0x41);
  EXPECT_EQ(WriteAddress, 0x2001);
  EXPECT_EQ(CPU.Memory[0x2007], 0x41);
  CPU.Memory[0x2000] = 0x04;
  board.VramWrite(0x42);
  EXPECT_EQ(WriteAddress, 0x2021);
  EXPECT_EQ(PPU.PPUMem[0x2001], 0x42);
  EXPECT_EQ(CPU.Memory[0x2007], 0x42);
}

TEST_P(DataPort, BackdropEntryIsSharedAndOtherPaletteBytesAreNot) {
  WriteAt(0x3F10, 0x21);
  EXPECT_EQ(PPU.PPUMem[0x3F00], 0x21);
  WriteAt(0x3F00, 0x0F);
  EXPECT_EQ(PPU.PPUMem[0x3F10], 0x0F);
  WriteAt(0x3F04, 0x30);
  EXPECT_EQ(PPU.PPUMem[0x3F14], 0x00);
  EXPECT_EQ(PPU.PPUMem[0x3F04], 0x30);
}

TEST_P(DataPort, HorizontalMirroringCopiesForwardOnly) {
  Mirroring(1);
  WriteAt(0x2005, 0xAA);
  WriteAt(0x2810, 0xBB);
  WriteAt(0x2405, 0xCC);
  EXPECT_EQ(PPU.PPUMem[0x2405], 0xCC);
  EXPECT_EQ(PPU.PPUMem[0x2005], 0xAA);
  EXPECT_EQ(PPU.PPUMem[0x2C10], 0xBB);
  EXPECT_EQ(PPU.PPUMem[0x2805], 0x00);
}

TEST_P(DataPort, VerticalMirroringCopiesForwardOnly) {
  Mirroring(0);
  WriteAt(0x2010, 0x5A);
  WriteAt(0x2405, 0x66);
  WriteAt(0x2C20, 0x77);
  EXPECT_EQ(PPU.PPUMem[0x2810], 0x5A);
  EXPECT_EQ(PPU.PPUMem[0x2410], 0x00);
  EXPECT_EQ(PPU.PPUMem[0x2C05], 0x66);
  EXPECT_EQ(PPU.PPUMem[0x2420], 0x00);
}

TEST_P(DataPort, PatternWritesReachTheTileCacheAtOnce) {
  // Tile 1, row 0: plane 0 $80 and plane 1 $80 make the leftmost pixel 3.
  WriteAt(0x0010, 0x80);
  WriteAt(0x0018, 0x80);
  EXPECT_EQ(PPU.PatternTiles[1].data[0], 3);
  EXPECT_EQ(PPU.PatternTiles[1].data[1], 0);
}

TEST_P(DataPort, AddressesFrom4000UpUseThe14BitBus) {
  Mirroring(1);
  WriteAt(0x6010, 0x99);
  EXPECT_EQ(PPU.PPUMem[0x2010], 0x99);
  EXPECT_EQ(PPU.PPUMem[0x2410], 0x99);
  // The host's latch itself keeps counting in 16 bits.
  EXPECT_EQ(WriteAddress, 0x6011);
  WriteAt(0xFFFF, 0x12);
  EXPECT_EQ(PPU.PPUMem[0x3FFF], 0x12);
  EXPECT_EQ(WriteAddress, 0x0000);
  PPU.PPUMem[0x0123] = 0x34;
  BoardUnderTest::SetPpuAddress(0xC123);
  EXPECT_EQ(board.VramRead(), 0x34);
}

INSTANTIATE_TEST_SUITE_P(BothBoards, DataPort,
                         ::testing::Values(PortCase{"board4", 0xA000}, PortCase{"board9", 0xF000}),
                         [](const auto& info) { return std::string(info.param.board); });

}  // namespace
