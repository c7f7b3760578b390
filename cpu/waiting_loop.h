#pragma once
// Waiting loops: a program that polls $2002 or a RAM byte, or jumps or
// branches to itself, changes nothing but time until the frame driver's
// next event (the end of the scanline). The run loop hands such a loop here
// and its cycles pass at once instead of one instruction at a time.

namespace cpu {

// The longest loop, in bytes from its first instruction to the start of the
// branch or jump that closes it, that the run loop offers.
constexpr unsigned int kMaxWaitingLoopBytes = 16;

// Switched off, the run loop executes every instruction (tests compare both).
extern bool SkipWaitingLoops;

// Called by the run loop when the instruction at `closing` has just jumped
// or branched back to `head`, with the scanline not yet over. When the loop
// from head around to head leaves the whole machine as it found it, the
// whole iterations that still fit in the scanline are counted in Cycles
// without being executed. Otherwise this runs at most one iteration, exactly
// as the run loop would have, and stops wherever that leaves the program.
void PassWaitingLoop(unsigned int head, unsigned int closing);

}  // namespace cpu
