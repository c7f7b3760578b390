// The background's addressing tables, built by the compiler: the program
// starts without filling 2 MB of name-table mapping.

#include "ppu/background.h"

namespace {

// The name-table plane is the 2 x 2 arrangement of the four name tables as
// seen from base table n; crossing x = 256 or y = 240 flips to the neighbour.
constexpr unsigned short NameTableAddress(int base, int x, int y) {
  const int table = base ^ (x >= 256 ? 1 : 0) ^ (y >= 240 ? 2 : 0);
  return static_cast<unsigned short>(0x2000 + table * 0x400 + ((y % 240) / 8) * 32 + (x % 256) / 8);
}

constexpr NameTablePlanes BuildNameTables() {
  NameTablePlanes planes{};
  for (int base = 0; base < 4; ++base)
    for (int x = 0; x < 512; ++x)
      for (int y = 0; y < 480; ++y) planes[base][x][y] = NameTableAddress(base, x, y);
  return planes;
}

// One attribute byte covers 4 x 4 tiles; its two-bit fields are the
// top-left, top-right, bottom-left and bottom-right 2 x 2 quarters.
constexpr std::array<unsigned short, 0x3000> BuildAttributeBytes() {
  std::array<unsigned short, 0x3000> bytes{};
  for (int a = 0x2000; a < 0x3000; ++a) {
    const int offset = a & 0x3FF;
    bytes[a] =
        static_cast<unsigned short>((a & 0xFC00) + 0x3C0 + (offset / 32 / 4) * 8 + offset % 32 / 4);
  }
  return bytes;
}

constexpr std::array<unsigned char, 0x3000> BuildAttributeBits() {
  std::array<unsigned char, 0x3000> bits{};
  for (int a = 0x2000; a < 0x3000; ++a) {
    const int offset = a & 0x3FF;
    const int quarter = ((offset / 32 / 2) & 1) * 2 + ((offset % 32 / 2) & 1);
    bits[a] = static_cast<unsigned char>(0x03 << (quarter * 2));
  }
  return bits;
}

}  // namespace

constinit const NameTablePlanes NameTables = BuildNameTables();
constinit const std::array<unsigned short, 0x3000> AttribBytes = BuildAttributeBytes();
constinit const std::array<unsigned char, 0x3000> AttribBits = BuildAttributeBits();
