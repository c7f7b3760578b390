// The NROM board (iNES mapper 0): 16 KB of program ROM shown at both $8000
// and $C000, or 32 KB; 8 KB of character ROM, or 8 KB of character RAM when
// the image has none; mirroring soldered as the header says. Nothing on the
// board answers a write.

#include "boards/board_interface.h"
#include "boards/mirrored_port.h"

namespace {

_NESData NESData;

// Everything the board keeps, in one record. All zero when the library is
// loaded.
struct NromState {
  board::NameTables nameTables;
  board::CharacterRam characterRam;
} State;

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  if (NESData.ROMImage->PRGROMPages == 0) return 0;
  board::ShowProgram32K(NESData, 0);
  State.nameTables.mode = board::HeaderMirroring(*NESData.ROMImage);
  board::StartCharacterRam(NESData, State.characterRam, 0x2000);
  board::ShowCharacterRom(NESData, 0, 0x2000, 0x0000);
  return 1;
}

int MapperMainWrite(unsigned int, unsigned char) {
  return 0;
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
