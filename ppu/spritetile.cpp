#include "ppu/spritetile.h"

#include "ppu/spriteram.h"

void SpriteTile::Create(int TNum) {
  unsigned char* bytes = SPRRAM.SPR_RAM + (TNum & 63) * 4;
  y = bytes;
  TileIndex = bytes + 1;
  Attributes = bytes + 2;
  x = bytes + 3;
}
