// The UNROM 512 board (board30.so): the flash boards' register and the
// one-screen boards' page.

#include "tests/boards/board_fixture.h"

namespace {

class Unrom512 : public HostState {
 protected:
  void Load(unsigned char headerByte6) {
    board.image.Header[6] = headerByte6;
    board.Load(4, 0);
  }
  BoardUnderTest board{"board30"};
};

TEST_F(Unrom512, FlashBoardsAnswerOnlyAtC000AndTheFlashIsNeverWritten) {
  Load(0x02);  // battery bit: a self-writable board
  const unsigned char before = board.MainRead(0x8010);
  board.MainWrite(0x8010, 2);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 0u);
  EXPECT_EQ(board.MainRead(0x8010), before);
  board.MainWrite(0xC000, 2);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 4u);
  EXPECT_EQ(BoardUnderTest::WindowBank(3), 7u);
}

TEST_F(Unrom512, BoardsWithoutFlashAnswerEverywhereAndIgnoreBit7UnlessOneScreen) {
  Load(0x00);  // horizontal
  board.MainWrite(0x8000, 0x81);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 2u);
  BoardUnderTest::SetPpuAddress(0x2005);
  board.VramWrite(0x11);
  EXPECT_EQ(PPU.PPUMem[0x2405], 0x11);
  EXPECT_EQ(PPU.PPUMem[0x2805], 0x00);
}

}  // namespace
