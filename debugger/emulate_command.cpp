// The Emulate command and the stop that closing the debugger needs.
#include "debugger/debug_window.h"
#include "debugger/machine_controller.h"
#include "debugger/tool_commands.h"
#include "emulation/emulate_thread.h"
#include "platform/message_box.h"

namespace {

// UI thread, once the game window's thread has been joined: the debugger
// shows where the last frame stopped.
void OnEmulationEnded() {
  if (hWndMain == nullptr) return;
  Debug_ShowBreakpointStop(hWndMain);
  UpdateInfo(hWndMain);
  UpdateJoystickButtons();
  UpdateCommandStates();
}

}  // namespace

// The machine and the surfaces are taken before the thread exists, so that
// no other command can slip in between; they go back as it ends.
void Debug_Emulate(WindowHandle hdWnd) {
  if (!machine::Loaded()) {
    ShowMessage(hdWnd, "Load a ROM before emulating.", "Taviro", MessageIcon::Exclamation);
    return;
  }
  switch (machine::StartEmulation(hdWnd, OnEmulationEnded)) {
    case machine::Refusal::None:
      break;
    case machine::Refusal::MachineBusy:
      ShowMessage(hdWnd, "The machine is busy: end the run or close its window first.", "Taviro",
                  MessageIcon::Exclamation);
      break;
    case machine::Refusal::SurfacesBusy:
      ShowMessage(hdWnd, "Another window is showing the video surfaces: close it first.", "Taviro",
                  MessageIcon::Exclamation);
      break;
    case machine::Refusal::NoThread:
      ShowMessage(hdWnd, "Couldn't Create Thread for Emulation", "Error", MessageIcon::None);
      break;
  }
}

void StopEmulationAndWait() {
  StopEmulateThread();
}
