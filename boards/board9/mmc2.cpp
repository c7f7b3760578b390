// The MMC2 board (iNES mapper 9): one switchable 8 KB program bank at $8000
// with the last three fixed behind it, 4 KB character banks, and a tile
// latch that picks one of two banks for the upper pattern table.

#include <cstring>
#include <initializer_list>

#include "boards/board_interface.h"
#include "boards/board_state.h"
#include "boards/data_port.h"

namespace {

constexpr unsigned int ProgramBankSize = 8192;
constexpr unsigned int CharacterBankSize = 4096;
constexpr unsigned char LatchFD = 0xFD;
constexpr unsigned char LatchFE = 0xFE;

// Zero (the latch $FE) whenever the library is loaded; only a fresh load of
// the library starts the board again.
_NESData NESData;
unsigned char RegD000;  // upper-table bank while the latch is $FD
unsigned char RegE000;  // upper-table bank while the latch is $FE
unsigned char RegF000;  // bit 0: 1 horizontal, 0 vertical mirroring
unsigned char Latch = LatchFE;

// Bank numbers are reduced by the bank count. A negative number (the
// third-to-last bank of a one-bank image) wraps the same way, so every
// window stays inside PRG_ROM however small the image.
unsigned int ReduceBank(long bank, unsigned int count) {
  long reduced = bank % static_cast<long>(count);
  return static_cast<unsigned int>(reduced < 0 ? reduced + count : reduced);
}

unsigned char* ProgramBank(long bank) {
  const ROM& image = *NESData.ROMImage;
  return image.PRG_ROM + ReduceBank(bank, 2 * image.PRGROMPages) * ProgramBankSize;
}

unsigned char*& Window(unsigned int address) {
  return NESData.MemoryPage[(address >> 13) & 3];
}

// Without character ROM there is nothing to copy (and nothing to divide
// by): the pattern tables stay RAM written through the data port.
void LoadCharacterBank(unsigned int bank, unsigned int ppuAddress) {
  const ROM& image = *NESData.ROMImage;
  if (image.CHRROMPages == 0) return;
  const unsigned char* source =
      image.CHR_ROM + ReduceBank(bank, 2 * image.CHRROMPages) * CharacterBankSize;
  std::memcpy(NESData.PPU->PPUMem + ppuAddress, source, CharacterBankSize);
  NESData.PrerenderPatternTiles(ppuAddress, ppuAddress + CharacterBankSize);
}

void WriteD000(unsigned char value) {
  RegD000 = value;
  if (Latch == LatchFD) LoadCharacterBank(value, 0x1000);
}

void WriteE000(unsigned char value) {
  RegE000 = value;
  if (Latch == LatchFE) LoadCharacterBank(value, 0x1000);
}

void LoadLowerTable(unsigned char bank, unsigned char latch) {
  LoadCharacterBank(bank, 0x0000);
  Latch = latch;
  if (latch == LatchFD) {
    WriteD000(RegD000);
  } else {
    WriteE000(RegE000);
  }
}

// Touching the bytes of tile $FD or $FE of either pattern table moves the
// latch and brings the matching bank into the upper table.
void CheckLatch(unsigned int address) {
  if (address >= 0x2000) return;
  unsigned int tileRow = address & 0x0FF0;
  if (tileRow == 0x0FD0) {
    Latch = LatchFD;
    WriteD000(RegD000);
  } else if (tileRow == 0x0FE0) {
    Latch = LatchFE;
    WriteE000(RegE000);
  }
}

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  // The host refuses images without program data; keep the windows it set.
  if (NESData.ROMImage->PRGROMPages == 0) return 0;
  long banks = 2L * NESData.ROMImage->PRGROMPages;
  NESData.MemoryPage[0] = ProgramBank(0);
  NESData.MemoryPage[1] = ProgramBank(banks - 3);
  NESData.MemoryPage[2] = ProgramBank(banks - 2);
  NESData.MemoryPage[3] = ProgramBank(banks - 1);
  return 1;
}

int MapperMainWrite(unsigned int address, unsigned char value) {
  if (address >= 0xF000) {
    RegF000 = value;
  } else if (address >= 0xE000) {
    WriteE000(value);
  } else if (address >= 0xD000) {
    WriteD000(value);
  } else if (address >= 0xC000) {
    LoadLowerTable(value, LatchFE);
  } else if (address >= 0xB000) {
    LoadLowerTable(value, LatchFD);
  } else if (address >= 0xA000) {
    NESData.MemoryPage[0] = ProgramBank(value);
  } else {
    Window(address)[address & 0x1FFF] = value;
  }
  return 1;
}

unsigned char MapperMainRead(unsigned int address) {
  return Window(address)[address & 0x1FFF];
}

void MapperEndScanline() {}

// The byte written into tile $FD or $FE is then overwritten by the bank
// copy the latch brings in; that is how the board has always behaved.
int MapperVramWrite(unsigned char value) {
  unsigned int address = board::DataPortAddress(NESData);
  board::StoreThroughDataPort(NESData, address, value, RegF000);
  CheckLatch(address);
  board::FinishDataPortWrite(NESData, value);
  return 1;
}

unsigned char MapperVramRead() {
  CheckLatch(board::DataPortAddress(NESData));
  return board::ReadDataPort(NESData);
}

// The saved state, layout 1: the three registers and the latch. The pattern
// tables the latch chose are in PPU memory, which the host saves.
namespace {

constexpr unsigned char StateLayout = 1;

}  // namespace

unsigned int MapperSaveState(unsigned char* buffer, unsigned int size) {
  board::StateWriter state(buffer, size);
  state.Byte(StateLayout);
  for (unsigned char reg : {RegD000, RegE000, RegF000, Latch}) state.Byte(reg);
  return state.Used();
}

int MapperLoadState(const unsigned char* buffer, unsigned int size) {
  board::StateReader state(buffer, size);
  if (state.Byte() != StateLayout) return 0;
  unsigned char d000 = state.Byte();
  unsigned char e000 = state.Byte();
  unsigned char f000 = state.Byte();
  unsigned char latch = state.Byte();
  if (!state.Complete() || (latch != LatchFD && latch != LatchFE)) return 0;
  RegD000 = d000;
  RegE000 = e000;
  RegF000 = f000;
  Latch = latch;
  return 1;
}
