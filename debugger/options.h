#pragma once
// Options (dialog 400): two tabs, "Display" and "Misc", with nothing on
// them yet; OK and Cancel store nothing. Debug_Options is in
// debugger/tool_commands.h.

#include "platform/window.h"

DialogProcedures Options_DlgProc();
void Options_OnInitDialog(WindowHandle hdWnd);
void Options_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Options_OnClose(WindowHandle hdWnd);
