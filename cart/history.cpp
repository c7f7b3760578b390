#include "cart/history.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "cart/machine_snapshot.h"
#include "cpu/cpu.h"
#include "ppu/background.h"
#include "ppu/ppu.h"

namespace {

constexpr std::size_t kBlock = kSnapshotBlock;
constexpr std::size_t kWholeEvery = 60;
constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();

void PutWord32(std::vector<unsigned char>& out, std::size_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<unsigned char>(value >> shift));
}

std::size_t GetWord32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::size_t{bytes[3]} << 24);
}

// The runs of flagged blocks of `state`, each as its offset, its length and
// its bytes.
void Diff(const std::vector<unsigned char>& state, const std::vector<unsigned char>& changed,
          std::vector<unsigned char>& out) {
  out.clear();
  const std::size_t blocks = changed.size();
  for (std::size_t block = 0; block < blocks;) {
    if (changed[block] == 0) {
      ++block;
      continue;
    }
    const std::size_t first = block;
    while (block < blocks && changed[block] != 0) ++block;
    const std::size_t start = first * kBlock;
    const std::size_t end = std::min(block * kBlock, state.size());
    PutWord32(out, start);
    PutWord32(out, end - start);
    out.insert(out.end(), state.begin() + static_cast<std::ptrdiff_t>(start),
               state.begin() + static_cast<std::ptrdiff_t>(end));
  }
}

void Patch(std::vector<unsigned char>& state, const std::vector<unsigned char>& delta) {
  for (std::size_t at = 0; at + 8 <= delta.size();) {
    const std::size_t offset = GetWord32(&delta[at]);
    const std::size_t length = GetWord32(&delta[at + 4]);
    std::memcpy(state.data() + offset, &delta[at + 8], length);
    at += 8 + length;
  }
}

}  // namespace

bool StepAsRunLoop() {
  const bool visible = NumScanlines == 240;
  const unsigned char line = PPU.Scanline;
  StepCpu();
  if (!visible) return false;
  if (PPU.Scanline != line || NumScanlines != 240) RecordScanlineScroll(line);
  return NumScanlines != 240;
}

MachineHistory::MachineHistory(std::size_t maxEntries, std::size_t maxBytes)
    : maxEntries_(std::max<std::size_t>(maxEntries, 1)), maxBytes_(maxBytes) {}

bool MachineHistory::Start() {
  Clear();
  Push(false);
  return !entries_.empty();
}

void MachineHistory::Clear() {
  entries_.clear();
  last_.clear();
  bytes_ = 0;
}

void MachineHistory::Mark() {
  if (!entries_.empty()) Push(true);
}

void MachineHistory::Stepped(bool frameBegan) {
  if (entries_.empty()) return;
  ++entries_.back().plainSteps;
  if (frameBegan) Push(true);
}

void MachineHistory::RanFrame() {
  if (entries_.empty()) return;
  entries_.back().ranToFrameEnd = true;
  Push(true);
}

// The newest entry is stored as its difference from the one before unless a
// whole snapshot is due (or the layout changed size, when the program first
// wrote into its ROM).
void MachineHistory::Push(bool keepLast) {
  const std::size_t lastSize = last_.size();
  if (SaveMachineOver(last_, &changed_) != SnapshotRefusal::None) {
    Clear();
    return;
  }
  std::size_t sinceWhole = 0;
  for (auto it = entries_.rbegin(); it != entries_.rend() && !it->whole; ++it) ++sinceWhole;
  Entry entry;
  if (!keepLast || entries_.empty() || sinceWhole + 1 >= std::min(kWholeEvery, maxEntries_) ||
      last_.size() != lastSize) {
    entry.whole = true;
    entry.data = last_;
  } else {
    Diff(last_, changed_, delta_);
    entry.data.assign(delta_.begin(), delta_.end());
  }
  bytes_ += entry.data.size();
  entries_.push_back(std::move(entry));
  Evict();
  peakBytes_ = std::max(peakBytes_, Bytes());
}

// The oldest whole snapshot and its differences go together, once the
// entries after them still fill the history; a history that is one group
// and still too large keeps only its newest entry.
void MachineHistory::Evict() {
  while (entries_.size() > 1) {
    std::size_t second = 1;
    while (second < entries_.size() && !entries_[second].whole) ++second;
    const bool hasSecond = second < entries_.size();
    const bool tooBig = Bytes() > maxBytes_;
    if (!tooBig && !(hasSecond && entries_.size() - second >= maxEntries_)) return;
    if (hasSecond) {
      for (std::size_t i = 0; i < second; ++i) bytes_ -= entries_[i].data.size();
      entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(second));
      continue;
    }
    Entry newest = std::move(entries_.back());
    newest.whole = true;
    newest.data = last_;
    entries_.clear();
    entries_.push_back(std::move(newest));
    bytes_ = entries_.back().data.size();
    return;
  }
}

void MachineHistory::Rebuild(std::size_t index, std::vector<unsigned char>& into) const {
  std::size_t first = index;
  while (!entries_[first].whole) --first;
  into = entries_[first].data;
  for (std::size_t i = first + 1; i <= index; ++i) Patch(into, entries_[i].data);
}

bool MachineHistory::RestoreEntry(std::size_t index) {
  Rebuild(index, scratch_);
  return RestoreMachine(scratch_.data(), scratch_.size()) == SnapshotRefusal::None;
}

// Runs up to `steps` instructions of the entry, in the ways it first ran;
// with `watch`, notes in lastSeen the last count at which PC held it.
std::uint64_t MachineHistory::Replay(const Entry& entry, std::uint64_t steps, unsigned short* watch,
                                     std::uint64_t* lastSeen) {
  std::uint64_t done = 0;
  auto look = [&] {
    if (watch != nullptr && CPU.PC == *watch) *lastSeen = done;
  };
  for (; done < steps && done < entry.plainSteps; ++done) {
    look();
    StepCpu();
  }
  for (; done < steps && done < std::uint64_t{entry.plainSteps} + entry.recordedSteps; ++done) {
    look();
    StepAsRunLoop();
  }
  if (!entry.ranToFrameEnd) return done;
  while (done < steps) {
    look();
    ++done;
    if (StepAsRunLoop()) break;
  }
  return done;
}

// Entry `index` becomes the newest, reached after `steps` of its
// instructions, and the machine as it now stands starts a new entry.
void MachineHistory::Truncate(std::size_t index, std::uint64_t steps) {
  for (std::size_t i = index + 1; i < entries_.size(); ++i) bytes_ -= entries_[i].data.size();
  entries_.resize(index + 1);
  Entry& entry = entries_.back();
  entry.plainSteps = static_cast<std::uint32_t>(std::min<std::uint64_t>(entry.plainSteps, steps));
  entry.recordedSteps = static_cast<std::uint32_t>(steps - entry.plainSteps);
  entry.ranToFrameEnd = false;
  Rebuild(index, last_);
  Push(true);
}

bool MachineHistory::StepBack() {
  std::size_t index = entries_.size();
  while (index > 0) {
    const Entry& entry = entries_[index - 1];
    if (entry.plainSteps + entry.recordedSteps > 0 || entry.ranToFrameEnd) break;
    --index;
  }
  if (index == 0) return false;
  --index;
  if (!RestoreEntry(index)) return false;
  std::uint64_t total = Replay(entries_[index], kAll, nullptr, nullptr);
  RestoreEntry(index);
  Replay(entries_[index], total - 1, nullptr, nullptr);
  Truncate(index, total - 1);
  return true;
}

bool MachineHistory::RunBack(unsigned short address) {
  if (entries_.empty()) return false;
  std::vector<unsigned char> now;
  if (SaveMachine(now) != SnapshotRefusal::None) return false;
  for (std::size_t index = entries_.size(); index-- > 0;) {
    // The newest entry ends where the machine stands; the moment itself
    // does not count.
    const Entry& entry = entries_[index];
    const bool newest = index + 1 == entries_.size();
    std::uint64_t lastSeen = kAll;
    if (!RestoreEntry(index)) break;
    Replay(entry, newest ? std::uint64_t{entry.plainSteps} + entry.recordedSteps : kAll, &address,
           &lastSeen);
    if (lastSeen == kAll) continue;
    RestoreEntry(index);
    Replay(entries_[index], lastSeen, nullptr, nullptr);
    Truncate(index, lastSeen);
    return true;
  }
  RestoreMachine(now.data(), now.size());
  return false;
}
