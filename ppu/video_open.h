#pragma once
// Opening the video surfaces for a picture. The surface layer (ppu/dx)
// opens bare surfaces with a black palette; the NES colours and the
// backdrop's surface belong to the palette and the background renderer,
// which sit above it and are set up here, once the surfaces exist.

#include "ppu/dx.h"

// DDrawInit for the one mode there is, then the NES palette (four copies of
// the 64 colours, live in the surfaces' palette) and the back-colour
// surface. The result is DDrawInit's code; on a failure nothing else is done.
int OpenVideoSurfaces(WindowHandle window);
