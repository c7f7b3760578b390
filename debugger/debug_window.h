#pragma once
// The debugger window as the other windows and threads reach it.

#include "platform/window.h"

extern WindowHandle hWndMain;
void UpdateInfo(WindowHandle hdWnd);
void UpdateJoystickButtons();
void DisassembleROM();
void UpdateCommandStates();
