#pragma once
// Sprite attribute memory (OAM), its ports, the two sprite layers and the
// sprite-0 line prediction.

#include "ppu/spritetile.h"

class SpriteRam {
 public:
  void write2003(unsigned char value);
  void write2004(unsigned char value);
  unsigned char read2004();
  void write4014(unsigned char value);
  unsigned char GetMem(int place);
  int GetTable();
  void Initialize();
  void Draw8x8back();
  void Draw8x8();
  void Draw8x16back();
  void Draw8x16();
  void UpdateSprite0();

  unsigned char Address = 0;
  unsigned char SPR_RAM[256] = {};
  SpriteTile Sprites[64];
};

extern SpriteRam SPRRAM;
extern unsigned char Sprite0Scanline;

void DrawSpritesBack();
void DrawSprites();
