#include "debugger/machine_refusals.h"

#include "emulation/owner.h"
#include "platform/message_box.h"

bool MachineFreeOrSay(WindowHandle owner) {
  if (Machine.Free()) return true;
  ShowMessage(owner, kMachineBusyText, "Taviro", MessageIcon::Exclamation);
  return false;
}
