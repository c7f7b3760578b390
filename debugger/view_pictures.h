#pragma once
// The pattern-table view and the screen-shot view: each opens the video
// surfaces on a thread of its own, draws once into a 640 x 480 window and
// waits; any key or the close box closes the surfaces and the window.
// Debug_ViewPatternTables, Debug_ViewScreenShot and ClosePictureViews are
// in debugger/tool_commands.h.

#include <memory>
#include <thread>

#include "platform/window.h"

class PictureDisplay;  // platform/picture_window.h

// The views' threads; joined when a view opens again or the debugger closes.
extern std::thread PatternThread;
extern std::thread ScreenShotThread;

// Thread bodies; the parameter is not used.
unsigned int PatternThreadProc(void* parameter);
unsigned int ScreenShotThreadProc(void* parameter);

// A key pressed in either view's window (on the UI thread) closes the view.
void View_Pattern_OnKeydown(WindowHandle hwnd, unsigned int vk);

// The window each view shows its picture in, while it is open (for the
// views' tests and screenshots).
std::shared_ptr<PictureDisplay> PatternViewDisplay();
std::shared_ptr<PictureDisplay> ScreenShotViewDisplay();
