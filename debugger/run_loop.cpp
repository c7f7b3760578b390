#include "debugger/run_loop.h"

#include "cpu/cpu.h"
#include "emulation/pause_gate.h"

std::uint64_t RunToAddress(unsigned short stopAt, const std::atomic<bool>& stopRequest,
                           std::uint64_t maxInstructions, PauseGate* gate) {
  std::uint64_t executed = 0;
  do {
    StepCpu();
    ++executed;
    if (gate != nullptr) gate->Boundary();
    // Relaxed is enough: the flag only has to be seen eventually, and the
    // machine's state is handed over by the owner, not by this flag.
  } while (CPU.PC != stopAt && !stopRequest.load(std::memory_order_relaxed) &&
           executed < maxInstructions);
  return executed;
}
