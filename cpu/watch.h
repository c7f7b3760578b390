#pragma once
// Watched addresses: the core's side of the debugger's breakpoints.
//
// A read or write watch reroutes its one address through a checking entry of
// the route tables, so only accesses to that address pay; with nothing
// watched the tables are as built and nothing costs anything. An execute
// watch is one flag per address, looked up only by the loops that check
// them, which are chosen only while one exists.
//
// A hit asks for a stop after the instruction that made the access. The
// mark is carried in the cycle count, whose compare the run loop makes after
// every instruction anyway, so no further test per instruction is needed;
// the end-of-instruction path takes the mark off before anything else sees
// the count (TakeStopMark).

#include <array>
#include <cstdint>

namespace cpu::watch {

enum Kind : unsigned char { kExecute = 1, kRead = 2, kWrite = 4 };

// One access or instruction start that met a watch.
struct Access {
  Kind kind = kExecute;
  unsigned short address = 0;
  unsigned char value = 0;  // read or written; the opcode for an execute
  unsigned short pc = 0;    // the instruction that made the access
  bool dma = false;         // a read by sprite DMA ($4014)
};

// Decides, on the thread that runs the CPU, whether a watched access or an
// instruction start at a watched address stops the run.
using Listener = bool (*)(const Access&);

// Watches address (reduced to 16 bits) for the kinds given; 0 removes it.
// Only while no thread runs the CPU, or on the thread that does.
void Watch(unsigned int address, unsigned int kinds);
// Removes every watch and the listener: the route tables are as built. A
// stop already recorded stays until TakeStop.
void ClearAll();
void SetListener(Listener listener);

// Whether any address is watched at all, or for execution.
bool Any();
bool AnyExecute();

extern std::array<unsigned char, 0x10000> Watched;  // kinds per address

[[gnu::always_inline]] inline bool ExecuteWatched(unsigned int address) {
  return (Watched[address & 0xFFFF] & kExecute) != 0;
}

// Whether some byte of [first, last] is watched for execution.
bool ExecuteWatchedIn(unsigned int first, unsigned int last);

// The instruction at CPU.PC is about to run and its address is watched:
// asks the listener. A run that starts on a watched address passes it once
// (see PassOnce), so that continuing from a breakpoint moves on.
bool ExecuteHit();
// Call at the start of every run, with PC where the run begins.
void PassOnce(unsigned int pc);

// The watched routes: the original route's access, then the listener.
unsigned char WatchedRead(unsigned int address);
void WatchedWrite(unsigned int address, unsigned char value);
// Sprite DMA has just copied the page: its watched bytes count as reads.
void DmaRead(unsigned char page);
bool PageReadWatched(unsigned char page);

// The run must stop after the current instruction: set by a hit that the
// listener accepted. Stopped() stays true until TakeStop().
bool Stopped();
// The access that stopped the run (the first one, when several hit), and
// clears the stop.
Access TakeStop();

// Removes the stop mark from the cycle count; true when there was one.
// Called by the frame driver at the end of every instruction that reaches
// its bookkeeping.
bool TakeStopMark();

}  // namespace cpu::watch
