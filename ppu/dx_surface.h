#pragma once
// The in-memory surface model behind ppu/dx.h, for the code that reads the
// pictures back: displays, the PNG writer, tests.

#include <memory>

#include "ppu/dx.h"

struct DirectDrawPalette {
  tagPALETTEENTRY entries[256] = {};
};

struct DirectDrawSurface {
  std::unique_ptr<unsigned char[]> pixels;  // SurfaceHeight rows of SurfacePitch bytes
  long pitch = SurfacePitch;
  bool locked = false;
  bool lost = false;                        // set by a display; cleared by a restore
  DirectDrawPalette* palette = nullptr;     // attached palette (primary only)
  DirectDrawSurface* backBuffer = nullptr;  // attached back buffer (primary only)

  const unsigned char* Row(int y) const { return pixels.get() + y * pitch; }
  unsigned char At(int x, int y) const { return Row(y)[x]; }
};
