// The debugger window's side of the calls, until its own window is linked:
// records what the game window's thread asks of it.
#include "tests/game_window/debugger_stand_in.h"

#include "cpu/cpu.h"
#include "debugger/debug_window.h"

namespace debugger_stand_in {
std::atomic<int> updateInfoCalls{0};
std::atomic<unsigned short> pcAtUpdate{0};
}  // namespace debugger_stand_in

WindowHandle hWndMain = nullptr;

void UpdateInfo(WindowHandle) {
  debugger_stand_in::pcAtUpdate = CPU.PC;
  ++debugger_stand_in::updateInfoCalls;
}
void UpdateJoystickButtons() {}
void DisassembleROM() {}
void UpdateCommandStates() {}
