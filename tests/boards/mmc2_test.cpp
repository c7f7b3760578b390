// The MMC2 board (board9.so): the fixed and switched program windows, the
// 4 KB character banks and the tile latch of the upper pattern table.

#include "tests/boards/board_fixture.h"

namespace {

class Mmc2 : public HostState {
 protected:
  // The 4 KB character bank number stored at a PPU address: every byte of
  // 1 KB bank n holds n, so 4 KB bank m starts with 4m.
  static unsigned int CharacterBankAt(unsigned int address) { return PPU.PPUMem[address] / 4; }
  unsigned char ReadAt(unsigned int address) {
    BoardUnderTest::SetPpuAddress(address);
    return board.VramRead();
  }

  BoardUnderTest board{"board9"};
};

TEST_F(Mmc2, LoadingFixesTheLastThreeBanksAndLeavesPatternMemoryAlone) {
  PPU.PPUMem[0x1000] = 0xEE;
  board.Load(8, 8);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 0u);
  EXPECT_EQ(BoardUnderTest::WindowBank(1), 13u);
  EXPECT_EQ(BoardUnderTest::WindowBank(2), 14u);
  EXPECT_EQ(BoardUnderTest::WindowBank(3), 15u);
  EXPECT_EQ(PPU.PPUMem[0x1000], 0xEE);
}

TEST_F(Mmc2, ProgramBankNumbersAreReducedByTheBankCount) {
  board.Load(8, 8);
  board.MainWrite(0xA000, 19);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 3u);
  board.MainWrite(0xAFFF, 255);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 15u);
}

TEST_F(Mmc2, OneProgramBankKeepsEveryWindowInsideTheImage) {
  board.Load(1, 1);
  // Third-to-last of two 8 KB banks is bank -1, reduced to 1.
  EXPECT_EQ(MemoryPage[0], board.image.PRG_ROM);
  EXPECT_EQ(MemoryPage[1], board.image.PRG_ROM + 8192);
  EXPECT_EQ(MemoryPage[2], board.image.PRG_ROM);
  EXPECT_EQ(MemoryPage[3], board.image.PRG_ROM + 8192);
  board.MainWrite(0xA000, 7);
  EXPECT_EQ(MemoryPage[0], board.image.PRG_ROM + 8192);
}

TEST_F(Mmc2, LowerTableWritesAlsoSetTheLatchAndItsUpperBank) {
  board.Load(2, 8);
  board.MainWrite(0xD000, 6);  // latch is $FE: no visible change yet
  EXPECT_EQ(PPU.PPUMem[0x1000], 0);
  board.MainWrite(0xB000, 5);
  EXPECT_EQ(CharacterBankAt(0x0000), 5u);
  EXPECT_EQ(CharacterBankAt(0x1000), 6u);
  EXPECT_EQ(CharacterBankAt(0x1FFF), 6u);

  board.MainWrite(0xE000, 2);
  board.MainWrite(0xC123, 3);  // anywhere in $C000-$CFFF
  EXPECT_EQ(CharacterBankAt(0x0000), 3u);
  EXPECT_EQ(CharacterBankAt(0x1000), 2u);
}

TEST_F(Mmc2, DataPortReadsOfTilesFDAndFEMoveTheLatch) {
  board.Load(2, 8);
  board.MainWrite(0xD000, 6);
  board.MainWrite(0xB000, 5);  // latch $FD
  board.MainWrite(0xE000, 7);
  EXPECT_EQ(CharacterBankAt(0x1000), 6u);

  ReadAt(0x0FE8);
  EXPECT_EQ(CharacterBankAt(0x1000), 7u);
  // A read in the upper table returns the byte of the bank it brought in.
  EXPECT_EQ(ReadAt(0x1FD4) / 4, 6u);
  EXPECT_EQ(CharacterBankAt(0x1000), 6u);
  ReadAt(0x1FCF);
  ReadAt(0x0FF0);
  ReadAt(0x2FD0);
  EXPECT_EQ(CharacterBankAt(0x1000), 6u);
  ReadAt(0x5FE0);  // 14-bit bus: tile $FE of the upper table
  EXPECT_EQ(CharacterBankAt(0x1000), 7u);
}

TEST_F(Mmc2, DataPortWriteIntoTileFDBringsItsBankOverTheWrittenByte) {
  board.Load(2, 8);
  board.MainWrite(0xD000, 4);
  BoardUnderTest::SetPpuAddress(0x1FD3);
  board.VramWrite(0xAB);
  EXPECT_EQ(CharacterBankAt(0x1FD3), 4u);
  EXPECT_EQ(WriteAddress, 0x1FD4);
  EXPECT_EQ(CPU.Memory[0x2007], 0xAB);
}

TEST_F(Mmc2, WithoutCharacterRomBankLoadsLeavePatternMemoryAlone) {
  board.Load(2, 0);
  PPU.PPUMem[0x0000] = 0x12;
  PPU.PPUMem[0x1000] = 0x34;
  board.MainWrite(0xB000, 3);
  board.MainWrite(0xD000, 9);
  ReadAt(0x0FE0);
  board.MainWrite(0xE000, 1);
  EXPECT_EQ(PPU.PPUMem[0x0000], 0x12);
  EXPECT_EQ(PPU.PPUMem[0x1000], 0x34);
}

TEST_F(Mmc2, StoresBelowA000GoToTheMappedBankAndReadsComeFromWindows) {
  board.Load(2, 1);
  board.MainWrite(0x9000, 0x5A);
  EXPECT_EQ(MemoryPage[0][0x1000], 0x5A);
  EXPECT_EQ(board.MainRead(0x9000), 0x5A);
  // The registers cannot be read back.
  EXPECT_EQ(board.MainRead(0xF000), MemoryPage[3][0x1000]);
}

TEST_F(Mmc2, EndOfScanlineNeverInterrupts) {
  board.Load(2, 1);
  CPU.S = 0xFF;
  for (int line = 0; line < 600; ++line) board.EndScanline();
  EXPECT_EQ(CPU.S, 0xFF);
}

TEST_F(Mmc2, F000ChoosesTheMirroring) {
  board.Load(2, 1);
  board.MainWrite(0xF000, 1);
  BoardUnderTest::SetPpuAddress(0x2010);
  board.VramWrite(0x5A);
  EXPECT_EQ(PPU.PPUMem[0x2410], 0x5A);
  board.MainWrite(0xF000, 0);
  BoardUnderTest::SetPpuAddress(0x2020);
  board.VramWrite(0x6B);
  EXPECT_EQ(PPU.PPUMem[0x2820], 0x6B);
}

}  // namespace
