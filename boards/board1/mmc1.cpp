// The MMC1 board (iNES mapper 1, Nintendo SxROM). The program writes its
// registers one bit at a time: five writes to $8000-$FFFF shift bit 0 in,
// lowest first, and the fifth lands in the register its address chooses
// ($8000 control, $A000 character bank 0, $C000 character bank 1, $E000
// program bank). A write with bit 7 set empties the shift register and fixes
// the last program bank at $C000. Control: bits 0-1 mirroring (one-screen
// lower, one-screen upper, vertical, horizontal), bits 2-3 program mode
// (32 KB, 32 KB, first bank fixed at $8000, last bank fixed at $C000), bit 4
// character mode (one 8 KB bank, two 4 KB banks). On the 512 KB boards
// (SUROM) bit 4 of character bank 0 chooses the 256 KB half of program ROM.

#include "boards/board_interface.h"
#include "boards/board_state.h"
#include "boards/mirrored_port.h"

namespace {

_NESData NESData;

constexpr unsigned char kResetBit = 0x80;
constexpr unsigned char kLastBankFixed = 0x0C;
constexpr unsigned char kFourKilobyteCharacters = 0x10;
constexpr unsigned int kBanksPerHalf = 16;  // 16 KB banks the program register reaches

// The moment of the latest data read of cartridge space. A read-modify-write
// instruction reads its operand and then writes twice on consecutive cycles,
// first the byte it read, then the result; the MMC1 takes the first and
// ignores the second. The core hands the board one read and one write of
// the result, both while the instruction's PC, scanline and cycle count are
// those at its start; two different instructions never share all three.
struct ReadMoment {
  unsigned int address;
  unsigned int cycles;
  unsigned short pc;
  unsigned char scanline;
  unsigned char value;
  bool valid;
};

// Everything the board keeps, in one record. All zero when the library is
// loaded; MapperLoadRom starts the control register with the last bank fixed.
struct Mmc1State {
  unsigned char shiftRegister;  // the bits written so far, lowest first
  unsigned char shiftCount;     // 0-4
  unsigned char control;
  unsigned char characterBank0;
  unsigned char characterBank1;
  unsigned char programBank;  // bits 0-3; bit 4 (program RAM off) is not emulated
  ReadMoment lastRead;
  board::NameTables nameTables;
  board::CharacterRam characterRam;
} State;

constexpr board::Mirroring kMirroringOfControl[4] = {
    board::Mirroring::OneScreenLower,
    board::Mirroring::OneScreenUpper,
    board::Mirroring::Vertical,
    board::Mirroring::Horizontal,
};

ReadMoment Now(unsigned int address, unsigned char value) {
  return {address, NESData.CPU->Cycles, NESData.CPU->PC, NESData.PPU->Scanline, value, true};
}

bool IsWriteOfItsOwnRead(unsigned int address) {
  const ReadMoment& read = State.lastRead;
  const ReadMoment now = Now(address, 0);
  return read.valid && read.address == address && read.cycles == now.cycles && read.pc == now.pc &&
         read.scanline == now.scanline;
}

void ShowProgram() {
  const unsigned int pages = NESData.ROMImage->PRGROMPages;
  const unsigned int outer = pages > kBanksPerHalf ? (State.characterBank0 & 0x10) : 0;
  const unsigned int bank = State.programBank & 0x0F;
  const unsigned int lastOfHalf = outer + (pages < kBanksPerHalf ? pages : kBanksPerHalf) - 1;
  switch ((State.control >> 2) & 3) {
    case 2:
      board::ShowProgram16K(NESData, 0, outer);
      board::ShowProgram16K(NESData, 1, outer | bank);
      break;
    case 3:
      board::ShowProgram16K(NESData, 0, outer | bank);
      board::ShowProgram16K(NESData, 1, lastOfHalf);
      break;
    default:
      board::ShowProgram16K(NESData, 0, outer | (bank & 0x0E));
      board::ShowProgram16K(NESData, 1, outer | (bank & 0x0E) | 1);
      break;
  }
}

// 4 KB bank numbers for the two pattern tables; in 8 KB mode bank 0 without
// its lowest bit and the bank after it.
void ShowCharacters() {
  unsigned int low = State.characterBank0;
  unsigned int high = State.characterBank1;
  if (!(State.control & kFourKilobyteCharacters)) {
    low &= ~1u;
    high = low + 1;
  }
  if (State.characterRam.size != 0) {
    board::ShowCharacterRam(NESData, State.characterRam, 0, low);
    board::ShowCharacterRam(NESData, State.characterRam, 1, high);
    return;
  }
  board::ShowCharacterRom(NESData, low, 0x1000, 0x0000);
  board::ShowCharacterRom(NESData, high, 0x1000, 0x1000);
}

void LoadRegister(unsigned int address, unsigned char value) {
  switch ((address >> 13) & 3) {
    case 0:
      State.control = value;
      board::ChangeMirroring(NESData, State.nameTables, kMirroringOfControl[value & 3]);
      ShowCharacters();
      break;
    case 1:
      State.characterBank0 = value;
      ShowCharacters();
      break;
    case 2:
      State.characterBank1 = value;
      if (State.control & kFourKilobyteCharacters) ShowCharacters();
      return;
    default:
      State.programBank = value;
      break;
  }
  ShowProgram();
}

void SerialWrite(unsigned int address, unsigned char value) {
  if (value & kResetBit) {
    State.shiftRegister = 0;
    State.shiftCount = 0;
    State.control |= kLastBankFixed;
    ShowProgram();
    return;
  }
  State.shiftRegister |= (value & 1) << State.shiftCount;
  if (++State.shiftCount < 5) return;
  const unsigned char loaded = State.shiftRegister;
  State.shiftRegister = 0;
  State.shiftCount = 0;
  LoadRegister(address, loaded);
}

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  const ROM& image = *NESData.ROMImage;
  if (image.PRGROMPages == 0) return 0;
  // Until the program sets it, the mirroring is the one the header names.
  State.nameTables.mode = board::HeaderMirroring(image);
  if (State.nameTables.mode == board::Mirroring::FourScreen)
    State.nameTables.mode = board::Mirroring::Vertical;
  State.control = kLastBankFixed | (State.nameTables.mode == board::Mirroring::Vertical ? 2 : 3);
  board::StartCharacterRam(NESData, State.characterRam, 0x2000);
  ShowCharacters();
  ShowProgram();
  return 1;
}

int MapperMainWrite(unsigned int address, unsigned char value) {
  if (IsWriteOfItsOwnRead(address)) value = State.lastRead.value;
  State.lastRead.valid = false;
  SerialWrite(address, value);
  return 1;
}

unsigned char MapperMainRead(unsigned int address) {
  const unsigned char value = board::ReadProgram(NESData, address);
  State.lastRead = Now(address, value);
  return value;
}

void MapperEndScanline() {}

int MapperVramWrite(unsigned char value) {
  return board::WriteMirroredDataPort(NESData, State.characterRam, State.nameTables.mode, value);
}

unsigned char MapperVramRead() {
  return board::ReadMirroredDataPort(NESData);
}

// The saved state, layout 1: the board's record as it stands.
unsigned int MapperSaveState(unsigned char* buffer, unsigned int size) {
  return board::SaveRecord(buffer, size, 1, State);
}

int MapperLoadState(const unsigned char* buffer, unsigned int size) {
  Mmc1State candidate;
  if (!board::ReadRecord(buffer, size, 1, candidate)) return 0;
  if (!board::Plausible(candidate.nameTables) || !board::Plausible(candidate.characterRam) ||
      candidate.shiftCount > 4)
    return 0;
  State = candidate;
  return 1;
}
