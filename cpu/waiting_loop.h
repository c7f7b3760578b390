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

// Loops whose code holds an instruction no waiting loop may hold: the same
// program bytes can never become one, so the run loop skips them after one
// look instead of examining them at every iteration. One entry per value of
// the closing address's low six bits; a window pointer of null matches nothing.
struct NonWaitingLoop {
  const unsigned char* window = nullptr;  // the program window holding the loop
  unsigned short head = 0;
  unsigned short closing = 0;
};
inline constexpr unsigned int kNonWaitingLoopSlots = 64;
extern NonWaitingLoop NonWaitingLoops[kNonWaitingLoopSlots];

// Program windows are read-only while the bytes they point at stay in place,
// so a loop is known by its addresses and the window that holds its code.
// Only loops at $8000 and up are remembered: below, code runs from RAM.
[[gnu::always_inline]] inline bool KnownNonWaitingLoop(unsigned int head, unsigned int closing,
                                                       const unsigned char* window) {
  const NonWaitingLoop& known = NonWaitingLoops[closing % kNonWaitingLoopSlots];
  return known.window == window && known.head == head && known.closing == closing;
}

// Forgets every loop found not to wait, when the program bytes may change.
void ForgetNonWaitingLoops();

// Called by the run loop when the instruction at `closing` has just jumped
// or branched back to `head`, with the scanline not yet over. When the loop
// from head around to head leaves the whole machine as it found it, the
// whole iterations that still fit in the scanline are counted in Cycles
// without being executed. Otherwise this runs at most one iteration, exactly
// as the run loop would have, and stops wherever that leaves the program.
// A loop whose code cannot wait goes into NonWaitingLoops.
void PassWaitingLoop(unsigned int head, unsigned int closing);

}  // namespace cpu
