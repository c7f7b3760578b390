#pragma once
// The breakpoints as the thread that runs the CPU sees them: the enabled
// entries of a list, installed as the core's watches for the length of one
// run, with their hits counted on that thread and handed back to the list.
// Only one set is armed at a time, and only by the thread that holds the
// machine; before it gives the machine back, the set is disarmed, so the
// route tables are as built whenever the machine is free.

#include <cstdint>
#include <string>
#include <vector>

#include "cpu/watch.h"
#include "debugger/breakpoints.h"

class ArmedBreakpoints {
 public:
  explicit ArmedBreakpoints(BreakpointList& list);
  ~ArmedBreakpoints();
  ArmedBreakpoints(const ArmedBreakpoints&) = delete;
  ArmedBreakpoints& operator=(const ArmedBreakpoints&) = delete;

  // Arms the list again if it has changed since; hit counts so far go back
  // to it first. Cheap when nothing has changed.
  void Refresh();

  // Whether a breakpoint stopped the run; the stop itself stays for
  // cpu::watch::TakeStop, also after this set is disarmed.
  bool Stopped() const { return cpu::watch::Stopped(); }

 private:
  struct Entry {
    int id;
    AddressRange range;
    unsigned int kinds;
    Condition condition;
    std::uint64_t hits;
  };

  void Arm();
  void GiveBackHits();
  static bool OnAccess(const cpu::watch::Access& access);

  BreakpointList& list_;
  std::uint64_t generation_ = 0;
  std::vector<Entry> entries_;
};

// "write $2006 = $3F at $C012", "read $0203 = $10 at $C020 (sprite DMA)",
// "execute at $C012": the status line after a breakpoint's stop.
std::string DescribeStop(const cpu::watch::Access& access);

// The byte a condition's [address] reads: memory as the debugger shows it,
// the program windows from $8000 on; never through a port.
unsigned char PeekForCondition(unsigned int address);
