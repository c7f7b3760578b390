#pragma once
// A view of one sprite's four OAM bytes, and its drawing.

#include "ppu/dx.h"

class SpriteTile {
 public:
  void Create(int TNum);
  void Draw8x8(_DDSURFACEDESC* ddsd);
  void Draw8x16(_DDSURFACEDESC* ddsd);

  unsigned char* x = nullptr;           // OAM byte 4n + 3
  unsigned char* y = nullptr;           // OAM byte 4n
  unsigned char* Attributes = nullptr;  // OAM byte 4n + 2
  unsigned char* TileIndex = nullptr;   // OAM byte 4n + 1
};
