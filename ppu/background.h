#pragma once
// The background renderer and the per-scanline scroll records it draws from.

#include <array>

#include "ppu/dx.h"

class Background {
 public:
  Background();

  void SetHScroll(unsigned char value) { HScroll = value; }
  unsigned char GetHScroll() const { return HScroll; }
  void SetVScroll(unsigned char value) { VScroll = value; }
  unsigned char GetVScroll() const { return VScroll; }
  void SetTable(int table) { BackPatternTable = table; }
  int GetTable() const { return BackPatternTable; }

  void Draw();
  void Reset();
  void Unlock();
  void InitBackColorSurface();

  unsigned char VScroll = 0;
  unsigned char HScroll = 0;
  int BackPatternTable = 0;
  _DDSURFACEDESC DDSDScreen{};
  unsigned char* lpScreen = nullptr;
  DDBLTFX ddbltfx{};
};

extern Background BackGround;

// Indexed by PPU.Scanline; only 0-239 are written.
extern unsigned char ScanScrollH[262];
extern unsigned char ScanScrollV[262];
extern unsigned char ScanNameTable[262];
extern unsigned int ScanBackPattern[262];

// Addressing tables, constant data built at compile time; see
// background_tables.cpp for the rules. NameTables[base][x][y] is the
// name-table byte of plane pixel (x, y) seen from base table `base`.
using NameTablePlanes = std::array<std::array<std::array<unsigned short, 480>, 512>, 4>;
extern const NameTablePlanes NameTables;
extern const std::array<unsigned short, 0x3000> AttribBytes;
extern const std::array<unsigned char, 0x3000> AttribBits;

void SetScanlineScroll();
// The same record under an explicit line, for callers that step the CPU
// instruction by instruction and record after the line has ended.
void RecordScanlineScroll(unsigned char line);
void DrawBackgroundColor();
