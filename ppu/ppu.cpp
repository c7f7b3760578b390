#include "ppu/ppu.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "cart/rom.h"

_PPU PPU;

void InitializePPU() {
  PPU.Mirroring = (ROMimage.Header[6] & 1) ? 1 : 0;
  PrerenderPatternTiles(0, 0x2000);
  std::memset(PPU.PPUMem + 0x2000, 0, 0x2000);  // name tables, attributes, palettes
}

namespace {

// Each bit of a pattern byte, leftmost pixel first, as one byte of 0 or 1.
constexpr std::array<std::uint64_t, 256> kSpreadBits = [] {
  std::array<std::uint64_t, 256> table{};
  for (unsigned int byte = 0; byte < 256; ++byte)
    for (unsigned int column = 0; column < 8; ++column)
      if (byte & (0x80u >> column)) table[byte] |= std::uint64_t{1} << (8 * column);
  return table;
}();

// A row's eight colour numbers at once: low-plane bits count 1, high-plane 2.
void DecodeTile(const unsigned char* source, PatternTableTile& tile) {
  static_assert(std::endian::native == std::endian::little, "row bytes are laid out low first");
  for (int row = 0; row < 8; ++row) {
    const std::uint64_t colours = kSpreadBits[source[row]] | (kSpreadBits[source[row + 8]] << 1);
    std::memcpy(tile.data + row * 8, &colours, sizeof colours);
  }
}

}  // namespace

// Rebuilds the tiles holding Address, Address + 16, ... below EndAddress. The
// step is taken from the unaligned address, so a one-byte range rebuilds
// exactly the tile holding that byte. Tiles past the pattern tables are never
// touched, whatever range a caller passes.
void PrerenderPatternTiles(unsigned int Address, unsigned int EndAddress) {
  for (; Address < EndAddress && Address < 0x2000; Address += 16) {
    DecodeTile(PPU.PPUMem + (Address & ~0xFu), PPU.PatternTiles[Address >> 4]);
  }
}
