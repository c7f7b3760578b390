#include "debugger/picture_compose.h"

#include <chrono>
#include <cstdio>

#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

namespace {

long long TickCount() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

double DrawPatternPicture() {
  ClearScreen(0);
  const long long start = TickCount();
  DrawPatternTables();
  DrawPalettes();
  const long long end = TickCount();
  return static_cast<double>(end - start) * 0.001;
}

void FormatRenderingTime(char (&text)[40], double seconds) {
  std::snprintf(text, sizeof text, "Rendering time %f sec", seconds);
}

void DrawScreenShotPicture() {
  ClearScreen(0);
  DrawBackgroundColor();
  DrawSpritesBack();
  BackGround.Draw();
  DrawSprites();
}
