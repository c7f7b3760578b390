#pragma once
// Search ROM and Find Again look for a text in the code listing; Goto
// Address rebuilds the listing from any address (dialog 315 for both).
// Debug_SearchROM, Edit_FindAgain and Debug_GotoAddress are in
// debugger/tool_commands.h.

#include <string>

#include "platform/window.h"

// The current search text (at most 39 characters) and the listing line of
// the last match, -1 after a failed search.
extern std::string SearchStr;
extern long SearchPos;

// The first listing line from StartVal on whose text contains str, exactly
// as typed (case matters); -1 when none does.
long SearchForStr(const char* str, long StartVal);

DialogProcedures Edit_Search_DlgProc();
DialogProcedures Edit_Goto_DlgProc();

void Edit_Search_OnInit(WindowHandle hdWnd);
void Edit_Search_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Edit_Search_OnClose(WindowHandle hdWnd);
void Edit_Goto_OnInit(WindowHandle hdWnd);
void Edit_Goto_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Edit_Goto_OnClose(WindowHandle hdWnd);
