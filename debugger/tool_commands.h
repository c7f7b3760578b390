#pragma once
// The debugger's commands that open windows and dialogs of their own or run
// on other threads: the game window, the viewers, the edit, search and goto
// dialogs, the dumps, Options and About. Debug_OnCommand calls these; each
// runs on the UI thread with the debugger dialog as hdWnd.

#include "platform/window.h"

void Debug_Emulate(WindowHandle hdWnd);             // 221
void Debug_ViewMemory(WindowHandle hdWnd, int id);  // 207, 208, 209, 222
void Debug_ViewPatternTables(WindowHandle hdWnd);   // 219
void Debug_ViewScreenShot(WindowHandle hdWnd);      // 220
void Debug_DumpROM(WindowHandle hdWnd);             // 210
void Debug_DumpCPUMem(WindowHandle hdWnd);          // 211
void Debug_DumpPPUMem(WindowHandle hdWnd);          // 212
void Debug_DumpStack(WindowHandle hdWnd);           // 213
void Debug_EditMemory(WindowHandle hdWnd, int id);  // 214, 215, 216
void Debug_SearchROM(WindowHandle hdWnd);           // 217
void Edit_FindAgain(WindowHandle hdWnd);            // 218
void Debug_Options(WindowHandle hdWnd);             // 225
void Debug_GotoAddress(WindowHandle hdWnd);         // 226
void Debug_BreakAtLabel(WindowHandle hdWnd);        // 227
void Debug_ViewSource(WindowHandle hdWnd);          // 228
void Debug_About(WindowHandle hdWnd);               // 117

// Closing the debugger: the game window's thread and the picture views end
// (asked to stop, events processed, joined) before the board is unloaded.
void StopEmulationAndWait();
void ClosePictureViews();
