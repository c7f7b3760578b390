#pragma once
// What stands behind a flip: the place where the finished picture is shown.
// Headless, nothing is shown and a flip returns at once; the game window
// shows the picture scaled and makes the flip wait for its refresh.

#include "ppu/dx.h"

// A finished 640 x 480 picture of palette indices and the palette to show it
// with. Valid only for the duration of the call it is passed to.
struct DisplayPicture {
  const unsigned char* pixels;
  long pitch;
  const tagPALETTEENTRY* palette;  // 256 entries
};

class Display {
 public:
  virtual ~Display() = default;

  // Shows `picture`. DD_OK once it is shown; DDERR_WASSTILLDRAWING while the
  // previous picture is still on its way (the caller asks again);
  // DDERR_SURFACELOST when the display took the surfaces away (the picture is
  // dropped and the caller restores them).
  virtual long Flip(const DisplayPicture& picture) = 0;

  // Gives lost surfaces back; DD_OK on success.
  virtual long Restore() { return DD_OK; }

  // The visible picture changed without a flip (text drawn onto it).
  virtual void Refresh(const DisplayPicture& /*picture*/) {}

  // The surfaces were opened for this display: the mouse pointer goes away.
  virtual void HideCursor() {}
};

// No display at all: every flip is shown at once, and nowhere.
class HeadlessDisplay : public Display {
 public:
  long Flip(const DisplayPicture& /*picture*/) override { return DD_OK; }
};

// The display that later DDrawInit calls bind; nullptr selects headless.
// The display must outlive the surfaces opened for it.
void UseDisplay(Display* display);
Display* CurrentDisplay();
