// The CNROM board (iNES mapper 3): 16 KB or 32 KB of fixed program ROM and
// an 8 KB character ROM bank chosen by any write to $8000-$FFFF; mirroring
// soldered as the header says.

#include "boards/board_interface.h"
#include "boards/mirrored_port.h"

namespace {

_NESData NESData;

// Everything the board keeps, in one record. All zero when the library is
// loaded.
struct CnromState {
  unsigned char characterBank;  // last value written to $8000-$FFFF
  board::NameTables nameTables;
  board::CharacterRam characterRam;  // only for an image without character ROM
} State;

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  if (NESData.ROMImage->PRGROMPages == 0) return 0;
  board::ShowProgram32K(NESData, 0);
  State.nameTables.mode = board::HeaderMirroring(*NESData.ROMImage);
  board::StartCharacterRam(NESData, State.characterRam, 0x2000);
  board::ShowCharacterRom(NESData, State.characterBank, 0x2000, 0x0000);
  return 1;
}

int MapperMainWrite(unsigned int, unsigned char value) {
  State.characterBank = value;
  board::ShowCharacterRom(NESData, value, 0x2000, 0x0000);
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
