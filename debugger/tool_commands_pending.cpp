// The commands whose windows are still to be built say so instead of doing
// nothing. Each stub goes when its command lands.
#include "debugger/tool_commands.h"
#include "platform/message_box.h"

namespace {

void NotAvailableYet(WindowHandle hdWnd) {
  ShowMessage(hdWnd, "This command is not available yet.", "Taviro", MessageIcon::Exclamation);
}

}  // namespace

void Debug_ViewMemory(WindowHandle hdWnd, int) {
  NotAvailableYet(hdWnd);
}
void Debug_ViewPatternTables(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_ViewScreenShot(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_DumpROM(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_DumpCPUMem(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_DumpPPUMem(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_DumpStack(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_EditMemory(WindowHandle hdWnd, int) {
  NotAvailableYet(hdWnd);
}
void Debug_SearchROM(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Edit_FindAgain(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_Options(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_GotoAddress(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_About(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void ClosePictureViews() {}
