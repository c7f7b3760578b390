#pragma once
// The source view (View, "Source"): the source file of the listing's
// selected line, with that line selected and scrolled into sight. It
// follows every refresh of the debugger and every change of the listing's
// selection; a double click on a source line that produced code makes that
// code's listing line the breakpoint line. Source files are found as the
// debug file names them, else in the debug file's folder.

#include <string>

#include "platform/window.h"

// The window, nullptr while it is closed.
extern WindowHandle hWndSource;

// Shows the source of the listing's selected line again; nothing while the
// view is closed.
void RefreshSourceView();
// Closes the view, as the debugger does when it closes.
void CloseSourceView();

// Control identifiers of the view.
enum SourceViewId : int {
  IDC_SOURCE_PLACE = 601,  // "demo.s, line 52", or why nothing is shown
  IDC_SOURCE_LINES = 602,
  IDC_SOURCE_LABEL = 603,
};

// The path a source file named in the debug file is read from: the name
// itself when that file exists, else the name (then its last part) in
// folder. "" when none exists.
std::string FindSourceFile(const std::string& name, const std::string& folder);
