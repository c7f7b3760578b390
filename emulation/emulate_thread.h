#pragma once
// The game window's thread: it opens the game window's video surfaces,
// then runs frame after frame, handling at most one of the window's
// messages between two frames, until Escape, the close box or a stop
// request ends it. The machine and the surfaces are taken for it by the
// starter on the UI thread; the thread reports its end through the call
// it was started with, and knows nothing of who started it.

#include <functional>
#include <memory>

#include "platform/picture_window.h"
#include "platform/window.h"

// The game window's messages, with the platform's numbers.
constexpr unsigned int WM_KILLFOCUS = 0x0008;
constexpr unsigned int WM_CLOSE = 0x0010;
constexpr unsigned int WM_KEYDOWN = 0x0100;
constexpr unsigned int WM_KEYUP = 0x0101;

// The frame-rate bookkeeping, in milliseconds of the steady clock.
extern unsigned int StartFrame;  // start of the current pass
extern unsigned int EndFrame;    // end of the last pass
extern unsigned int TotalTime;   // since the last figure was taken

// The game window while emulation runs; UI thread only.
extern WindowHandle hWndDD;

class PauseGate;

// What the starter does on the emulation thread around the frames (the
// debugger arms its breakpoints): begin before the first frame, end after
// the last; stopAfterFrame true ends emulation as Escape does.
struct EmulateHooks {
  std::function<void()> begin;
  std::function<bool()> stopAfterFrame;
  std::function<void()> end;
};

// UI thread, with the machine and the surfaces already taken for the
// emulation thread: creates the game window, owned by owner, and starts the
// thread. The thread passes gate between two frames, and calls ended as
// its last act, once it no longer touches the machine or the surfaces.
// False when the thread could not be created; the window is gone again,
// ended is not called, and the caller gives the machine and the surfaces
// back.
bool StartEmulateThread(WindowHandle owner, PauseGate& gate, std::function<void()> ended,
                        EmulateHooks hooks = {});
// Called on the game window's thread after each frame and after each key it
// took before a frame (the history). Set while no thread runs.
void SetFrameObserver(std::function<void()> ran, std::function<void()> input);

// UI thread: asks the thread to end as Escape would, processes the UI's
// events until it has ended, and joins it. Nothing happens when it is not
// running.
void StopEmulateThread();

// True from the start until the thread has given everything back.
bool EmulateThreadRunning();

// The body of the thread; the parameter is not used.
unsigned int EmulateThreadProc(void* parameter);

// The game window's procedure: keys go to Emulate_KeyDown / Emulate_KeyUp,
// and what a key asks for (the end, a layer switch) is done here; the close
// box ends emulation as Escape does; a lost focus lets go of the buttons
// the keys hold, since their key-ups will go elsewhere.
long Emulate_WndProc(WindowHandle window, unsigned int message, unsigned long wParam, long lParam);

// Ends emulation from the emulation thread: the surfaces close, the window
// goes, and the thread's loop returns before another frame runs; the
// thread's ended call follows.
void CloseEmulate();

// Queues a message for the game window; any thread. The emulation thread
// takes one per pass.
void PostEmulateMessage(unsigned int message, unsigned long wParam);

// The game window's display of the last start; for tests.
std::shared_ptr<PictureDisplay> GameWindowDisplay();
