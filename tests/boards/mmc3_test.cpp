// The MMC3 board (board4.so): program and character banks, register
// read-back, cartridge-space stores and the scanline counter.

#include "tests/boards/board_fixture.h"

namespace {

class Mmc3 : public HostState {
 protected:
  // Loads an image whose last bank carries an IRQ vector, so that the real
  // GenerateIRQ lands somewhere known; IRQs are counted from the stack.
  void Load(unsigned int prgPages, unsigned int chrPages) {
    board.Load(prgPages, chrPages);
    unsigned char* last = board.image.PRG_ROM + (2 * prgPages - 1) * 8192;
    last[0x1FFE] = 0x00;
    last[0x1FFF] = 0xC0;
    CPU.S = 0xFF;
  }
  int InterruptsTaken() const { return (0xFF - CPU.S) / 3; }
  void Select(unsigned char reg8000, unsigned char bank) {
    board.MainWrite(0x8000, reg8000);
    board.MainWrite(0x8001, bank);
  }
  // The 1 KB character bank number stored at a PPU address (see InesImage).
  static unsigned int CharacterBankAt(unsigned int address) { return PPU.PPUMem[address]; }

  BoardUnderTest board{"board4"};
};

TEST_F(Mmc3, LoadingMapsFirstTwoAndLastTwoBanksAndCopiesTheFirst8KBOfCharacters) {
  Load(8, 2);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 0u);
  EXPECT_EQ(BoardUnderTest::WindowBank(1), 1u);
  EXPECT_EQ(BoardUnderTest::WindowBank(2), 14u);
  EXPECT_EQ(BoardUnderTest::WindowBank(3), 15u);
  EXPECT_EQ(CharacterBankAt(0x0000), 0u);
  EXPECT_EQ(CharacterBankAt(0x1FFF), 7u);
}

TEST_F(Mmc3, OneProgramBankShowsItsHalvesTwice) {
  Load(1, 1);
  EXPECT_EQ(MemoryPage[0], MemoryPage[2]);
  EXPECT_EQ(MemoryPage[1], MemoryPage[3]);
  EXPECT_EQ(BoardUnderTest::WindowBank(1), 1u);
}

TEST_F(Mmc3, ProgramRegistersFollowTheLayoutBit) {
  Load(8, 1);
  Select(0x06, 3);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 3u);
  Select(0x46, 4);
  EXPECT_EQ(BoardUnderTest::WindowBank(1), 4u);
  EXPECT_EQ(BoardUnderTest::WindowBank(0), 3u);
  Select(0x47, 5);
  EXPECT_EQ(BoardUnderTest::WindowBank(2), 5u);
  Select(0x07, 20);  // 20 AND 15
  EXPECT_EQ(BoardUnderTest::WindowBank(1), 4u);
  EXPECT_EQ(BoardUnderTest::WindowBank(3), 15u);
}

TEST_F(Mmc3, WritingOnly8000ChangesNoMapping) {
  Load(8, 1);
  unsigned char* before[4] = {MemoryPage[0], MemoryPage[1], MemoryPage[2], MemoryPage[3]};
  board.MainWrite(0x8000, 0xC7);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(MemoryPage[i], before[i]);
}

TEST_F(Mmc3, TwoKilobyteRegistersLoadBankThenBankXor1) {
  Load(1, 2);
  Select(0x00, 2);
  EXPECT_EQ(CharacterBankAt(0x0000), 2u);
  EXPECT_EQ(CharacterBankAt(0x0400), 3u);
  Select(0x00, 3);
  EXPECT_EQ(CharacterBankAt(0x0000), 3u);
  EXPECT_EQ(CharacterBankAt(0x07FF), 2u);
  Select(0x01, 6);
  EXPECT_EQ(CharacterBankAt(0x0800), 6u);
  EXPECT_EQ(CharacterBankAt(0x0C00), 7u);
  Select(0x80, 4);
  EXPECT_EQ(CharacterBankAt(0x1000), 4u);
  EXPECT_EQ(CharacterBankAt(0x1400), 5u);
  Select(0x81, 9);
  EXPECT_EQ(CharacterBankAt(0x1800), 9u);
  EXPECT_EQ(CharacterBankAt(0x1C00), 8u);
}

TEST_F(Mmc3, OneKilobyteRegistersFollowTheInversionBit) {
  Load(1, 2);
  Select(0x02, 20);  // 20 AND 15
  EXPECT_EQ(CharacterBankAt(0x1000), 4u);
  Select(0x05, 11);
  EXPECT_EQ(CharacterBankAt(0x1C00), 11u);
  Select(0x82, 12);
  EXPECT_EQ(CharacterBankAt(0x0000), 12u);
  Select(0x85, 13);
  EXPECT_EQ(CharacterBankAt(0x0C00), 13u);
  EXPECT_EQ(CharacterBankAt(0x0BFF), 2u);  // as loaded: the first 8 KB
}

TEST_F(Mmc3, BankSwitchRebuildsTheTilesOfTheSwitchedRange) {
  Load(1, 2);
  // Every byte of bank 15 is $0F: both planes set in columns 4-7.
  Select(0x02, 15);
  EXPECT_EQ(PPU.PatternTiles[256].data[7], 3);
  EXPECT_EQ(PPU.PatternTiles[256].data[0], 0);
  EXPECT_EQ(PPU.PatternTiles[256 + 63].data[63], 3);
}

TEST_F(Mmc3, WithoutCharacterRomBankLoadsLeavePatternMemoryAlone) {
  Load(2, 0);
  PPU.PPUMem[0x0000] = 0xAB;
  PPU.PPUMem[0x1C00] = 0xCD;
  Select(0x00, 7);
  Select(0x05, 200);
  EXPECT_EQ(PPU.PPUMem[0x0000], 0xAB);
  EXPECT_EQ(PPU.PPUMem[0x1C00], 0xCD);
}

TEST_F(Mmc3, RegistersReadBackAndOtherAddressesAreTheMappedBank) {
  Load(2, 1);
  const unsigned int registers[] = {0x8000, 0x8001, 0xA000, 0xA001, 0xC001, 0xE000, 0xE001};
  unsigned char value = 0x47;
  for (unsigned int address : registers) {
    board.MainWrite(address, value);
    EXPECT_EQ(board.MainRead(address), value) << std::hex << address;
    value = static_cast<unsigned char>(value + 0x11);
  }
  EXPECT_EQ(board.MainWrite(0x8002, 0x5A), 0);
  EXPECT_EQ(MemoryPage[0][2], 0x5A);
  EXPECT_EQ(board.MainRead(0x8002), 0x5A);
  EXPECT_EQ(board.MainRead(0xE002), MemoryPage[3][2]);
}

TEST_F(Mmc3, CounterInterruptsOnReachingZeroAndThen256LinesLater) {
  Load(2, 1);
  board.MainWrite(0xC000, 3);
  board.MainWrite(0xE001, 0);
  board.EndScanline();
  board.EndScanline();
  EXPECT_EQ(InterruptsTaken(), 0);
  EXPECT_EQ(board.MainRead(0xC000), 1);
  board.EndScanline();
  EXPECT_EQ(InterruptsTaken(), 1);
  EXPECT_EQ(CPU.PC, 0xC000);
  for (int line = 0; line < 255; ++line) board.EndScanline();
  EXPECT_EQ(InterruptsTaken(), 1);
  board.EndScanline();
  EXPECT_EQ(InterruptsTaken(), 2);
}

TEST_F(Mmc3, ZeroStopsTheCounterE000ReloadsAndStopsE001Starts) {
  Load(2, 1);
  board.MainWrite(0xC000, 5);
  board.MainWrite(0xE001, 0);
  board.MainWrite(0xC000, 0);
  board.EndScanline();
  EXPECT_EQ(board.MainRead(0xC000), 0);

  board.MainWrite(0xC001, 2);
  board.MainWrite(0xE001, 0);
  board.MainWrite(0xC000, 9);
  board.MainWrite(0xE000, 0);
  EXPECT_EQ(board.MainRead(0xC000), 2);
  board.EndScanline();
  board.EndScanline();
  EXPECT_EQ(InterruptsTaken(), 0);

  board.MainWrite(0xE001, 0);
  board.EndScanline();
  board.EndScanline();
  EXPECT_EQ(InterruptsTaken(), 1);
}

TEST_F(Mmc3, MirroringIsVerticalUntilA000IsWritten) {
  Load(2, 1);
  BoardUnderTest::SetPpuAddress(0x2010);
  board.VramWrite(0x5A);
  EXPECT_EQ(PPU.PPUMem[0x2810], 0x5A);
  board.MainWrite(0xA000, 1);
  BoardUnderTest::SetPpuAddress(0x2010);
  board.VramWrite(0x6B);
  EXPECT_EQ(PPU.PPUMem[0x2410], 0x6B);
}

}  // namespace
