#pragma once
// A top-level window that shows the video surfaces' picture: the game
// window, and the pattern-table and screen-shot views. It is the Display
// (ppu/display.h) their flips present to. The picture is scaled to the
// window by nearest-neighbour sampling, by whole multiples when the window
// allows, with black around it; keys arrive as virtual-key codes.
//
// Threads: the window lives on the UI thread. Flip, Refresh and HideCursor
// run on the thread that holds the surfaces; they hand the picture over
// under a lock and post to the UI thread, never touching a widget.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/window.h"
#include "ppu/display.h"

struct PictureWindowOptions {
  std::string title;
  WindowHandle owner = nullptr;  // the window it belongs to (minimised with it)
  // The owner draws text on the front surface after each flip (Refresh):
  // a flipped picture then waits for its text, or for the next flip, so
  // that picture and text reach the screen together, never as two paints.
  bool textFollowsFlip = false;
  // On the UI thread. Key codes as in platform/virtual_keys.h; repeated
  // key-downs arrive for a held key, never its X11 repeat releases.
  std::function<void(unsigned int key)> onKeyDown;
  std::function<void(unsigned int key)> onKeyUp;
  std::function<void()> onFocusLost;
  // The close box or the window manager asked to close. The window stays
  // until Destroy; the owner decides.
  std::function<void()> onClose;
};

// What the window shows, for tests and screenshots.
struct PictureSnapshot {
  unsigned long frame = 0;               // flips handed to the screen so far
  std::vector<unsigned char> pixels;     // 640 x 480 palette indices, rows of 640
  std::vector<tagPALETTEENTRY> palette;  // 256 entries
};

class PictureDisplay : public Display {
 public:
  // The window itself; use on the UI thread only. Null once destroyed.
  virtual WindowHandle Window() const = 0;

  // From any thread; carried out on the UI thread in the order asked.
  virtual void Show() = 0;     // shown normally and painted once
  virtual void Focus() = 0;    // raised, with the keyboard focus
  virtual void Destroy() = 0;  // the pointer comes back, the window goes

  // The picture last handed to the screen.
  virtual PictureSnapshot Shown() const = 0;
};

// Creates the window, hidden, 640 x 480 at (0, 0). UI thread only; nullptr
// when it cannot be created.
std::shared_ptr<PictureDisplay> CreatePictureWindow(const PictureWindowOptions& options);
