#include "debugger/run_loop.h"

#include "cpu/bus.h"
#include "cpu/cpu.h"
#include "cpu/watch.h"
#include "emulation/pause_gate.h"
#include "ppu/ppu.h"

namespace {

constexpr unsigned char kJsr = 0x20;
constexpr unsigned char kRts = 0x60;
constexpr unsigned char kRti = 0x40;
constexpr unsigned char kVisibleScanlines = 240;
constexpr unsigned char kBlankingScanlines = 22;

// As the processor fetches it: code below $8000 runs from memory.
unsigned char OpcodeAtPC() {
  return cpu::Fetch(CPU.PC);
}

// Each goal looks at the machine before and after every instruction.
struct AtAddress {
  unsigned short address;
  void Before() {}
  bool After() const { return CPU.PC == address; }
};

// The stack as it was tells a return from this call from one of a deeper,
// recursive call of the same subroutine.
struct BackFromCall {
  unsigned short address;
  unsigned char stack;
  void Before() {}
  bool After() const { return CPU.PC == address && CPU.S == stack; }
};

struct OneInstruction {
  void Before() {}
  bool After() const { return true; }
};

// The return that pulls the frame the run started in: S then lies above
// where it was (interrupts entered and left on the way leave it level).
struct LeaveSubroutine {
  unsigned char stack;
  bool returning = false;
  void Before() {
    const unsigned char opcode = OpcodeAtPC();
    returning = opcode == kRts || opcode == kRti;
  }
  bool After() const { return returning && static_cast<signed char>(CPU.S - stack) > 0; }
};

struct VerticalBlankBegins {
  unsigned char phase = 0;
  void Before() { phase = NumScanlines; }
  bool After() const { return phase == kVisibleScanlines && NumScanlines == kBlankingScanlines; }
};

struct LineEnds {
  unsigned char phase = 0, line = 0;
  void Before() {
    phase = NumScanlines;
    line = PPU.Scanline;
  }
  bool After() const { return phase != NumScanlines || line != PPU.Scanline; }
};

// An access that met a breakpoint has already asked for the stop; an
// instruction about to run at a watched address asks now, before it runs.
bool BreakpointStops() {
  return cpu::watch::Stopped() || (cpu::watch::ExecuteWatched(CPU.PC) && cpu::watch::ExecuteHit());
}

template <bool Watching, typename Goal>
RunResult StepLoop(Goal goal, const std::atomic<bool>& stopRequest, std::uint64_t max,
                   PauseGate* gate) {
  RunResult result;
  for (;;) {
    goal.Before();
    StepCpu();
    ++result.instructions;
    if (gate != nullptr) gate->Boundary(result.instructions);
    if constexpr (Watching) {
      if (BreakpointStops()) return {result.instructions, RunEnd::Breakpoint};
    }
    if (goal.After()) return {result.instructions, RunEnd::Reached};
    // Relaxed is enough: the flag only has to be seen eventually, and the
    // machine's state is handed over by the owner, not by this flag.
    if (stopRequest.load(std::memory_order_relaxed))
      return {result.instructions, RunEnd::Requested};
    if (result.instructions >= max) return {result.instructions, RunEnd::Limit};
  }
}

// With nothing armed the loop is today's Run to loop: no test per
// instruction beyond the goal, the stop request and the count.
template <typename Goal>
RunResult Run(Goal goal, const std::atomic<bool>& stopRequest, std::uint64_t max, PauseGate* gate) {
  if (cpu::watch::Any()) return StepLoop<true>(goal, stopRequest, max, gate);
  return StepLoop<false>(goal, stopRequest, max, gate);
}

}  // namespace

RunGoal GoalRunTo(unsigned short address) {
  return {RunGoal::Kind::Address, address, CPU.S};
}

RunGoal GoalStepOver() {
  if (OpcodeAtPC() != kJsr) return {RunGoal::Kind::Instruction, CPU.PC, CPU.S};
  return {RunGoal::Kind::Return, static_cast<unsigned short>(CPU.PC + 3), CPU.S};
}

RunGoal GoalStepOut() {
  return {RunGoal::Kind::StepOut, CPU.PC, CPU.S};
}

RunGoal GoalRunOneFrame() {
  return {RunGoal::Kind::Frame, CPU.PC, CPU.S};
}

RunGoal GoalRunOneScanline() {
  return {RunGoal::Kind::Scanline, CPU.PC, CPU.S};
}

RunResult RunToGoal(const RunGoal& goal, const std::atomic<bool>& stopRequest, std::uint64_t max,
                    PauseGate* gate) {
  switch (goal.kind) {
    case RunGoal::Kind::Address:
      return Run(AtAddress{goal.address}, stopRequest, max, gate);
    case RunGoal::Kind::Return:
      return Run(BackFromCall{goal.address, goal.stack}, stopRequest, max, gate);
    case RunGoal::Kind::Instruction:
      return Run(OneInstruction{}, stopRequest, max, gate);
    case RunGoal::Kind::StepOut:
      return Run(LeaveSubroutine{goal.stack}, stopRequest, max, gate);
    case RunGoal::Kind::Frame:
      return Run(VerticalBlankBegins{}, stopRequest, max, gate);
    case RunGoal::Kind::Scanline:
      return Run(LineEnds{}, stopRequest, max, gate);
  }
  return {};
}

std::uint64_t RunToAddress(unsigned short stopAt, const std::atomic<bool>& stopRequest,
                           std::uint64_t maxInstructions, PauseGate* gate) {
  return RunToGoal(GoalRunTo(stopAt), stopRequest, maxInstructions, gate).instructions;
}
