#pragma once
// The frame function and the globals of the emulation loop.

#include <atomic>

// Atomic: the game window's keys toggle them on the emulation thread while
// the debugger may read or set them on the UI thread.
extern std::atomic<int> DisplayBackground;  // draw the background layer
extern std::atomic<int> DisplaySprites;     // draw both sprite layers
extern unsigned int Frames;                 // frames drawn since the last figure was taken
extern char FrameCount[32];                 // "FPS = %d", shown at the top left

// One frame: CPU, backdrop, sprites behind, background, sprites in front,
// flip, frame-rate text.
void NESMain();

// NESMain without its RunCpu: the picture of the state at the start of
// vertical blank, the flip, the text and the frame count.
void ComposeFrame();
