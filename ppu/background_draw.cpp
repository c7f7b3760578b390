#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "cpu/cpu.h"
#include "ppu/background.h"
#include "ppu/ppu.h"
#include "ppu/ppu_registers.h"

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
using ppu_register::kShowBackground;

unsigned char* PictureOrigin(const _DDSURFACEDESC& surface) {
  return static_cast<unsigned char*>(surface.lpSurface) + kPictureTop * surface.lPitch +
         kPictureLeft;
}

// Sixteen bytes operated on together (the compiler's vector extension): the
// two surface bytes of each of a tile row's eight pixels.
using Bytes16 = unsigned char __attribute__((vector_size(16)));

Bytes16 Load16(const unsigned char* from) {
  Bytes16 bytes;
  std::memcpy(&bytes, from, sizeof bytes);
  return bytes;
}

// Bits 7..0 of a pattern byte as masks of $FF over the 16 surface bytes of a
// tile row, leftmost pixel first.
constexpr std::array<std::array<unsigned char, 16>, 256> kRowMasks = [] {
  std::array<std::array<unsigned char, 16>, 256> table{};
  for (int byte = 0; byte < 256; ++byte)
    for (int j = 0; j < 16; ++j) table[byte][j] = (byte & (0x80 >> (j / 2))) ? 0xFF : 0x00;
  return table;
}();

// The three opaque colours of each background palette, each repeated over
// 16 bytes. The palette bytes do not change while a frame is drawn.
struct PaletteColours {
  Bytes16 colour[4][4];  // [palette][colour number 1-3]; colour number 0 unused

  PaletteColours() {
    for (int p = 0; p < 4; ++p) {
      for (int k = 0; k < 4; ++k) {
        const Bytes16 none{};
        colour[p][k] = none + PPU.PPUMem[0x3F00 + 4 * p + k];
      }
    }
  }
};

// The palette number of tile byte `a`: its two bits of the attribute byte.
unsigned int PaletteNumber(unsigned int a) {
  const unsigned int mask = AttribBits[a];
  return (PPU.PPUMem[AttribBytes[a]] & mask) >> std::countr_zero(mask | 0x100u);
}

// The three opaque colours of one palette, held in registers while a tile's
// rows are drawn (the surface writes could otherwise alias them).
struct TileColours {
  Bytes16 one, two, oneXorThree;

  explicit TileColours(const Bytes16* colours)
      : one(colours[1]), two(colours[2]), oneXorThree(colours[1] ^ colours[3]) {}
};

// A whole tile row: the high bit picks between colours 1 and 3 and between
// colour 2 and what the surface holds, the low bit between those two, so
// only opaque bytes replace the surface.
void DrawWholeTileRow(unsigned char* out, unsigned int low, unsigned int high,
                      const TileColours& c) {
  const Bytes16 lowMask = Load16(kRowMasks[low].data());
  const Bytes16 highMask = Load16(kRowMasks[high].data());
  const Bytes16 old = Load16(out);
  const Bytes16 lowSet = c.one ^ (c.oneXorThree & highMask);
  const Bytes16 lowClear = old ^ ((old ^ c.two) & highMask);
  const Bytes16 surface = lowClear ^ ((lowSet ^ lowClear) & lowMask);
  std::memcpy(out, &surface, sizeof surface);
}

// Pixels first .. first + count - 1 (0 = leftmost) of a tile row, one by one.
void DrawPartTileRow(unsigned char* out, unsigned int low, unsigned int high,
                     const unsigned char* palette, int first, int count) {
  for (int k = first; k < first + count; ++k, out += 2) {
    const unsigned int shift = 7 - k;
    const unsigned int colour = ((low >> shift) & 1) | (((high >> shift) & 1) << 1);
    if (colour != 0) out[0] = out[1] = palette[colour];
  }
}

// The lines from `line` on that can be drawn as one band: the same scroll
// record, so consecutive rows of the same tile row, up to the tile row's end.
int BandHeight(int line) {
  const unsigned int fineRow = (ScanScrollV[line] + line) % kPlaneHeight & 7;
  int rows = 1;
  while (line + rows <= kLastShownLine && fineRow + rows < 8 &&
         ScanScrollH[line + rows] == ScanScrollH[line] &&
         ScanScrollV[line + rows] == ScanScrollV[line] &&
         ScanNameTable[line + rows] == ScanNameTable[line] &&
         ScanBackPattern[line + rows] == ScanBackPattern[line]) {
    ++rows;
  }
  return rows;
}

// `rows` shown lines from `line` on, one band (see BandHeight), a tile at a
// time: the tile's name-table byte and palette are looked up once for all
// its rows. The record's fields are folded into the ranges the scroll port
// and the capture produce, so a corrupted record still reads inside the
// tables and PPU memory.
void DrawBand(unsigned char* out, long pitch, int line, int rows, const PaletteColours& colours) {
  const unsigned int nameTable = ScanNameTable[line] & 3;
  const unsigned int patternTable = ScanBackPattern[line] & 0x1000;
  unsigned int y = ScanScrollV[line] + line;
  if (y >= kPlaneHeight) y -= kPlaneHeight;
  const unsigned int fineRow = y & 7;
  const long rowStep = 2 * pitch;

  unsigned int x = ScanScrollH[line];
  unsigned int a = NameTables[nameTable][x][y];
  int first = x & 7;
  int remaining = 256;
  while (remaining > 0) {
    const int count = remaining < 8 - first ? remaining : 8 - first;
    const unsigned char* pattern = PPU.PPUMem + patternTable + PPU.PPUMem[a] * 16u + fineRow;
    const unsigned int palette = PaletteNumber(a);
    unsigned char* tileOut = out;
    if (count == 8) {
      const TileColours tileColours(colours.colour[palette]);
      for (int row = 0; row < rows; ++row, tileOut += rowStep) {
        const unsigned int low = pattern[row];
        const unsigned int high = pattern[row + 8];
        // A row of colour number 0 is wholly transparent.
        if ((low | high) != 0) DrawWholeTileRow(tileOut, low, high, tileColours);
      }
    } else {
      for (int row = 0; row < rows; ++row, tileOut += rowStep)
        DrawPartTileRow(tileOut, pattern[row], pattern[row + 8], PPU.PPUMem + 0x3F00 + 4 * palette,
                        first, count);
    }
    out += 2 * count;
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
  const bool locked = LockSurfaceRows(DDSDScreen, lpDDSBack, kPictureTop,
                                      kPictureTop + 2 * (kLastShownLine - kFirstShownLine) + 1, 2,
                                      kPictureLeft, kPictureLeft + 512);
  lpScreen = locked ? PictureOrigin(DDSDScreen) : nullptr;
}

void Background::Unlock() {
  UnlockSurface(DDSDScreen, lpDDSBack);
}

void Background::Draw() {
  if (!(CPU.Memory[ppu_register::kMask] & kShowBackground)) return;
  Reset();
  if (lpScreen == nullptr) return;
  const PaletteColours colours;
  for (int line = kFirstShownLine; line <= kLastShownLine;) {
    const int rows = BandHeight(line);
    DrawBand(lpScreen, DDSDScreen.lPitch, line, rows, colours);
    lpScreen += 2 * DDSDScreen.lPitch * rows;
    line += rows;
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
