#pragma once
// Labels where the debugger asks for an address: Goto Address takes a label
// name as well as a number, and Edit's "Breakpoint at Label..." makes the
// listing line of a label the breakpoint line.

#include <string>

#include "platform/window.h"

enum class TypedName {
  Label,     // text names a label of the loaded symbols
  NotAName,  // text reads as a number: the caller parses it
  Unknown,   // text reads as a name that no label has; the user has been told
};

// Reads text (blanks around it ignored) as a label name. A name starts with
// a letter, '_', '@' or '.', so "beef" is a number unless a label has that
// name.
TypedName ResolveTypedLabel(WindowHandle owner, const std::string& text, unsigned& address);

// "No label 'foo'"
std::string NoLabelText(const std::string& name);

DialogProcedures Edit_BreakAtLabel_DlgProc();
void Edit_BreakAtLabel_OnInit(WindowHandle hdWnd);
void Edit_BreakAtLabel_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Edit_BreakAtLabel_OnClose(WindowHandle hdWnd);
