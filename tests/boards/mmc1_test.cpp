// The MMC1 board (board1.so): the 512 KB boards, character RAM in 4 KB
// banks, and the write that follows its own read.

#include "tests/boards/board_fixture.h"

namespace {

class Mmc1 : public HostState {
 protected:
  // Five writes at five different moments, lowest bit first.
  void Load(unsigned int address, unsigned char value) {
    for (int bit = 0; bit < 5; ++bit) {
      CPU.Cycles += 4;
      board.MainWrite(address, (value >> bit) & 1);
    }
  }
  void WriteAt(unsigned int address, unsigned char value) {
    BoardUnderTest::SetPpuAddress(address);
    board.VramWrite(value);
  }
  BoardUnderTest board{"board1"};
};

TEST_F(Mmc1, Bit4OfCharacterBank0ChoosesTheHalfOf512KB) {
  board.Load(32, 0);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 0u);
  EXPECT_EQ(BoardUnderTest::WindowBank(2), 30u);  // 16 KB bank 15: the last of the first half
  Load(0xA000, 0x10);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 32u);
  EXPECT_EQ(BoardUnderTest::WindowBank(2), 62u);
  Load(0xE000, 3);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 38u);  // 16 + 3
  Load(0xA000, 0x00);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 6u);
}

TEST_F(Mmc1, SmallImagesFixTheirOwnLastBank) {
  board.Load(6, 1);  // not a power of two
  EXPECT_EQ(BoardUnderTest::WindowBank(2), 10u);
  Load(0xE000, 7);  // wraps to 1
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 2u);
}

TEST_F(Mmc1, FourKilobyteCharacterRamBanksKeepTheirBytesAndShareOneBank) {
  board.Load(2, 0);
  Load(0x8000, 0x1F);  // two 4 KB banks: 0 and 0
  WriteAt(0x1020, 0x77);
  EXPECT_EQ(PPU.PPUMem[0x0020], 0x77);  // both tables show the one bank
  Load(0xC000, 1);
  EXPECT_EQ(PPU.PPUMem[0x1020], 0x00);
  WriteAt(0x1020, 0x55);
  Load(0xA000, 1);  // bank 1 in both
  EXPECT_EQ(PPU.PPUMem[0x0020], 0x55);
  Load(0xC000, 0);
  EXPECT_EQ(PPU.PPUMem[0x1020], 0x77);
  EXPECT_EQ(PPU.PatternTiles[0x102].data[0], 0);  // tiles rebuilt: $77 has bit 7 clear
  EXPECT_EQ(PPU.PatternTiles[0x102].data[1], 1);
}

TEST_F(Mmc1, AWriteAtTheMomentOfItsOwnReadActsOnTheByteRead) {
  board.Load(8, 1);
  board.image.PRG_ROM[0x7FF0] = 0xFF;  // $BFF0 with program bank 1 at $8000
  Load(0xE000, 1);
  CPU.Cycles = 40;
  board.MainWrite(0xE000, 1);
  board.MainWrite(0xE000, 1);  // three bits written at other moments...
  CPU.Cycles = 60;
  CPU.PC = 0xC123;
  EXPECT_EQ(board.MainRead(0xBFF0), 0xFF);
  board.MainWrite(0xBFF0, 0x00);  // ...then an INC: $FF back first resets, $00 is ignored
  Load(0xE000, 2);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 4u);

  // A write at another moment than the read is an ordinary write.
  CPU.Cycles = 100;
  board.MainRead(0xBFF0);
  CPU.Cycles = 104;
  board.MainWrite(0xBFF0, 0x00);
  for (int bit = 1; bit < 5; ++bit) {
    CPU.Cycles += 4;
    board.MainWrite(0xE000, bit <= 2);
  }
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 12u);  // bits 0, 1, 1, 0, 0: bank 6
}

}  // namespace
