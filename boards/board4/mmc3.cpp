// The MMC3 board (iNES mapper 4): 8 KB program banks, 1 KB and 2 KB
// character banks copied into the pattern tables, mirroring under program
// control and a scanline counter that raises an IRQ.

#include <cstring>
#include <initializer_list>

#include "boards/board_interface.h"
#include "boards/board_state.h"
#include "boards/data_port.h"

namespace {

constexpr unsigned int ProgramBankSize = 8192;
constexpr unsigned int CharacterBankSize = 1024;

// All zero when the library is loaded; only a fresh load of the library
// starts the board again, the host's reset leaves it alone.
_NESData NESData;
unsigned char Reg8000;  // bits 0-2 bank register, bit 6 program layout, bit 7 character layout
unsigned char Reg8001;
unsigned char RegA000;  // bit 0: 1 horizontal, 0 vertical mirroring
unsigned char RegA001;
unsigned char IRQCounter;
unsigned char IRQLatch;
unsigned char RegE000;
unsigned char RegE001;
int IRQEnabled;
unsigned int PRGBankMask;
unsigned int CHRBankMask;

unsigned char* ProgramBank(unsigned int bank) {
  return NESData.ROMImage->PRG_ROM + (bank & PRGBankMask) * ProgramBankSize;
}

unsigned char*& Window(unsigned int address) {
  return NESData.MemoryPage[(address >> 13) & 3];
}

// An image without character ROM has pattern-table RAM filled through the
// data port; there is no bank to copy, so PPU memory is left as it is.
bool HasCharacterRom() {
  return NESData.ROMImage->CHRROMPages != 0;
}

void CopyCharacterBank(unsigned int bank, unsigned int ppuAddress) {
  const unsigned char* source =
      NESData.ROMImage->CHR_ROM + (bank & CHRBankMask) * CharacterBankSize;
  std::memcpy(NESData.PPU->PPUMem + ppuAddress, source, CharacterBankSize);
}

// R0 and R1 fill 2 KB (bank V, then V XOR 1), R2-R5 1 KB each; bit 7 of
// $8000 swaps the two pattern tables.
void LoadCharacterRegister(unsigned int reg, unsigned int bank) {
  if (!HasCharacterRom()) return;
  unsigned int swapTables = (Reg8000 & 0x80) ? 0x1000 : 0;
  if (reg <= 1) {
    unsigned int base = (reg * 0x0800) ^ swapTables;
    CopyCharacterBank(bank, base);
    CopyCharacterBank(bank ^ 1, base + CharacterBankSize);
    NESData.PrerenderPatternTiles(base, base + 2 * CharacterBankSize);
    return;
  }
  unsigned int base = (0x1000 + (reg - 2) * CharacterBankSize) ^ swapTables;
  CopyCharacterBank(bank, base);
  NESData.PrerenderPatternTiles(base, base + CharacterBankSize);
}

void LoadBankRegister(unsigned int reg, unsigned int bank) {
  bool secondLayout = (Reg8000 & 0x40) != 0;
  if (reg == 6) {
    NESData.MemoryPage[secondLayout ? 1 : 0] = ProgramBank(bank);
  } else if (reg == 7) {
    NESData.MemoryPage[secondLayout ? 2 : 1] = ProgramBank(bank);
  } else {
    LoadCharacterRegister(reg, bank);
  }
}

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  const ROM& image = *NESData.ROMImage;
  PRGBankMask = 2 * image.PRGROMPages - 1;
  CHRBankMask = 8 * image.CHRROMPages - 1;
  // The host refuses images without program data; keep the windows it set
  // rather than point them before the buffer should one arrive anyway.
  if (image.PRGROMPages == 0) return 0;
  unsigned char* lastPair = image.PRG_ROM + (image.PRGROMPages - 1) * 2 * ProgramBankSize;
  NESData.MemoryPage[0] = image.PRG_ROM;
  NESData.MemoryPage[1] = image.PRG_ROM + ProgramBankSize;
  NESData.MemoryPage[2] = lastPair;
  NESData.MemoryPage[3] = lastPair + ProgramBankSize;
  // The tile cache is rebuilt by the reset that follows every load.
  if (HasCharacterRom()) std::memcpy(NESData.PPU->PPUMem, image.CHR_ROM, 8 * CharacterBankSize);
  return 1;
}

int MapperMainWrite(unsigned int address, unsigned char value) {
  switch (address) {
    case 0x8000:
      Reg8000 = value;  // selects only: mappings change on $8001
      return 1;
    case 0x8001:
      Reg8001 = value;
      LoadBankRegister(Reg8000 & 7, value);
      return 1;
    case 0xA000:
      RegA000 = value;
      return 1;
    case 0xA001:
      RegA001 = value;
      return 1;
    case 0xC000:
      if (value == 0) IRQEnabled = 0;
      IRQCounter = value;
      return 1;
    case 0xC001:
      IRQLatch = value;
      return 1;
    case 0xE000:
      IRQCounter = IRQLatch;
      RegE000 = value;
      IRQEnabled = 0;
      return 1;
    case 0xE001:
      RegE001 = value;
      IRQEnabled = 1;
      return 1;
    default:
      Window(address)[address & 0x1FFF] = value;
      return 0;
  }
}

unsigned char MapperMainRead(unsigned int address) {
  switch (address) {
    case 0x8000:
      return Reg8000;
    case 0x8001:
      return Reg8001;
    case 0xA000:
      return RegA000;
    case 0xA001:
      return RegA001;
    case 0xC000:
      return IRQCounter;
    case 0xC001:
      return IRQLatch;
    case 0xE000:
      return RegE000;
    case 0xE001:
      return RegE001;
    default:
      return Window(address)[address & 0x1FFF];
  }
}

// The counter is not reloaded on reaching zero: left alone it wraps and
// interrupts again 256 lines later.
void MapperEndScanline() {
  if (IRQEnabled != 1) return;
  --IRQCounter;
  if (IRQCounter == 0) NESData.GenerateIRQ();
}

int MapperVramWrite(unsigned char value) {
  return board::WriteDataPort(NESData, value, RegA000);
}

unsigned char MapperVramRead() {
  return board::ReadDataPort(NESData);
}

// The saved state, layout 1: the eight registers, then the enable flag. The
// masks follow from the image and the windows are saved by the host.
namespace {

constexpr unsigned char StateLayout = 1;

}  // namespace

unsigned int MapperSaveState(unsigned char* buffer, unsigned int size) {
  board::StateWriter state(buffer, size);
  state.Byte(StateLayout);
  for (unsigned char reg :
       {Reg8000, Reg8001, RegA000, RegA001, IRQCounter, IRQLatch, RegE000, RegE001})
    state.Byte(reg);
  state.Word32(static_cast<unsigned int>(IRQEnabled));
  return state.Used();
}

int MapperLoadState(const unsigned char* buffer, unsigned int size) {
  board::StateReader state(buffer, size);
  if (state.Byte() != StateLayout) return 0;
  unsigned char regs[8];
  for (unsigned char& reg : regs) reg = state.Byte();
  unsigned int enabled = state.Word32();
  if (!state.Complete() || enabled > 1) return 0;
  Reg8000 = regs[0];
  Reg8001 = regs[1];
  RegA000 = regs[2];
  RegA001 = regs[3];
  IRQCounter = regs[4];
  IRQLatch = regs[5];
  RegE000 = regs[6];
  RegE001 = regs[7];
  IRQEnabled = static_cast<int>(enabled);
  return 1;
}
