#pragma once
// The tools that need the machine or the video surfaces to themselves say
// so, instead of acting, while another thread or window holds them.

#include "platform/window.h"

// True when the machine is free; otherwise tells the user and returns false.
bool MachineFreeOrSay(WindowHandle owner);
// The message shown when the machine is busy.
inline constexpr const char* kMachineBusyText =
    "The machine is running. Stop the emulation or the run first.";
// The message shown when another window has the video surfaces open.
inline constexpr const char* kSurfacesBusyText =
    "The game window or another picture view is open. Close it first.";
