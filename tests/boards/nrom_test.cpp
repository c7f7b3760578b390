// The NROM board (board0.so): program windows and character memory.

#include "tests/boards/board_fixture.h"

namespace {

class Nrom : public HostState {
 protected:
  BoardUnderTest board{"board0"};
};

TEST_F(Nrom, SixteenKilobytesShowAtBothHalvesAndThirtyTwoFillThem) {
  board.Load(1, 1);
  EXPECT_EQ(MemoryPage[0], MemoryPage[2]);
  EXPECT_EQ(MemoryPage[1], MemoryPage[3]);
  EXPECT_EQ(BoardUnderTest::WindowBank(1), 1u);
  board.Load(2, 1);
  for (int window = 0; window < 4; ++window)
    EXPECT_EQ(BoardUnderTest::WindowBank(window), static_cast<unsigned int>(window));
  EXPECT_EQ(board.MainRead(0xE000), 3u);
}

TEST_F(Nrom, WritesChangeNeitherWindowsNorProgram) {
  board.Load(2, 1);
  const unsigned char before = board.MainRead(0x8123);
  board.MainWrite(0x8123, static_cast<unsigned char>(before + 1));
  board.MainWrite(0xFFFF, 0x80);
  EXPECT_EQ(board.MainRead(0x8123), before);
  EXPECT_EQ(BoardUnderTest::WindowBank(3), 3u);
}

TEST_F(Nrom, CharacterRomIsCopiedAndCharacterRamStartsClear) {
  board.Load(1, 1);
  EXPECT_EQ(PPU.PPUMem[0x0000], 0);
  EXPECT_EQ(PPU.PPUMem[0x1FFF], 7);  // the last 1 KB of the bank
  board.Load(1, 0);
  for (unsigned int address : {0x0000u, 0x1000u, 0x1FFFu}) EXPECT_EQ(PPU.PPUMem[address], 0);
}

}  // namespace
