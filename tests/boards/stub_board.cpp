// A board plug-in for the binding tests. Built several times over, each
// build leaving out the entry points named by OMIT_* definitions. It shows
// what it was handed: MapperLoadRom copies the record to CPU $7E00 and the
// number of initialisations since the library was loaded to $7DFF; the
// cartridge space remembers one written byte.

#include <cstring>

#include "boards/board_interface.h"

namespace {

[[maybe_unused]] _NESData NESData;
[[maybe_unused]] int LoadsSinceLibraryLoad;
[[maybe_unused]] unsigned char LastWritten;

}  // namespace

#ifndef OMIT_MAIN_WRITE
int MapperMainWrite(unsigned int, unsigned char value) {
  LastWritten = value;
  return 1;
}
#endif

#ifndef OMIT_MAIN_READ
unsigned char MapperMainRead(unsigned int) {
  return LastWritten;
}
#endif

#ifndef OMIT_VRAM_WRITE
int MapperVramWrite(unsigned char) {
  return 1;
}
#endif

#ifndef OMIT_VRAM_READ
unsigned char MapperVramRead() {
  return 0;
}
#endif

#ifndef OMIT_END_SCANLINE
void MapperEndScanline() {}
#endif

#ifndef OMIT_LOAD_ROM
int MapperLoadRom(_NESData data) {
  NESData = data;
  ++LoadsSinceLibraryLoad;
  std::memcpy(&NESData.CPU->Memory[0x7E00], &NESData, sizeof NESData);
  NESData.CPU->Memory[0x7DFF] = static_cast<unsigned char>(LoadsSinceLibraryLoad);
#ifndef LEAVE_WINDOW_3_UNSET
  for (int i = 0; i < 4; ++i) NESData.MemoryPage[i] = NESData.ROMImage->PRG_ROM;
#else
  for (int i = 0; i < 3; ++i) NESData.MemoryPage[i] = NESData.ROMImage->PRG_ROM;
#endif
  return 1;
}
#endif
