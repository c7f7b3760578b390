#pragma once
// The debugger window as the other windows of the program see it.

#include "platform/window.h"

// The debugger dialog: owner of every other window, holder of the listing.
extern WindowHandle hWndMain;

// Refreshes registers, flags and PPU fields and selects PC's listing line,
// rebuilding the listing when PC is not in it. UI thread only.
void UpdateInfo(WindowHandle hdWnd);
void UpdateJoystickButtons();
// Rebuilds the listing: 100 instructions from the current PC, PC unchanged.
void DisassembleROM();
// Enables or disables the commands from the machine's owner and whether an
// image is loaded.
void UpdateCommandStates();
