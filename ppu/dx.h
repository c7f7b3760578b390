#pragma once
// The video surfaces: three 640 x 480 surfaces of palette indices and a
// 256-entry palette, kept in memory. A flip hands the front picture and the
// palette to a Display (ppu/display.h): none (headless) or the game window.
// Operations keep DirectDraw's names, flags and result codes, since the
// renderers and their callers are written against that surface model.

struct tagPALETTEENTRY {
  unsigned char peRed;
  unsigned char peGreen;
  unsigned char peBlue;
  unsigned char peFlags;
};

constexpr int SurfaceWidth = 640;
constexpr int SurfaceHeight = 480;

// Bytes from one surface row to the next. Deliberately wider than a row, as
// display memory often is, so that code which assumes pitch == width shows up.
constexpr long SurfacePitch = 704;

struct DDSCAPS {
  unsigned int dwCaps;
};

// Description of a surface: what to create, or, once locked, its base
// address and pitch (bytes per row).
struct _DDSURFACEDESC {
  unsigned int dwSize;
  unsigned int dwWidth;
  unsigned int dwHeight;
  long lPitch;
  void* lpSurface;
  unsigned int dwFlags;
  unsigned int dwBackBufferCount;
  DDSCAPS ddsCaps;
};

// Colour-fill parameters.
struct DDBLTFX {
  unsigned int dwSize;
  unsigned long dwFillColor;
};

// Result codes (DirectDraw's values).
constexpr long DD_OK = 0;
constexpr long DDERR_GENERIC = 0x80004005L;
constexpr long DDERR_INVALIDPARAMS = 0x80070057L;
constexpr long DDERR_OUTOFMEMORY = 0x8007000EL;
constexpr long DDERR_INVALIDMODE = 0x8876005AL;
constexpr long DDERR_SURFACEBUSY = 0x887601AEL;
constexpr long DDERR_SURFACELOST = 0x887601C2L;
constexpr long DDERR_WASSTILLDRAWING = 0x8876021CL;

// Flags, with DirectDraw's values.
constexpr unsigned int DDSD_CAPS = 0x1;
constexpr unsigned int DDSD_HEIGHT = 0x2;
constexpr unsigned int DDSD_WIDTH = 0x4;
constexpr unsigned int DDSD_BACKBUFFERCOUNT = 0x20;
constexpr unsigned int DDSCAPS_BACKBUFFER = 0x4;
constexpr unsigned int DDSCAPS_COMPLEX = 0x8;
constexpr unsigned int DDSCAPS_FLIP = 0x10;
constexpr unsigned int DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr unsigned int DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr unsigned int DDSCL_EXCLUSIVE_FULLSCREEN_ALLOWREBOOT = 0x13;
constexpr unsigned int DDPCAPS_8BIT = 0x4;
constexpr unsigned int DDLOCK_WAIT_NOSYSLOCK = 0x801;
constexpr unsigned int DDFLIP_WAIT = 0x1;
constexpr unsigned int DDBLT_COLORFILL_WAIT = 0x1000400;
constexpr unsigned int DDBLTFAST_WAIT = 0x10;

struct DirectDrawSurface;  // ppu/dx_surface.h
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

// Opens the display object, the flipping chain, a black palette and the
// back-colour surface; ppu/video_open gives them their colours.
int DDrawInit(WindowHandle hWnd, int width, int height, int colors);
void DirectDrawClose();
int LockSurface(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf);
// LockSurface for a caller that writes only rows top, top + step, ... below
// bottom, columns [left, right): a later whole-surface copy onto the surface
// then restores only those.
int LockSurfaceRows(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf, int top, int bottom,
                    int step, int left, int right);
void UnlockSurface(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf);
void PutPixel(_DDSURFACEDESC* ddsd, int x, int y, char col);
void ClearScreen(unsigned long c);
void DDrawFlip();
int SetPalette(int index, tagPALETTEENTRY* col);
void PrintText(const char* text, int x, int y, unsigned long front, unsigned long back);
void PutPixelDD(int x, int y, unsigned long col);

// The surfaces' own operations used by the backdrop: a colour fill of a whole
// surface (Blt with DDBLT_COLORFILL | DDBLT_WAIT) and a whole-surface copy to
// (0, 0) (BltFast with DDBLTFAST_WAIT). Both return a result code.
long SurfaceBltColorFill(LPDIRECTDRAWSURFACE target, const DDBLTFX& fx);
long SurfaceBltFast(LPDIRECTDRAWSURFACE target, LPDIRECTDRAWSURFACE source);

// Test hook: the next DDrawInit fails at the given step of its sequence
// (1 create, 2 cooperative level, 3 display mode, 4 primary chain, 5 back
// buffer, 7 palette, 8 palette attach, 9 back-colour surface); 0 for none.
void DDrawFailAtStep(int step);
