#pragma once
// What a picture view's window shows, in colours. Kept apart from the
// tests' Qt headers: X11's Display type would clash with ours.

#include <memory>

#include "emulation/picture_png.h"

class PictureDisplay;

// True once display has shown a flipped picture; picture gets it.
bool ShownPicture(const std::shared_ptr<PictureDisplay>& display, RgbPicture& picture);

// Binds no display: the surfaces opened next are headless.
void UseHeadlessDisplay();
