#include "debugger/about.h"

#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"

WindowHandle hwAboutDlg = nullptr;

namespace {

// The page is the one the desktop entry's identifier (io.github.taviro) names.
constexpr const char* kNameVersionPage =
    "Taviro " TAVIRO_VERSION "\nhttps://github.com/taviro/taviro";
constexpr const char* kCredit = "Written by the Taviro developers, 2026";
constexpr const char* kThanks =
    "An NES emulator and debugger.\n\n"
    "Thanks to the NESdev community for its documentation\n"
    "of the NES hardware, to the cc65 project for the\n"
    "assembler our test cartridges are built with,\n"
    "and to the Qt project.";

void About_OnInit(WindowHandle hdWnd) {
  SetDlgItemText(hdWnd, 302, kNameVersionPage);
  SetDlgItemText(hdWnd, 303, kCredit);
  SetDlgItemText(hdWnd, 304, kThanks);
}

}  // namespace

void About_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  if (id == IDOK || id == IDCANCEL) SendCloseRequest(hdWnd);
}

void About_OnClose(WindowHandle hdWnd) {
  if (hwAboutDlg == hdWnd) hwAboutDlg = nullptr;
  DestroyWindow(hdWnd);
}

DialogProcedures About_DlgProc() {
  return {About_OnInit, About_OnCommand, About_OnClose};
}

// One About window at a time: asking again brings the open one forward.
void Debug_About(WindowHandle hdWnd) {
  if (hwAboutDlg != nullptr) {
    FocusWindow(hwAboutDlg);
    return;
  }
  hwAboutDlg = CreateModelessDialog(AboutDialog, hdWnd, About_DlgProc());
  if (hwAboutDlg != nullptr) FocusWindow(hwAboutDlg);
}
