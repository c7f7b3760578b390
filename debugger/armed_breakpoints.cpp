#include "debugger/armed_breakpoints.h"

#include <cstdio>

#include "cpu/cpu.h"
#include "ppu/ppu.h"

namespace {

ArmedBreakpoints* armed = nullptr;  // the one set armed, on the CPU's thread

ConditionInputs InputsOf(const cpu::watch::Access& access) {
  ConditionInputs in;
  in.a = CPU.AC;
  in.x = CPU.XR;
  in.y = CPU.YR;
  in.s = CPU.S;
  in.p = CPU.FLAGS;
  in.pc = access.pc;
  in.value = access.value;
  in.scanline = PPU.Scanline;
  in.peek = PeekForCondition;
  return in;
}

}  // namespace

unsigned char PeekForCondition(unsigned int address) {
  address &= 0xFFFF;
  if (address < 0x8000) return CPU.Memory[address];
  return MemoryPage[(address >> 13) & 3][address & 0x1FFF];
}

// A stop nobody took belongs to an earlier run.
ArmedBreakpoints::ArmedBreakpoints(BreakpointList& list) : list_(list) {
  cpu::watch::TakeStop();
  Arm();
}

ArmedBreakpoints::~ArmedBreakpoints() {
  GiveBackHits();
  cpu::watch::ClearAll();
  armed = nullptr;
}

void ArmedBreakpoints::Refresh() {
  if (list_.Generation() == generation_) return;
  GiveBackHits();
  Arm();
}

void ArmedBreakpoints::GiveBackHits() {
  for (Entry& entry : entries_) {
    if (entry.hits != 0) list_.AddHits(entry.id, entry.hits);
    entry.hits = 0;
  }
}

// A stop that is pending survives a re-arm: the run still has to end.
void ArmedBreakpoints::Arm() {
  generation_ = list_.Generation();
  entries_.clear();
  for (unsigned int address = 0; address < 0x10000; ++address)
    if (cpu::watch::Watched[address]) cpu::watch::Watch(address, 0);
  for (Breakpoint& breakpoint : list_.Entries()) {
    if (!breakpoint.enabled) continue;
    for (unsigned int address = breakpoint.range.first; address <= breakpoint.range.last; ++address)
      cpu::watch::Watch(address, cpu::watch::Watched[address] | breakpoint.kinds);
    entries_.push_back(
        {breakpoint.id, breakpoint.range, breakpoint.kinds, std::move(breakpoint.condition), 0});
  }
  armed = this;
  cpu::watch::SetListener(entries_.empty() ? nullptr : OnAccess);
}

// Every entry that covers the access counts its hit; any one stops the run.
bool ArmedBreakpoints::OnAccess(const cpu::watch::Access& access) {
  if (armed == nullptr) return false;
  bool stop = false;
  const ConditionInputs inputs = InputsOf(access);
  for (Entry& entry : armed->entries_) {
    if (!(entry.kinds & access.kind) || !entry.range.Holds(access.address)) continue;
    if (!entry.condition.Holds(inputs)) continue;
    ++entry.hits;
    stop = true;
  }
  return stop;
}

std::string DescribeStop(const cpu::watch::Access& access) {
  char text[64];
  if (access.kind == cpu::watch::kExecute) {
    std::snprintf(text, sizeof text, "execute at $%04X", access.pc);
  } else {
    std::snprintf(text, sizeof text, "%s $%04X = $%02X at $%04X%s",
                  access.kind == cpu::watch::kRead ? "read" : "write", access.address, access.value,
                  access.pc, access.dma ? " (sprite DMA)" : "");
  }
  return text;
}
