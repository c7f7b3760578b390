// The UxROM board (iNES mapper 2): a 16 KB program bank chosen by any write
// to $8000-$FFFF shows at $8000, the last bank stays at $C000; 8 KB of
// character RAM (or character ROM, should an image bring some); mirroring
// soldered as the header says.

#include "boards/board_interface.h"
#include "boards/mirrored_port.h"

namespace {

_NESData NESData;

// Everything the board keeps, in one record. All zero when the library is
// loaded.
struct UxromState {
  unsigned char programBank;  // last value written to $8000-$FFFF
  board::NameTables nameTables;
  board::CharacterRam characterRam;
} State;

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  const unsigned int pages = NESData.ROMImage->PRGROMPages;
  if (pages == 0) return 0;
  board::ShowProgram16K(NESData, 0, State.programBank);
  board::ShowProgram16K(NESData, 1, pages - 1);
  State.nameTables.mode = board::HeaderMirroring(*NESData.ROMImage);
  board::StartCharacterRam(NESData, State.characterRam, 0x2000);
  board::ShowCharacterRom(NESData, 0, 0x2000, 0x0000);
  return 1;
}

int MapperMainWrite(unsigned int, unsigned char value) {
  State.programBank = value;
  board::ShowProgram16K(NESData, 0, value);
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
