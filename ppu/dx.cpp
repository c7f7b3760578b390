#include "ppu/dx.h"

#include <cstring>
#include <new>
#include <utility>

#include "ppu/display.h"
#include "ppu/dx_surface.h"
#include "ppu/font.h"

// The display object: owns every surface and the palette it created, so
// releasing it frees them all, as DirectDraw does.
struct DirectDraw {
  Display* display = nullptr;
  bool exclusive = false;
  bool modeSet = false;
  std::unique_ptr<DirectDrawSurface> primary;
  std::unique_ptr<DirectDrawSurface> back;
  std::unique_ptr<DirectDrawSurface> backColor;
  std::unique_ptr<DirectDrawPalette> palette;
};

LPDIRECTDRAW lpDD = nullptr;
LPDIRECTDRAWSURFACE lpDDSPrimary = nullptr;
LPDIRECTDRAWSURFACE lpDDSBack = nullptr;
LPDIRECTDRAWSURFACE lpDDSBackColor = nullptr;
LPDIRECTDRAWPALETTE lpDDPal = nullptr;
_DDSURFACEDESC ddsd;
DDSCAPS ddscaps;
long ddrval = DD_OK;
int DDrawRunning = 0;

namespace {

constexpr unsigned int kDescriptionSize = 108;
constexpr unsigned int kBltFxSize = 100;

HeadlessDisplay headless;
Display* chosenDisplay = nullptr;
int pendingFailStep = 0;

std::unique_ptr<DirectDrawSurface> NewSurface() {
  auto surface = std::make_unique<DirectDrawSurface>();
  auto* pixels = static_cast<unsigned char*>(std::calloc(SurfacePitch * SurfaceHeight, 1));
  if (pixels == nullptr) throw std::bad_alloc();
  surface->pixels.reset(pixels);
  return surface;
}

long Usable(const DirectDrawSurface* surface) {
  if (surface == nullptr) return DDERR_INVALIDPARAMS;
  if (surface->lost) return DDERR_SURFACELOST;
  if (surface->locked) return DDERR_SURFACEBUSY;
  return DD_OK;
}

// The palette a new display object starts with; its opener fills in the
// colours (ppu/video_open).
const tagPALETTEENTRY kBlackPalette[256]{};

DisplayPicture PictureOf(const DirectDrawSurface& surface) {
  const tagPALETTEENTRY* palette =
      lpDDSPrimary && lpDDSPrimary->palette ? lpDDSPrimary->palette->entries : kBlackPalette;
  return DisplayPicture{surface.pixels.get(), surface.pitch, palette};
}

// --- the steps of opening the surfaces ---

long DirectDrawCreate() {
  lpDD = new DirectDraw;
  return DD_OK;
}

long SetCooperativeLevel(WindowHandle /*hWnd*/, unsigned int flags) {
  if (flags != DDSCL_EXCLUSIVE_FULLSCREEN_ALLOWREBOOT) return DDERR_INVALIDPARAMS;
  lpDD->display = chosenDisplay ? chosenDisplay : &headless;
  lpDD->exclusive = true;
  return DD_OK;
}

// The only mode there is: the surfaces are 640 x 480 bytes of palette indices.
long SetDisplayMode(int width, int height, int colors) {
  if (!lpDD->exclusive) return DDERR_GENERIC;
  if (width != SurfaceWidth || height != SurfaceHeight || colors != 8) return DDERR_INVALIDMODE;
  lpDD->modeSet = true;
  return DD_OK;
}

long CreateSurface(const _DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE& created) {
  if (desc.dwSize != kDescriptionSize || !(desc.dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
  const unsigned int caps = desc.ddsCaps.dwCaps;
  if (caps & DDSCAPS_PRIMARYSURFACE) {
    const unsigned int chain = DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (!lpDD->modeSet || lpDD->primary) return DDERR_GENERIC;
    if ((caps & chain) != chain || !(desc.dwFlags & DDSD_BACKBUFFERCOUNT) ||
        desc.dwBackBufferCount != 1) {
      return DDERR_INVALIDPARAMS;
    }
    lpDD->primary = NewSurface();
    lpDD->back = NewSurface();
    lpDD->primary->backBuffer = lpDD->back.get();
    created = lpDD->primary.get();
    return DD_OK;
  }
  if (caps & DDSCAPS_OFFSCREENPLAIN) {
    const unsigned int size = DDSD_WIDTH | DDSD_HEIGHT;
    if ((desc.dwFlags & size) != size || desc.dwWidth != SurfaceWidth ||
        desc.dwHeight != SurfaceHeight) {
      return DDERR_INVALIDPARAMS;
    }
    lpDD->backColor = NewSurface();
    created = lpDD->backColor.get();
    return DD_OK;
  }
  return DDERR_INVALIDPARAMS;
}

long GetAttachedSurface(LPDIRECTDRAWSURFACE surface, const DDSCAPS& caps,
                        LPDIRECTDRAWSURFACE& attached) {
  if (surface == nullptr || caps.dwCaps != DDSCAPS_BACKBUFFER || !surface->backBuffer) {
    return DDERR_INVALIDPARAMS;
  }
  attached = surface->backBuffer;
  return DD_OK;
}

long CreatePalette(unsigned int caps, const tagPALETTEENTRY* entries,
                   LPDIRECTDRAWPALETTE& created) {
  if (caps != DDPCAPS_8BIT) return DDERR_INVALIDPARAMS;
  lpDD->palette = std::make_unique<DirectDrawPalette>();
  std::memcpy(lpDD->palette->entries, entries, sizeof(lpDD->palette->entries));
  created = lpDD->palette.get();
  return DD_OK;
}

long AttachPalette(LPDIRECTDRAWSURFACE surface, LPDIRECTDRAWPALETTE palette) {
  if (surface == nullptr || palette == nullptr) return DDERR_INVALIDPARAMS;
  surface->palette = palette;
  return DD_OK;
}

// --- flipping ---

long FlipChain() {
  DirectDrawSurface* back = lpDDSPrimary->backBuffer;
  if (lpDDSPrimary->lost || back->lost) return DDERR_SURFACELOST;
  if (lpDDSPrimary->locked || back->locked) return DDERR_SURFACEBUSY;
  const long shown = lpDD->display->Flip(PictureOf(*back));
  if (shown == DD_OK) {
    // The chain trades memory: the old front becomes the next back buffer.
    std::swap(lpDDSPrimary->pixels, back->pixels);
    std::swap(lpDDSPrimary->changes, back->changes);
    ++lpDDSPrimary->version;
    ++back->version;
  } else if (shown == DDERR_SURFACELOST) {
    lpDDSPrimary->lost = back->lost = true;
  }
  return shown;
}

long RestoreChain() {
  const long restored = lpDD->display->Restore();
  if (restored == DD_OK) {
    lpDDSPrimary->lost = lpDDSPrimary->backBuffer->lost = false;
    lpDDSPrimary->changes.MarkAll();
    lpDDSPrimary->backBuffer->changes.MarkAll();
  }
  return restored;
}

// --- colours given as 0x00BBGGRR ---

unsigned char NearestEntry(unsigned long colorref, const tagPALETTEENTRY* palette) {
  const int red = colorref & 0xFF;
  const int green = (colorref >> 8) & 0xFF;
  const int blue = (colorref >> 16) & 0xFF;
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const int dr = palette[i].peRed - red;
    const int dg = palette[i].peGreen - green;
    const int db = palette[i].peBlue - blue;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<unsigned char>(best);
}

void DrawTextCell(DirectDrawSurface& surface, unsigned char c, int left, int top, unsigned char ink,
                  unsigned char paper) {
  for (int row = 0; row < FontCellHeight; ++row) {
    const int y = top + row;
    if (y < 0 || y >= SurfaceHeight) continue;
    unsigned char* line = surface.pixels.get() + y * surface.pitch;
    const unsigned int bits = FontCellRow(c, row);
    for (int column = 0; column < FontCellWidth; ++column) {
      const int x = left + column;
      if (x < 0 || x >= SurfaceWidth) continue;
      line[x] = (bits >> (FontCellWidth - 1 - column)) & 1 ? ink : paper;
    }
  }
}

// The rows and columns of a text cell, clipped to the surface.
void MarkCell(DirectDrawSurface& surface, int left, int top) {
  const int from = left < 0 ? 0 : left;
  const int to = left + FontCellWidth > SurfaceWidth ? SurfaceWidth : left + FontCellWidth;
  const int first = top < 0 ? 0 : top;
  const int last = top + FontCellHeight > SurfaceHeight ? SurfaceHeight : top + FontCellHeight;
  if (from >= to) return;
  ++surface.version;
  surface.changes.Mark(first, last, 1, from, to);
}

}  // namespace

void UseDisplay(Display* display) {
  chosenDisplay = display;
}

Display* CurrentDisplay() {
  return chosenDisplay ? chosenDisplay : &headless;
}

void DDrawFailAtStep(int step) {
  pendingFailStep = step;
}

int DDrawInit(WindowHandle hWnd, int width, int height, int colors) {
  const int failStep = std::exchange(pendingFailStep, 0);
  // Running out of memory in a step is that step's failure like any other.
  auto failed = [failStep](int step, auto&& call) {
    try {
      ddrval = step == failStep ? DDERR_GENERIC : call();
    } catch (const std::bad_alloc&) {
      ddrval = DDERR_OUTOFMEMORY;
    }
    return ddrval != DD_OK;
  };

  if (failed(1, [] { return DirectDrawCreate(); })) return 1;
  if (failed(2, [&] { return SetCooperativeLevel(hWnd, DDSCL_EXCLUSIVE_FULLSCREEN_ALLOWREBOOT); }))
    return 3;
  if (failed(3, [&] { return SetDisplayMode(width, height, colors); })) return 4;

  ddsd = _DDSURFACEDESC{};
  ddsd.dwSize = kDescriptionSize;
  ddsd.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  ddsd.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  ddsd.dwBackBufferCount = 1;
  if (failed(4, [] { return CreateSurface(ddsd, lpDDSPrimary); })) return 5;

  ddscaps.dwCaps = DDSCAPS_BACKBUFFER;
  if (failed(5, [] { return GetAttachedSurface(lpDDSPrimary, ddscaps, lpDDSBack); })) return 6;

  if (failed(7, [] { return CreatePalette(DDPCAPS_8BIT, kBlackPalette, lpDDPal); })) return 7;
  if (failed(8, [] { return AttachPalette(lpDDSPrimary, lpDDPal); })) return 8;

  ddsd = _DDSURFACEDESC{};
  ddsd.dwSize = kDescriptionSize;
  ddsd.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  ddsd.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  ddsd.dwWidth = SurfaceWidth;
  ddsd.dwHeight = SurfaceHeight;
  if (failed(9, [] { return CreateSurface(ddsd, lpDDSBackColor); })) return 9;

  lpDD->display->HideCursor();
  DDrawRunning = 1;
  return 0;
}

void DirectDrawClose() {
  if (lpDD != nullptr) {
    if (lpDDSPrimary != nullptr) {
      lpDD->primary.reset();  // the attached back buffer goes with it
      lpDD->back.reset();
      lpDDSPrimary = nullptr;
    }
    delete lpDD;  // frees the back-colour surface and the palette too
    lpDD = nullptr;
  }
  // The other handles would point into freed memory; a renderer that runs
  // after the close then fails its lock instead of writing there.
  lpDDSBack = nullptr;
  lpDDSBackColor = nullptr;
  lpDDPal = nullptr;
  DDrawRunning = 0;
}

int LockSurface(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf) {
  return LockSurfaceRows(ddsd, lpDDSSurf, 0, SurfaceHeight, 1, 0, SurfaceWidth);
}

int LockSurfaceRows(_DDSURFACEDESC& ddsd, LPDIRECTDRAWSURFACE& lpDDSSurf, int top, int bottom,
                    int step, int left, int right) {
  ddsd = _DDSURFACEDESC{};
  ddsd.dwSize = kDescriptionSize;
  ddrval = Usable(lpDDSSurf);
  if (ddrval != DD_OK) return 0;
  lpDDSSurf->locked = true;
  ++lpDDSSurf->version;
  lpDDSSurf->changes.Mark(top, bottom, step, left, right);
  ddsd.dwWidth = SurfaceWidth;
  ddsd.dwHeight = SurfaceHeight;
  ddsd.lPitch = lpDDSSurf->pitch;
  ddsd.lpSurface = lpDDSSurf->pixels.get();
  return 1;
}

void UnlockSurface(_DDSURFACEDESC& /*ddsd*/, LPDIRECTDRAWSURFACE& lpDDSSurf) {
  if (lpDDSSurf != nullptr) lpDDSSurf->locked = false;
}

// Out-of-range positions are dropped: no caller means to draw outside the
// surface, and a stray one must not write into memory beyond it.
void PutPixel(_DDSURFACEDESC* ddsd, int x, int y, char col) {
  if (ddsd == nullptr || ddsd->lpSurface == nullptr) return;
  if (x < 0 || y < 0 || x >= static_cast<int>(ddsd->dwWidth) ||
      y >= static_cast<int>(ddsd->dwHeight)) {
    return;
  }
  static_cast<char*>(ddsd->lpSurface)[y * ddsd->lPitch + x] = col;
}

long SurfaceBltColorFill(LPDIRECTDRAWSURFACE target, const DDBLTFX& fx) {
  if (fx.dwSize != kBltFxSize) return DDERR_INVALIDPARAMS;
  const long usable = Usable(target);
  if (usable != DD_OK) return usable;
  for (int y = 0; y < SurfaceHeight; ++y) {
    std::memset(target->pixels.get() + y * target->pitch, static_cast<int>(fx.dwFillColor & 0xFF),
                SurfaceWidth);
  }
  ++target->version;
  target->changes = SurfaceChanges{};
  return DD_OK;
}

long SurfaceBltFast(LPDIRECTDRAWSURFACE target, LPDIRECTDRAWSURFACE source) {
  long usable = Usable(target);
  if (usable == DD_OK) usable = Usable(source);
  if (usable != DD_OK) return usable;
  // Copied onto the same target again, the source restores only what was
  // drawn over it since: the backdrop is copied every frame.
  SurfaceChanges& changes = target->changes;
  const bool sameCopy = changes.copyOf == source && changes.copyOfVersion == source->version;
  if (!sameCopy) changes.MarkAll();
  for (int y = 0; y < SurfaceHeight; ++y) {
    if (changes.left[y] >= changes.right[y]) continue;
    std::memcpy(target->pixels.get() + y * target->pitch + changes.left[y],
                source->pixels.get() + y * source->pitch + changes.left[y],
                changes.right[y] - changes.left[y]);
  }
  changes.Clear();
  changes.copyOf = source;
  changes.copyOfVersion = source->version;
  ++target->version;
  return DD_OK;
}

void ClearScreen(unsigned long c) {
  if (lpDDSPrimary == nullptr) return;
  const DDBLTFX fill{kBltFxSize, c};
  ddrval = SurfaceBltColorFill(lpDDSPrimary, fill);
  ddrval = SurfaceBltColorFill(lpDDSPrimary->backBuffer, fill);
}

void DDrawFlip() {
  if (lpDDSPrimary == nullptr) return;
  for (;;) {
    ddrval = FlipChain();
    if (ddrval == DD_OK) return;
    if (ddrval == DDERR_SURFACELOST) {
      // One frame is lost; the restore's own result does not matter here.
      ddrval = RestoreChain();
      return;
    }
    if (ddrval != DDERR_WASSTILLDRAWING) return;
  }
}

int SetPalette(int index, tagPALETTEENTRY* col) {
  if (lpDDPal == nullptr || col == nullptr || index < 0 || index > 255) {
    ddrval = DDERR_INVALIDPARAMS;
    return 0;
  }
  lpDDPal->entries[index] = *col;
  ddrval = DD_OK;
  return 1;
}

void PrintText(const char* text, int x, int y, unsigned long front, unsigned long back) {
  // Text needs the front surface free for drawing (GDI's device context).
  // No text, nothing to match against the palette (the runner's is empty).
  if (text == nullptr || text[0] == '\0' || Usable(lpDDSPrimary) != DD_OK) return;
  const DisplayPicture picture = PictureOf(*lpDDSPrimary);
  const unsigned char ink = NearestEntry(front, picture.palette);
  const unsigned char paper = NearestEntry(back, picture.palette);
  const size_t length = std::strlen(text);
  for (size_t i = 0; i < length; ++i) {
    const long left = x + static_cast<long>(i) * FontCellWidth;
    if (left >= SurfaceWidth) break;
    MarkCell(*lpDDSPrimary, static_cast<int>(left), y);
    DrawTextCell(*lpDDSPrimary, static_cast<unsigned char>(text[i]), static_cast<int>(left), y, ink,
                 paper);
  }
  lpDD->display->Refresh(picture);
}

void PutPixelDD(int x, int y, unsigned long col) {
  if (Usable(lpDDSBack) != DD_OK) return;
  if (x < 0 || y < 0 || x >= SurfaceWidth || y >= SurfaceHeight) return;
  lpDDSBack->pixels[y * lpDDSBack->pitch + x] = NearestEntry(col, PictureOf(*lpDDSBack).palette);
  ++lpDDSBack->version;
  lpDDSBack->changes.Mark(y, y + 1, 1, x, x + 1);
}
