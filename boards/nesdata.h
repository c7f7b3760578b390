#pragma once
// The record a board plug-in receives in MapperLoadRom: pointers into the
// host's state and three host callbacks. Byte-packed; shared by both sides.

#include "cart/rom.h"
#include "cpu/cpu6502.h"
#include "ppu/ppu_state.h"

#pragma pack(push, 1)
struct _NESData {
  _6502* CPU;
  _PPU* PPU;
  ROM* ROMImage;
  unsigned short* PPUWriteAddress;
  unsigned char* AlreadyRead2007;
  unsigned char** MemoryPage;
  void (*PrerenderPatternTiles)(unsigned int first, unsigned int end);
  void (*SetNESPalette)(int entry, int colour);
  void (*GenerateIRQ)();
};
#pragma pack(pop)
