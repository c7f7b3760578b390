#include <cstring>

#include "cpu/cpu.h"
#include "ppu/background.h"
#include "ppu/ppu.h"

namespace {

// NES line i lies on surface row 2i, NES pixel x on columns 64 + 2x and
// 65 + 2x; lines 8-231 are shown.
constexpr int kPictureTop = 16;
constexpr int kPictureLeft = 64;
constexpr int kFirstShownLine = 8;
constexpr int kLastShownLine = 231;
constexpr int kPlaneWidth = 512;
constexpr int kPlaneHeight = 480;
constexpr unsigned char kBackdropPixel = 64;
constexpr unsigned char kShowBackground = 0x08;

unsigned char* PictureOrigin(const _DDSURFACEDESC& surface) {
  return static_cast<unsigned char*>(surface.lpSurface) + kPictureTop * surface.lPitch +
         kPictureLeft;
}

// The palette number of tile byte `a`, times four: the tile's two attribute
// bits moved to bits 2-3.
unsigned int UpperColour(unsigned int a) {
  const unsigned int bits = PPU.PPUMem[AttribBytes[a]] & AttribBits[a];
  switch (AttribBits[a]) {
    case 0x03:
      return bits << 2;
    case 0x0C:
      return bits;
    case 0x30:
      return bits >> 2;
    default:
      return bits >> 4;
  }
}

// Pixels first .. first + count - 1 (0 = leftmost) of one row of a tile;
// colour number 0 leaves the surface as it is.
unsigned char* DrawTileRow(unsigned char* out, unsigned int a, unsigned int patternTable,
                           unsigned int fineRow, int first, int count) {
  const unsigned int p = patternTable + PPU.PPUMem[a] * 16u + fineRow;
  const unsigned int low = PPU.PPUMem[p];
  const unsigned int high = PPU.PPUMem[p + 8];
  if ((low | high) == 0) return out + 2 * count;  // a fully transparent row
  const unsigned char* palette = PPU.PPUMem + 0x3F00 + UpperColour(a);
  for (int k = first; k < first + count; ++k, out += 2) {
    const unsigned int shift = 7 - k;
    const unsigned int colour = ((low >> shift) & 1) | (((high >> shift) & 1) << 1);
    if (colour != 0) out[0] = out[1] = palette[colour];
  }
  return out;
}

// One shown line from its scroll record. The record's fields are folded into
// the ranges the scroll port and the capture produce, so a corrupted record
// still reads inside the tables and PPU memory.
void DrawLine(unsigned char* out, int line) {
  const unsigned int hs = ScanScrollH[line];
  const unsigned int nameTable = ScanNameTable[line] & 3;
  const unsigned int patternTable = ScanBackPattern[line] & 0x1000;
  unsigned int y = ScanScrollV[line] + line;
  if (y >= kPlaneHeight) y -= kPlaneHeight;
  const unsigned int fineRow = y & 7;

  unsigned int x = hs;
  unsigned int a = NameTables[nameTable][x][y];
  int first = x & 7;
  int remaining = 256;
  while (remaining > 0) {
    const int count = remaining < 8 - first ? remaining : 8 - first;
    out = DrawTileRow(out, a, patternTable, fineRow, first, count);
    remaining -= count;
    x += count;
    // The plane crosses into the neighbouring name table at column 256;
    // elsewhere the next tile is the next byte of the row.
    a = x == 256 ? NameTables[nameTable][256][y] : a + 1;
    first = 0;
  }
  static_assert(kPlaneWidth > 256 + 255, "a line never runs off the plane");
}

}  // namespace

void Background::Reset() {
  lpScreen = LockSurface(DDSDScreen, lpDDSBack) ? PictureOrigin(DDSDScreen) : nullptr;
}

void Background::Unlock() {
  UnlockSurface(DDSDScreen, lpDDSBack);
}

void Background::Draw() {
  if (!(CPU.Memory[0x2001] & kShowBackground)) return;
  Reset();
  if (lpScreen == nullptr) return;
  for (int line = kFirstShownLine; line <= kLastShownLine; ++line) {
    DrawLine(lpScreen, line);
    lpScreen += 2 * DDSDScreen.lPitch;
  }
  Unlock();
}

void Background::InitBackColorSurface() {
  SurfaceBltColorFill(lpDDSBackColor, ddbltfx);
  if (!LockSurface(DDSDScreen, lpDDSBackColor)) return;
  lpScreen = PictureOrigin(DDSDScreen);
  for (int line = kFirstShownLine; line <= kLastShownLine; ++line) {
    std::memset(lpScreen, kBackdropPixel, 512);
    lpScreen += 2 * DDSDScreen.lPitch;
  }
  UnlockSurface(DDSDScreen, lpDDSBackColor);
}

void DrawBackgroundColor() {
  SetNESPalette(64, PPU.PPUMem[0x3F00]);
  SurfaceBltFast(lpDDSBack, lpDDSBackColor);
}
