#include "emulation/emulate.h"

#include "cpu/cpu.h"
#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/spriteram.h"

std::atomic<int> DisplayBackground = 1;
std::atomic<int> DisplaySprites = 1;
unsigned int Frames = 0;
char FrameCount[32] = "";

// The picture is composed from the state at the start of vertical blank:
// backdrop first, then the layers back to front, so each covers the last.
void NESMain() {
  RunCpu();
  ComposeFrame();
}

void ComposeFrame() {
  DrawBackgroundColor();
  if (DisplaySprites != 0) DrawSpritesBack();
  if (DisplayBackground != 0) BackGround.Draw();
  if (DisplaySprites != 0) DrawSprites();
  DDrawFlip();
  PrintText(FrameCount, 0, 0, 0xFFFFFF, 0);
  Frames += 1;
}
