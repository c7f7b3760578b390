#pragma once
// The video surfaces: three 640 x 480 surfaces of palette indices and a
// 256-entry palette, kept in memory. A flip hands the front picture and the
// palette to a Display: none (headless) or the game window.

struct tagPALETTEENTRY {
  unsigned char peRed;
  unsigned char peGreen;
  unsigned char peBlue;
  unsigned char peFlags;
};

constexpr int SurfaceWidth = 640;
constexpr int SurfaceHeight = 480;

// Description of a locked surface: base address and pitch (bytes per row).
struct _DDSURFACEDESC {
  unsigned int dwSize;
  unsigned int dwWidth;
  unsigned int dwHeight;
  long lPitch;
  void* lpSurface;
};

// Colour-fill parameters.
struct DDBLTFX {
  unsigned int dwSize;
  unsigned long dwFillColor;
};

struct DDSCAPS {
  unsigned int dwCaps;
};

struct DirectDrawSurface;  // defined in ppu/dx.cpp
struct DirectDrawPalette;
struct DirectDraw;
using LPDIRECTDRAW = DirectDraw*;
using LPDIRECTDRAWSURFACE = DirectDrawSurface*;
using LPDIRECTDRAWPALETTE = DirectDrawPalette*;

using WindowHandle = void*;

extern LPDIRECTDRAW lpDD;
extern LPDIRECTDRAWSURFACE lpDDSPrimary;
extern LPDIRECTDRAWSURFACE lpDDSBack;
extern LPDIRECTDRAWSURFACE lpDDSBackColor;
extern LPDIRECTDRAWPALETTE lpDDPal;
extern _DDSURFACEDESC ddsd;
extern DDSCAPS ddscaps;
extern long ddrval;
extern int DDrawRunning;

int DDrawInit(WindowHandle hWnd, int width, int height, int colors);
void DirectDrawClose();
int LockSurface(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf);
void UnlockSurface(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf);
void PutPixel(_DDSURFACEDESC* ddsd, int x, int y, char col);
void ClearScreen(unsigned long c);
void DDrawFlip();
int SetPalette(int index, tagPALETTEENTRY* col);
void PrintText(const char* text, int x, int y, unsigned long front, unsigned long back);
void PutPixelDD(int x, int y, unsigned long col);
