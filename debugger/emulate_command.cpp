// The Emulate command and the stop that closing the debugger needs.
#include "cart/load_sequence.h"
#include "debugger/tool_commands.h"
#include "emulation/emulate_thread.h"
#include "emulation/owner.h"
#include "platform/message_box.h"

// The machine and the surfaces are taken here, on the UI thread, before the
// thread exists, so that no other command can slip in between; the thread
// gives them back when its loop has ended.
void Debug_Emulate(WindowHandle hdWnd) {
  if (!ImageLoaded()) {
    ShowMessage(hdWnd, "Load a ROM before emulating.", "Taviro", MessageIcon::Exclamation);
    return;
  }
  if (!Machine.TryTake(MachineHolder::EmulationThread)) {
    ShowMessage(hdWnd, "The machine is busy: end the run or close its window first.", "Taviro",
                MessageIcon::Exclamation);
    return;
  }
  if (!Surfaces.TryTake(SurfaceHolder::GameWindow)) {
    Machine.Give(MachineHolder::EmulationThread);
    ShowMessage(hdWnd, "Another window is showing the video surfaces: close it first.", "Taviro",
                MessageIcon::Exclamation);
    return;
  }
  if (!StartEmulateThread(hdWnd)) {
    Surfaces.Give(SurfaceHolder::GameWindow);
    Machine.Give(MachineHolder::EmulationThread);
    ShowMessage(hdWnd, "Couldn't Create Thread for Emulation", "Error", MessageIcon::None);
  }
}

void StopEmulationAndWait() {
  StopEmulateThread();
}
