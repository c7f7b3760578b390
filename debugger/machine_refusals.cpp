#include "debugger/machine_refusals.h"

#include "debugger/machine_controller.h"
#include "platform/message_box.h"

bool MachineFreeOrSay(WindowHandle owner) {
  if (machine::Idle()) return true;
  ShowMessage(owner, kMachineBusyText, "Taviro", MessageIcon::Exclamation);
  return false;
}
