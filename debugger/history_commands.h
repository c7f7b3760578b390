#pragma once
// Going back and state files in the debugger: Step Back and Run back in the
// Debug menu, "Save State..." and "Load State..." in the File menu.

#include "platform/window.h"

// The key of Step Back, beside the other debugging keys.
inline constexpr const char* kStepBackKeys = "Shift+F10";

// Enables the commands from the machine's owner; Step Back and Run back
// carry the reason in their tip when the board keeps no state.
void UpdateHistoryCommandStates(WindowHandle hdWnd, bool idle);

void Debug_StepBack(WindowHandle hdWnd);
// Back to the last time PC was at the breakpoint line's address.
void Debug_RunBack(WindowHandle hdWnd);
void Debug_SaveState(WindowHandle hdWnd);
void Debug_LoadState(WindowHandle hdWnd);
