#pragma once
// About (modeless dialog 300, titled "Taviro"): the program's name, version,
// page and credits. Debug_About is in debugger/tool_commands.h.

#include "platform/window.h"

// The open About dialog, or nullptr.
extern WindowHandle hwAboutDlg;

DialogProcedures About_DlgProc();
void About_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void About_OnClose(WindowHandle hdWnd);
