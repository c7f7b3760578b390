#include "ppu/video_open.h"

#include "ppu/background.h"
#include "ppu/ppu.h"

int OpenVideoSurfaces(WindowHandle window) {
  const int code = DDrawInit(window, SurfaceWidth, SurfaceHeight, 8);
  if (code != 0) return code;
  InitNESPalette();
  for (int index = 0; index < 256; ++index) SetPalette(index, &ShadowPal[index]);
  BackGround.InitBackColorSurface();
  return 0;
}
