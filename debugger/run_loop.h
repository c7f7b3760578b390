#pragma once
// The loops of the run thread, without the thread: instructions through the
// single step until a goal is met, a breakpoint stops the run, a stop is
// requested, or a count runs out. Breakpoints are whatever is armed
// (debugger/armed_breakpoints.h); with nothing armed the loop tests none.

#include <atomic>
#include <cstdint>
#include <limits>

// What a run is for. Made from the CPU as it is when the run starts.
struct RunGoal {
  enum class Kind {
    Address,      // Run to: PC equals address after an instruction
    Return,       // Step Over a JSR: back at address with the stack as it was
    Instruction,  // Step Over anything else: one instruction
    StepOut,      // an RTS or RTI that leaves the current subroutine
    Frame,        // the start of the next vertical blank
    Scanline,     // the end of the current scanline
  };
  Kind kind = Kind::Address;
  unsigned short address = 0;
  unsigned char stack = 0;  // S when the run started
};

RunGoal GoalRunTo(unsigned short address);
RunGoal GoalStepOver();
RunGoal GoalStepOut();
RunGoal GoalRunOneFrame();
RunGoal GoalRunOneScanline();

enum class RunEnd { Reached, Breakpoint, Requested, Limit };

struct RunResult {
  std::uint64_t instructions = 0;
  RunEnd end = RunEnd::Reached;
};

// Steps at least one instruction; stopRequest is checked at every
// instruction boundary. A goal can be run again after Limit: it goes on.
RunResult RunToGoal(const RunGoal& goal, const std::atomic<bool>& stopRequest,
                    std::uint64_t maxInstructions = std::numeric_limits<std::uint64_t>::max());

// Run to: stops when PC equals stopAt after an instruction (or as above).
// Returns the instructions executed.
std::uint64_t RunToAddress(
    unsigned short stopAt, const std::atomic<bool>& stopRequest,
    std::uint64_t maxInstructions = std::numeric_limits<std::uint64_t>::max());
