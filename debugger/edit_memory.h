#pragma once
// Edit CPU Memory, PPU Memory and Stack (dialog 310): one byte written at a
// typed address. Debug_EditMemory (debugger/tool_commands.h) runs them.

#include "platform/window.h"

DialogProcedures Edit_CPUMem_DlgProc();
DialogProcedures Edit_PPUMem_DlgProc();
DialogProcedures Edit_Stack_DlgProc();

void Edit_CPUMem_OnInit(WindowHandle hdWnd);
void Edit_CPUMem_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Edit_CPUMem_OnClose(WindowHandle hdWnd);
void Edit_PPUMem_OnInit(WindowHandle hdWnd);
void Edit_PPUMem_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Edit_PPUMem_OnClose(WindowHandle hdWnd);
void Edit_Stack_OnInit(WindowHandle hdWnd);
void Edit_Stack_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Edit_Stack_OnClose(WindowHandle hdWnd);
