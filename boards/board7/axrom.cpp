// The AxROM board (iNES mapper 7): a 32 KB program bank and the one name-
// table page on show, both chosen by any write to $8000-$FFFF (bits 0-2 the
// bank, bit 4 the page); 8 KB of character RAM.

#include "boards/board_interface.h"
#include "boards/mirrored_port.h"

namespace {

_NESData NESData;

// Everything the board keeps, in one record. All zero when the library is
// loaded: bank 0 and the lower page.
struct AxromState {
  unsigned char bankSelect;  // last value written to $8000-$FFFF
  board::NameTables nameTables;
  board::CharacterRam characterRam;
} State;

board::Mirroring PageChosenBy(unsigned char value) {
  return (value & 0x10) ? board::Mirroring::OneScreenUpper : board::Mirroring::OneScreenLower;
}

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  if (NESData.ROMImage->PRGROMPages == 0) return 0;
  board::ShowProgram32K(NESData, State.bankSelect & 7);
  State.nameTables.mode = PageChosenBy(State.bankSelect);
  board::StartCharacterRam(NESData, State.characterRam, 0x2000);
  board::ShowCharacterRom(NESData, 0, 0x2000, 0x0000);
  return 1;
}

int MapperMainWrite(unsigned int, unsigned char value) {
  State.bankSelect = value;
  board::ShowProgram32K(NESData, value & 7);
  board::ChangeMirroring(NESData, State.nameTables, PageChosenBy(value));
  return 1;
}

unsigned char MapperMainRead(unsigned int address) {
  return board::ReadProgram(NESData, address);
}

void MapperEndScanline() {}

int MapperVramWrite(unsigned char value) {
  return board::WriteMirroredDataPort(NESData, State.characterRam, State.nameTables.mode, value);
}

unsigned char MapperVramRead() {
  return board::ReadMirroredDataPort(NESData);
}
