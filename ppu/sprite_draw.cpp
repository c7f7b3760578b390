#include "cpu/cpu.h"
#include "ppu/ppu.h"
#include "ppu/ppu_registers.h"
#include "ppu/spriteram.h"

namespace {

constexpr int kPictureLeft = 64;
using ppu_register::kControl;
using ppu_register::kMask;
using ppu_register::kShowSprites;
using ppu_register::kTallSprites;
constexpr unsigned char kBehindBackground = 0x20;
constexpr unsigned char kFlipHorizontal = 0x40;
constexpr unsigned char kFlipVertical = 0x80;
// NES lines beyond 239 would lie below the last surface row (479).
constexpr int kLinesOnSurface = 240;

// What a sprite draws with: its four palette bytes and its place.
struct SpritePlacement {
  const unsigned char* palette;  // sprite palette of the sprite, entry 0 unused
  unsigned char* topLeft;        // surface position of its row 0, column 0
  long rowStep;                  // bytes from one sprite row to the next (two surface rows)
};

SpritePlacement PlaceSprite(const _DDSURFACEDESC& surface, unsigned int y, unsigned int x,
                            unsigned int attributes) {
  SpritePlacement place;
  place.palette = PPU.PPUMem + 0x3F10 + (attributes & 3) * 4;
  place.rowStep = 2 * surface.lPitch;
  place.topLeft = static_cast<unsigned char*>(surface.lpSurface) + (y + 1) * place.rowStep +
                  kPictureLeft + 2 * x;
  return place;
}

// One sprite row from eight tile bytes, walked forwards or backwards.
// The tile cache holds colour numbers 0-3; only those bits are used, so a
// damaged cache cannot index past the sprite palette.
template <bool kMirrored>
void DrawSpriteRow(unsigned char* out, const unsigned char* source, const unsigned char* palette) {
  for (int c = 0; c < 8; ++c, out += 2) {
    const unsigned int colour = (kMirrored ? source[7 - c] : source[c]) & 3;
    if (colour != 0) out[0] = out[1] = palette[colour];
  }
}

// Rows 0 .. rows - 1 of a tile, top row first or (vertical flip) last.
template <bool kMirrored, bool kUpsideDown>
unsigned char* DrawTileRows(unsigned char* out, const PatternTableTile& tile, int rows,
                            const SpritePlacement& place) {
  for (int r = 0; r < rows; ++r, out += place.rowStep) {
    const int sourceRow = kUpsideDown ? 7 - r : r;
    DrawSpriteRow<kMirrored>(out, tile.data + sourceRow * 8, place.palette);
  }
  return out;
}

template <bool kMirrored, bool kUpsideDown>
void DrawTilePair(const PatternTableTile& top, const PatternTableTile& bottom, int rows,
                  const SpritePlacement& place) {
  // Upside down, the bottom tile's rows come first, each tile reversed.
  const PatternTableTile& upper = kUpsideDown ? bottom : top;
  const PatternTableTile& lower = kUpsideDown ? top : bottom;
  unsigned char* out =
      DrawTileRows<kMirrored, kUpsideDown>(place.topLeft, upper, rows < 8 ? rows : 8, place);
  if (rows > 8) DrawTileRows<kMirrored, kUpsideDown>(out, lower, rows - 8, place);
}

void DrawTilePair(const PatternTableTile& top, const PatternTableTile& bottom, int rows,
                  unsigned int attributes, const SpritePlacement& place) {
  const bool mirrored = attributes & kFlipHorizontal;
  const bool upsideDown = attributes & kFlipVertical;
  if (mirrored && upsideDown) {
    DrawTilePair<true, true>(top, bottom, rows, place);
  } else if (mirrored) {
    DrawTilePair<true, false>(top, bottom, rows, place);
  } else if (upsideDown) {
    DrawTilePair<false, true>(top, bottom, rows, place);
  } else {
    DrawTilePair<false, false>(top, bottom, rows, place);
  }
}

enum class Layer { Behind, Front };

// Sprite 63 first, sprite 0 last: a lower-numbered sprite covers a higher one.
void DrawLayer(SpriteRam& ram, Layer layer, void (SpriteTile::*draw)(_DDSURFACEDESC*)) {
  _DDSURFACEDESC surface;
  // Sprite rows lie on even surface rows, from the picture's left edge on.
  if (!LockSurfaceRows(surface, lpDDSBack, 0, SurfaceHeight, 2, kPictureLeft, SurfaceWidth)) return;
  for (int n = 63; n >= 0; --n) {
    SpriteTile& sprite = ram.Sprites[n];
    if (sprite.Attributes == nullptr) continue;  // sprite views not created yet
    const bool behind = *sprite.Attributes & kBehindBackground;
    if (behind == (layer == Layer::Behind)) (sprite.*draw)(&surface);
  }
  UnlockSurface(surface, lpDDSBack);
}

}  // namespace

// An 8x8 sprite is drawn only when all eight rows fall on lines 8-231.
void SpriteTile::Draw8x8(_DDSURFACEDESC* ddsd) {
  const unsigned int top = *y;
  if (top > 223 || top < 7) return;
  const PatternTableTile& tile = PPU.PatternTiles[SPRRAM.GetTable() * 256 + *TileIndex];
  const SpritePlacement place = PlaceSprite(*ddsd, top, *x, *Attributes);
  DrawTilePair(tile, tile, 8, *Attributes, place);
}

// Bit 0 of the tile number picks the pattern table of both tiles. There is
// no upper limit on the screen, but rows that would fall below the surface
// (Y 224-231) are cut off.
void SpriteTile::Draw8x16(_DDSURFACEDESC* ddsd) {
  const unsigned int top = *y;
  if (top > 231) return;
  const unsigned int number = *TileIndex;
  const PatternTableTile* pair = PPU.PatternTiles + (number & 1) * 256 + (number & 0xFE);
  const int rowsOnSurface = kLinesOnSurface - static_cast<int>(top + 1);
  const int rows = rowsOnSurface < 16 ? rowsOnSurface : 16;
  const SpritePlacement place = PlaceSprite(*ddsd, top, *x, *Attributes);
  DrawTilePair(pair[0], pair[1], rows, *Attributes, place);
}

void SpriteRam::Draw8x8back() {
  DrawLayer(*this, Layer::Behind, &SpriteTile::Draw8x8);
}

void SpriteRam::Draw8x8() {
  DrawLayer(*this, Layer::Front, &SpriteTile::Draw8x8);
}

void SpriteRam::Draw8x16back() {
  DrawLayer(*this, Layer::Behind, &SpriteTile::Draw8x16);
}

void SpriteRam::Draw8x16() {
  DrawLayer(*this, Layer::Front, &SpriteTile::Draw8x16);
}

void DrawSpritesBack() {
  if (!(CPU.Memory[kMask] & kShowSprites)) return;
  if (CPU.Memory[kControl] & kTallSprites) {
    SPRRAM.Draw8x16back();
  } else {
    SPRRAM.Draw8x8back();
  }
}

void DrawSprites() {
  if (!(CPU.Memory[kMask] & kShowSprites)) return;
  if (CPU.Memory[kControl] & kTallSprites) {
    SPRRAM.Draw8x16();
  } else {
    SPRRAM.Draw8x8();
  }
}
