// The UNROM 512 board (iNES mapper 30): one register takes a 16 KB program
// bank for $8000 (bits 0-4; the last bank stays at $C000), an 8 KB bank of
// the 32 KB character RAM (bits 5-6) and, on one-screen boards, the page on
// show (bit 7). Mirroring is soldered as the header says: byte 6 bits 3 and
// 0 give horizontal (00), vertical (01), one-screen (10) or four tables
// (11). Boards with a battery bit have a self-writable flash chip; its
// commands at $8000-$BFFF are not emulated and go nowhere, and the register
// answers only at $C000-$FFFF there.

#include "boards/board_interface.h"
#include "boards/mirrored_port.h"

namespace {

_NESData NESData;

// Everything the board keeps, in one record. All zero when the library is
// loaded.
struct Unrom512State {
  unsigned char bankSelect;  // last value written to the register
  bool oneScreen;            // bit 7 of the register chooses the page
  bool flashable;            // $8000-$BFFF belong to the flash chip
  board::NameTables nameTables;
  board::CharacterRam characterRam;
} State;

constexpr unsigned int kCharacterRamSize = 0x8000;

board::Mirroring SolderedMirroring(const ROM& image) {
  const unsigned char flags = image.Header[6];
  if ((flags & 0x09) == 0x08) return board::Mirroring::OneScreenLower;
  return board::HeaderMirroring(image);
}

void ApplyBankSelect() {
  const unsigned char value = State.bankSelect;
  board::ShowProgram16K(NESData, 0, value & 0x1F);
  const unsigned int characterBank = (value >> 5) & 3;
  board::ShowCharacterRam(NESData, State.characterRam, 0, 2 * characterBank);
  board::ShowCharacterRam(NESData, State.characterRam, 1, 2 * characterBank + 1);
  if (State.oneScreen)
    board::ChangeMirroring(
        NESData, State.nameTables,
        (value & 0x80) ? board::Mirroring::OneScreenUpper : board::Mirroring::OneScreenLower);
}

}  // namespace

int MapperLoadRom(_NESData data) {
  NESData = data;
  const ROM& image = *NESData.ROMImage;
  if (image.PRGROMPages == 0) return 0;
  board::ShowProgram16K(NESData, 0, 0);
  board::ShowProgram16K(NESData, 1, image.PRGROMPages - 1);
  State.nameTables.mode = SolderedMirroring(image);
  State.oneScreen = State.nameTables.mode == board::Mirroring::OneScreenLower;
  State.flashable = (image.Header[6] & 0x02) != 0;
  board::StartCharacterRam(NESData, State.characterRam, kCharacterRamSize);
  board::ShowCharacterRom(NESData, 0, 0x2000, 0x0000);
  return 1;
}

int MapperMainWrite(unsigned int address, unsigned char value) {
  if (State.flashable && address < 0xC000) return 0;
  State.bankSelect = value;
  ApplyBankSelect();
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
