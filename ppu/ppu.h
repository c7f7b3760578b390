#pragma once
// PPU memory, the prerendered pattern tiles and the palettes.

#include "ppu/dx.h"
#include "ppu/ppu_state.h"

extern _PPU PPU;

// 64 NES colours of four bytes each: red, green, blue, 0.
extern const unsigned char NESPalette[256];

// The program's copy of the surface palette.
extern tagPALETTEENTRY ShadowPal[256];

void InitializePPU();
void PrerenderPatternTiles(unsigned int Address, unsigned int EndAddress);
void InitNESPalette();
void SetNESPalette(int index, int color);
void DrawPatternTables();
void DrawPalettes();
