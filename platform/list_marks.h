#pragma once
// Marks and check boxes on list-box lines, drawn by the list beside the
// text: the text itself stays what was added, so whoever reads the lines
// back (dumps, searches) sees no mark. UI thread only.

#include "platform/window.h"

// A list's line check box was toggled by the user: the list's command,
// with this notification code.
constexpr int LBN_CHECKCHANGE = 3;

// What a line of a list built with StyleMarks can show in its margin;
// combine with |.
enum ListMark : unsigned {
  MarkNone = 0,
  MarkBreakpoint = 1u << 0,  // a red dot
  MarkCurrent = 1u << 1,     // an arrow: the line the machine is at
};

void ListBoxSetMarks(WindowHandle dialog, int id, int index, unsigned marks);
unsigned ListBoxGetMarks(WindowHandle dialog, int id, int index);

// Gives the line a check box, checked or not; the user's toggles come as
// LBN_CHECKCHANGE, ours do not.
void ListBoxSetCheck(WindowHandle dialog, int id, int index, bool checked);
bool ListBoxGetCheck(WindowHandle dialog, int id, int index);
