#pragma once
// The listing's marks: the line of PC has a marker of its own, which stays
// when the selection moves, and the lines of enabled execute breakpoints
// are marked. Drawn by the list beside the text, never in it.

#include "platform/window.h"

// Marks every line of the debugger's listing from PC's field and the
// breakpoint list.
void MarkListing(WindowHandle hdWnd);
