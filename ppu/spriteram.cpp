#include "ppu/spriteram.h"

#include <cstring>

#include "cpu/cpu.h"
#include "ppu/ppu.h"
#include "ppu/ppu_registers.h"

SpriteRam SPRRAM;
unsigned char Sprite0Scanline = 0;

void SpriteRam::write2003(unsigned char value) {
  Address = value;
}

void SpriteRam::write2004(unsigned char value) {
  SPR_RAM[Address] = value;
  if (Address <= 1) UpdateSprite0();  // sprite 0's Y or tile changed
  ++Address;                          // wraps from 255 to 0
}

unsigned char SpriteRam::read2004() {
  return SPR_RAM[Address];
}

// The DMA copy reads CPU memory directly and ignores the OAM address.
void SpriteRam::write4014(unsigned char value) {
  std::memcpy(SPR_RAM, CPU.Memory + value * 256, 256);
  if (Address <= 1) UpdateSprite0();
}

unsigned char SpriteRam::GetMem(int place) {
  return SPR_RAM[place & 0xFF];
}

int SpriteRam::GetTable() {
  return (CPU.Memory[ppu_register::kControl] & ppu_register::kSpritePatternTable) ? 1 : 0;
}

void SpriteRam::Initialize() {
  for (int n = 0; n < 64; ++n) Sprites[n].Create(n);
}

namespace {

// First row (0 .. rows - 1) of a run of tiles that holds a non-zero pixel,
// reading the pattern bytes directly; `rows` when there is none.
int FirstOpaqueRow(unsigned int patternAddress, int rows) {
  for (int row = 0; row < rows; ++row) {
    const unsigned int tileStart = (patternAddress + (row / 8) * 16) & 0x1FFF;
    const unsigned char low = PPU.PPUMem[(tileStart + row % 8) & 0x1FFF];
    const unsigned char high = PPU.PPUMem[(tileStart + row % 8 + 8) & 0x1FFF];
    if (low | high) return row;
  }
  return rows;
}

}  // namespace

// The sprite-0 hit is predicted, not detected: the flag goes up on the line
// that shows sprite 0's first opaque row, whatever lies under it.
void SpriteRam::UpdateSprite0() {
  const unsigned char tile = SPR_RAM[1];
  int row;
  if (CPU.Memory[ppu_register::kControl] & ppu_register::kTallSprites) {
    row = FirstOpaqueRow((tile & 1) * 0x1000 + (tile & 0xFE) * 16, 16);
  } else {
    row = FirstOpaqueRow(GetTable() * 0x1000 + tile * 16, 8);
  }
  Sprite0Scanline = static_cast<unsigned char>(SPR_RAM[0] + row + 1);
}
