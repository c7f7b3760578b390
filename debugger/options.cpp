#include "debugger/options.h"

#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"
#include "platform/message_box.h"

void Options_OnInitDialog(WindowHandle hdWnd) {
  if (TabControlInsertItem(hdWnd, IDC_OPTIONS_TABS, 0, "Display") == -1 ||
      TabControlInsertItem(hdWnd, IDC_OPTIONS_TABS, 1, "Misc") == -1)
    ShowMessage(hdWnd, "Couldn't create tab controls", "Taviro", MessageIcon::Stop);
}

void Options_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  if (id == IDOK || id == IDCANCEL) SendCloseRequest(hdWnd);
}

void Options_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}

DialogProcedures Options_DlgProc() {
  return {Options_OnInitDialog, Options_OnCommand, Options_OnClose};
}

void Debug_Options(WindowHandle hdWnd) {
  RunModalDialog(OptionsDialog, hdWnd, Options_DlgProc());
}
