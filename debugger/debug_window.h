#pragma once
// The debugger's main window (dialog 200) and its commands. Everything here
// runs on the UI thread; other threads post to it (platform/ui_thread.h).

#include <atomic>
#include <string>

#include "platform/window.h"

// The debugger dialog; set when it is initialised, nullptr once it has ended.
extern WindowHandle hWndMain;
// Index of the listing line that holds the current PC (the selected line).
extern int ListBoxPos;
// Index of the listing line chosen as breakpoint.
extern int EndLine;
// The address the run thread stops at.
extern std::atomic<unsigned short> tPC;
// 1 while no run thread is going ("&Run to"), 0 while one runs ("&Break").
extern std::atomic<int> Run;

// The dialog's procedures, as its dialog procedure dispatches them. A
// non-empty imageAtStart is loaded once the dialog is up, as Load ROM would,
// with its symbols from symbolsAtStart when that is not empty.
DialogProcedures Debug_DlgProc(const std::string& imageAtStart = {},
                               const std::string& symbolsAtStart = {});
void Debug_OnInit(WindowHandle hdWnd);
void Debug_OnCommand(WindowHandle hdWnd, int id, WindowHandle hwndCtl, int codeNotify);
void Debug_OnClose(WindowHandle hdWnd);

void Debug_Step(WindowHandle hdWnd);
void Debug_Run(WindowHandle hdWnd);
void Debug_SetBreakpoint(WindowHandle hdWnd);
// Makes the listing line of address the breakpoint line; a listing without
// it is first rebuilt from address, as Goto Address rebuilds it.
void Debug_SetBreakpointAt(WindowHandle hdWnd, unsigned short address);
// A joypad button box (353-360) was toggled.
void Debug_JoypadButton(WindowHandle hdWnd, int id);

// After a run or the game window has ended: when a breakpoint stopped it,
// the status line names the access ("write $2006 = $3F at $C012").
void Debug_ShowBreakpointStop(WindowHandle hdWnd);

// Refreshes every register, flag and PPU field and moves the listing's
// selection to PC, rebuilding the listing only when PC is not in it.
void UpdateInfo(WindowHandle hdWnd);
// Rebuilds the listing: 100 lines from the current PC, PC unchanged. Only
// while nobody else runs the CPU.
void DisassembleROM();
// The eight button boxes from the joypad the radio buttons select.
void UpdateJoystickButtons();
// Enables or disables the commands from the machine's owner and whether an
// image is loaded.
void UpdateCommandStates();

// The Load ROM command, and the load of an image named at start-up: the
// same sequence and messages, without the file dialog. The image's symbols
// come from symbolFile, or from IMAGE.dbg beside it when that is empty.
void Debug_LoadROM(WindowHandle hdWnd);
void Debug_LoadImage(WindowHandle hdWnd, const std::string& path,
                     const std::string& symbolFile = {});
