#pragma once
// What the game window's thread calls in the debugger window, recorded.

#include <atomic>

namespace debugger_stand_in {
extern std::atomic<int> updateInfoCalls;
extern std::atomic<unsigned short> pcAtUpdate;  // CPU.PC when UpdateInfo ran
}  // namespace debugger_stand_in
