#pragma once
// The in-memory surface model behind ppu/dx.h, for the code that reads the
// pictures back: displays, the PNG writer, tests.

#include <array>
#include <cstdlib>
#include <memory>

#include "ppu/dx.h"

struct DirectDrawPalette {
  tagPALETTEENTRY entries[256] = {};
};

// What of a surface may differ from the surface last copied whole onto it,
// so that copying that surface again restores only those parts. Each row
// keeps one span of columns [left, right); left >= right is an unchanged row.
struct SurfaceChanges {
  const DirectDrawSurface* copyOf = nullptr;  // nullptr: no copy to restore
  unsigned long copyOfVersion = 0;            // the source's version at the copy
  std::array<short, SurfaceHeight> left{};
  std::array<short, SurfaceHeight> right{};

  SurfaceChanges() { MarkAll(); }
  void MarkAll() {
    left.fill(0);
    right.fill(SurfaceWidth);
  }
  void Clear() {
    left.fill(SurfaceWidth);
    right.fill(0);
  }
  // Rows top, top + step, ... below bottom, columns [from, to).
  void Mark(int top, int bottom, int step, int from, int to) {
    for (int y = top; y < bottom; y += step) {
      if (from < left[y]) left[y] = static_cast<short>(from);
      if (to > right[y]) right[y] = static_cast<short>(to);
    }
  }
};

// Surface memory comes from calloc: fresh pages that read as zero without
// being written, so opening the surfaces touches none of them.
struct FreePixels {
  void operator()(unsigned char* pixels) const { std::free(pixels); }
};
using SurfacePixels = std::unique_ptr<unsigned char[], FreePixels>;

struct DirectDrawSurface {
  SurfacePixels pixels;       // SurfaceHeight rows of SurfacePitch bytes
  SurfaceChanges changes;     // travels with the pixels in a flip
  unsigned long version = 0;  // counts the changes to the pixels
  long pitch = SurfacePitch;
  bool locked = false;
  bool lost = false;                        // set by a display; cleared by a restore
  DirectDrawPalette* palette = nullptr;     // attached palette (primary only)
  DirectDrawSurface* backBuffer = nullptr;  // attached back buffer (primary only)

  const unsigned char* Row(int y) const { return pixels.get() + y * pitch; }
  unsigned char At(int x, int y) const { return Row(y)[x]; }
};
