#pragma once
// The PPU data port ($2007) of the boards that store every copy: pattern
// stores only into character RAM, name-table stores into every table that
// shows the page, $3000-$3EFF as the name tables they mirror, and palette
// stores into every mirror of the entry ($3F10/$3F14/$3F18/$3F1C are
// $3F00/$3F04/$3F08/$3F0C, and $3F20-$3FFF repeat $3F00-$3F1F). Reads are
// buffered as on the delivered boards.
// Header-only because a plug-in links nothing of the program.

#include "boards/banks.h"
#include "boards/data_port.h"
#include "boards/name_tables.h"

namespace board {

constexpr unsigned int kPaletteBase = 0x3F00;

// PPU addresses as the bus decodes them: $3000-$3EFF reach the name tables.
inline unsigned int DecodedPpuAddress(const _NESData& nes) {
  const unsigned int address = DataPortAddress(nes);
  if (address >= 0x3000 && address < kPaletteBase) return address - 0x1000;
  return address;
}

inline void StorePaletteByte(unsigned char* ppuMem, unsigned int address, unsigned char value) {
  unsigned int entry = address & 0x1F;
  if ((entry & 3) == 0) entry &= 0x0F;
  for (unsigned int copy = kPaletteBase; copy < 0x4000; copy += 0x20) {
    ppuMem[copy + entry] = value;
    if ((entry & 3) == 0) ppuMem[copy + (entry | 0x10)] = value;
  }
}

inline int WriteMirroredDataPort(const _NESData& nes, const CharacterRam& ram, Mirroring mode,
                                 unsigned char value) {
  const unsigned int address = DecodedPpuAddress(nes);
  if (address < 0x2000) {
    StorePatternByte(nes, ram, address, value);
  } else if (address < kPaletteBase) {
    StoreNameTableByte(nes.PPU->PPUMem, mode, address, value);
  } else {
    StorePaletteByte(nes.PPU->PPUMem, address, value);
  }
  FinishDataPortWrite(nes, value);
  return 1;
}

inline unsigned char ReadMirroredDataPort(const _NESData& nes) {
  const unsigned char value = nes.PPU->PPUMem[DecodedPpuAddress(nes)];
  if (*nes.AlreadyRead2007 == 0) {
    *nes.AlreadyRead2007 = 1;
    return value;
  }
  AdvanceDataPortAddress(nes);
  return value;
}

}  // namespace board
