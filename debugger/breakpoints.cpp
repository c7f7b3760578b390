#include "debugger/breakpoints.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

BreakpointList Breakpoints;

namespace {

// One hexadecimal address at text[pos...], with an optional $ or 0x.
std::optional<unsigned int> ParseHexAddress(std::string_view text, std::size_t& pos,
                                            ConditionError* error) {
  const auto fail = [&](std::size_t at, const char* message) -> std::optional<unsigned int> {
    if (error) *error = {at, message};
    return std::nullopt;
  };
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos < text.size() && text[pos] == '$')
    ++pos;
  else if (text.substr(pos, 2) == "0x" || text.substr(pos, 2) == "0X")
    pos += 2;
  const std::size_t start = pos;
  unsigned int address = 0;
  while (pos < text.size() && std::isxdigit(static_cast<unsigned char>(text[pos]))) {
    if (pos - start == 4) return fail(start, "an address has at most four hexadecimal digits");
    const char digit = static_cast<char>(std::tolower(static_cast<unsigned char>(text[pos])));
    address =
        address * 16 + static_cast<unsigned int>(digit <= '9' ? digit - '0' : digit - 'a' + 10);
    ++pos;
  }
  if (pos == start) return fail(pos, "expected a hexadecimal address");
  while (pos < text.size() && text[pos] == ' ') ++pos;
  return address;
}

}  // namespace

std::optional<AddressRange> ParseBreakpointAddress(std::string_view text, ConditionError* error) {
  std::size_t pos = 0;
  const std::optional<unsigned int> first = ParseHexAddress(text, pos, error);
  if (!first) return std::nullopt;
  unsigned int last = *first;
  if (pos < text.size() && text[pos] == '-') {
    ++pos;
    const std::optional<unsigned int> end = ParseHexAddress(text, pos, error);
    if (!end) return std::nullopt;
    if (*end < *first) {
      if (error) *error = {text.find('-') + 1, "the range ends before it starts"};
      return std::nullopt;
    }
    last = *end;
  }
  if (pos < text.size()) {
    if (error) *error = {pos, std::string("unexpected '") + text[pos] + "'"};
    return std::nullopt;
  }
  return AddressRange{static_cast<unsigned short>(*first), static_cast<unsigned short>(last)};
}

std::optional<Breakpoint> MakeBreakpoint(std::string_view address, std::string_view condition,
                                         unsigned int kinds, std::string* message) {
  ConditionError error;
  Breakpoint breakpoint;
  const std::optional<AddressRange> range = ParseBreakpointAddress(address, &error);
  if (!range) {
    if (message) *message = "Address: " + DescribeConditionError(error);
    return std::nullopt;
  }
  std::optional<Condition> parsed = Condition::Parse(condition, &error);
  if (!parsed) {
    if (message) *message = "Condition: " + DescribeConditionError(error);
    return std::nullopt;
  }
  if ((kinds & (cpu::watch::kExecute | cpu::watch::kRead | cpu::watch::kWrite)) == 0) {
    if (message) *message = "Choose Execute, Read or Write (or several)";
    return std::nullopt;
  }
  breakpoint.range = *range;
  breakpoint.kinds = kinds;
  breakpoint.condition = std::move(*parsed);
  breakpoint.conditionText = std::string(condition);
  return breakpoint;
}

std::string DescribeBreakpoint(const Breakpoint& breakpoint) {
  char text[32];
  if (breakpoint.range.first == breakpoint.range.last)
    std::snprintf(text, sizeof text, "$%04X", breakpoint.range.first);
  else
    std::snprintf(text, sizeof text, "$%04X-$%04X", breakpoint.range.first, breakpoint.range.last);
  std::string line = text;
  line += ' ';
  line += (breakpoint.kinds & cpu::watch::kExecute) ? 'X' : '-';
  line += (breakpoint.kinds & cpu::watch::kRead) ? 'R' : '-';
  line += (breakpoint.kinds & cpu::watch::kWrite) ? 'W' : '-';
  if (!breakpoint.condition.IsAlways()) line += "  if " + breakpoint.conditionText;
  line += "  hits " + std::to_string(breakpoint.hits);
  if (!breakpoint.enabled) line += "  (off)";
  return line;
}

int BreakpointList::Add(Breakpoint breakpoint) {
  std::lock_guard lock(mutex_);
  breakpoint.id = nextId_++;
  entries_.push_back(std::move(breakpoint));
  Changed();
  return entries_.back().id;
}

namespace {

template <typename Entries>
auto FindEntry(Entries& entries, int id) {
  return std::find_if(entries.begin(), entries.end(),
                      [id](const Breakpoint& entry) { return entry.id == id; });
}

}  // namespace

bool BreakpointList::Replace(int id, Breakpoint breakpoint) {
  std::lock_guard lock(mutex_);
  const auto entry = FindEntry(entries_, id);
  if (entry == entries_.end()) return false;
  breakpoint.id = id;
  breakpoint.hits = entry->hits;
  *entry = std::move(breakpoint);
  Changed();
  return true;
}

bool BreakpointList::Remove(int id) {
  std::lock_guard lock(mutex_);
  const auto entry = FindEntry(entries_, id);
  if (entry == entries_.end()) return false;
  entries_.erase(entry);
  Changed();
  return true;
}

bool BreakpointList::SetEnabled(int id, bool enabled) {
  std::lock_guard lock(mutex_);
  const auto entry = FindEntry(entries_, id);
  if (entry == entries_.end()) return false;
  if (entry->enabled != enabled) {
    entry->enabled = enabled;
    Changed();
  }
  return true;
}

void BreakpointList::AddHits(int id, std::uint64_t hits) {
  std::lock_guard lock(mutex_);
  const auto entry = FindEntry(entries_, id);
  if (entry != entries_.end()) entry->hits += hits;
}

void BreakpointList::Clear() {
  std::lock_guard lock(mutex_);
  entries_.clear();
  Changed();
}

std::vector<Breakpoint> BreakpointList::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}
