// The commands whose windows are still to be built say so instead of doing
// nothing. Each stub goes when its command lands.
#include "debugger/tool_commands.h"
#include "platform/message_box.h"

namespace {

void NotAvailableYet(WindowHandle hdWnd) {
  ShowMessage(hdWnd, "This command is not available yet.", "Taviro", MessageIcon::Exclamation);
}

}  // namespace

void Debug_ViewPatternTables(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void Debug_ViewScreenShot(WindowHandle hdWnd) {
  NotAvailableYet(hdWnd);
}
void ClosePictureViews() {}
