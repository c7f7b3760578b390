#pragma once
// The Breakpoints window (Debug, "Breakpoints..."): the debugger's list of
// breakpoints, each line an entry with its enabled check and hit count.
// Typing an address (a range "$2000-$2007", or a label once the image has
// symbols), a condition and the kinds, then Add, makes an entry; selecting
// one fills the fields, and Change replaces it with them. A malformed
// address or condition is refused with the place of the error.

#include <string>

#include "platform/window.h"

// The window, nullptr while it is closed.
extern WindowHandle hWndBreakpoints;

enum BreakpointsWindowId : int {
  IDC_BP_ADDRESS_LABEL = 701,
  IDC_BP_ADDRESS = 702,
  IDC_BP_CONDITION_LABEL = 703,
  IDC_BP_CONDITION = 704,
  IDC_BP_EXECUTE = 705,
  IDC_BP_READ = 706,
  IDC_BP_WRITE = 707,
  IDC_BP_ADD = 708,
  IDC_BP_CHANGE = 709,
  IDC_BP_REMOVE = 710,
  IDC_BP_ENTRIES_LABEL = 711,
  IDC_BP_ENTRIES = 712,
};

// Opens the window, or brings it forward.
void Debug_Breakpoints(WindowHandle hdWnd);
// Debug, "Add Line to Breakpoints": an execute breakpoint at the selected
// listing line's address.
void Debug_AddLineToBreakpoints(WindowHandle hdWnd);
// Shows the list again (hit counts after a run); nothing while closed.
void RefreshBreakpointsWindow();
void CloseBreakpointsWindow();

// The address field's text with each label of the loaded symbols replaced
// by its address, so that "reset-main" reads as "$8000-$8010".
std::string ResolveBreakpointLabels(const std::string& text);
