#pragma once
// The background renderer and the per-scanline scroll records it draws from.

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

// Addressing tables, computed once; see background_tables.cpp for the rules.
extern unsigned short NameTables[4][512][480];
extern unsigned short AttribBytes[0x3000];
extern unsigned char AttribBits[0x3000];

void SetScanlineScroll();
// The same record under an explicit line, for callers that step the CPU
// instruction by instruction and record after the line has ended.
void RecordScanlineScroll(unsigned char line);
void DrawBackgroundColor();
