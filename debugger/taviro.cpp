// The program's start and end around the debugger dialog.
#include "debugger/taviro.h"

#include "cart/board_binding.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "platform/message_box.h"

// Qt has no window classes to register: the viewers and the game window are
// widgets of their own, created when their commands run. Kept as the one
// place where start-up could fail before the dialog.
bool Initialize() {
  return true;
}

int WinMain(const std::string& imageAtStart, const std::string& symbolsAtStart) {
  if (!Initialize()) return 0;
  const int result =
      RunModalDialog(DebugDialog, nullptr, Debug_DlgProc(imageAtStart, symbolsAtStart));
  if (result == -1) {
    ShowMessage(nullptr, "Couldn't create window!", "Taviro", MessageIcon::Stop);
    return 0;
  }
  UnloadBoard();
  return 1;
}
