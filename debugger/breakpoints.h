#pragma once
// The debugger's breakpoints: each an address or a range, stopping on
// execute, read and write (any combination), with an optional condition, an
// enabled switch and a count of its hits. Edited on the UI thread, armed by
// the thread that runs the CPU (debugger/armed_breakpoints.h).

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cpu/watch.h"
#include "debugger/condition.h"

struct AddressRange {
  unsigned short first = 0;
  unsigned short last = 0;
  bool Holds(unsigned int address) const { return address >= first && address <= last; }
};

// "2006", "$2006", "0x2006" or a range "$2000-$2007" (hexadecimal, as the
// debugger's other address fields); nullopt with the place of the error.
std::optional<AddressRange> ParseBreakpointAddress(std::string_view text, ConditionError* error);

struct Breakpoint {
  int id = 0;  // given by the list; stays while the entry does
  AddressRange range;
  unsigned int kinds = cpu::watch::kExecute;  // cpu::watch::Kind bits
  std::string conditionText;
  Condition condition;
  bool enabled = true;
  std::uint64_t hits = 0;
};

// An entry from the texts of the window's fields, or nullopt with a message
// that names the field and the place ("Condition: column 4: expected a value").
std::optional<Breakpoint> MakeBreakpoint(std::string_view address, std::string_view condition,
                                         unsigned int kinds, std::string* message);

// One line of the window's list: "$2000-$2007 RW  if A == 3  hits 2".
std::string DescribeBreakpoint(const Breakpoint& breakpoint);

class BreakpointList {
 public:
  int Add(Breakpoint breakpoint);  // returns the new entry's id
  // Keeps the id and the hit count of the entry replaced.
  bool Replace(int id, Breakpoint breakpoint);
  bool Remove(int id);
  bool SetEnabled(int id, bool enabled);
  void AddHits(int id, std::uint64_t hits);
  void Clear();

  std::vector<Breakpoint> Entries() const;
  // Grows with every change of what is armed (not with hit counts).
  std::uint64_t Generation() const { return generation_.load(std::memory_order_acquire); }

 private:
  void Changed() { generation_.fetch_add(1, std::memory_order_acq_rel); }

  mutable std::mutex mutex_;
  std::vector<Breakpoint> entries_;
  int nextId_ = 1;
  std::atomic<std::uint64_t> generation_{0};
};

// The debugger's one list.
extern BreakpointList Breakpoints;
