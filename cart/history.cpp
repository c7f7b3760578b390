#include "cart/history.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "cart/machine_snapshot.h"
#include "cpu/cpu.h"
#include "io/joystick.h"
#include "ppu/background.h"
#include "ppu/ppu.h"

namespace {

constexpr std::size_t kBlock = kSnapshotBlock;
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

// The moment a breakpoint stopped the run loop, in the few values a search
// for it compares at every instruction before it compares the whole machine.
struct Registers {
  unsigned char ac, xr, yr, s, flags, numScanlines, scanline;
  unsigned short pc;
  unsigned int cycles;
  bool operator==(const Registers&) const = default;
};

Registers Now() {
  return {CPU.AC, CPU.XR, CPU.YR, CPU.S, CPU.FLAGS, NumScanlines, PPU.Scanline, CPU.PC, CPU.Cycles};
}

// A frame never runs longer than this (each instruction takes at least one
// cycle but for the zero-cycle ones, which have an allowance per frame).
constexpr std::uint64_t kLongestFrame = std::uint64_t{1} << 22;

}  // namespace

bool StepAsRunLoop() {
  const bool visible = NumScanlines == 240;
  const unsigned char line = PPU.Scanline;
  StepCpu();
  if (!visible) return false;
  if (PPU.Scanline != line || NumScanlines != 240) RecordScanlineScroll(line);
  return NumScanlines != 240;
}

MachineHistory::MachineHistory(std::size_t maxFrames, std::size_t maxBytes)
    : maxFrames_(std::max<std::size_t>(maxFrames, 1)), maxBytes_(maxBytes) {}

bool MachineHistory::Start() {
  Clear();
  Push(false);
  return !entries_.empty();
}

void MachineHistory::Clear() {
  entries_.clear();
  last_.clear();
  stop_.clear();
  bytes_ = 0;
}

std::size_t MachineHistory::Frames() const {
  std::size_t frames = 0;
  for (const Entry& entry : entries_) frames += entry.Span();
  return frames;
}

void MachineHistory::Mark() {
  FindStop();
  if (!entries_.empty()) Push(true);
}

void MachineHistory::Pressed() {
  FindStop();
  if (entries_.empty()) return;
  Entry& entry = entries_.back();
  // A later press at the same frame start supersedes the one before.
  if (entry.presses.empty() || entry.presses.back().frame != entry.frames) {
    entry.presses.emplace_back();
    bytes_ += sizeof(Press);
  }
  Press& press = entry.presses.back();
  press.frame = entry.frames;
  for (int i = 0; i < 24; ++i) {
    press.pads[0][i] = Joy1.BitStream[i].load();
    press.pads[1][i] = Joy2.BitStream[i].load();
  }
}

void MachineHistory::Stepped(bool frameBegan) {
  FindStop();
  if (entries_.empty()) return;
  if (entries_.back().TakesNoSteps()) PushBeforeSteps();
  ++entries_.back().plainSteps;
  if (frameBegan || entries_.back().plainSteps >= kStepsPerSnapshot) Push(true);
}

void MachineHistory::BeforeSteps() {
  FindStop();
  if (entries_.empty()) return;
  if (entries_.back().TakesNoSteps()) Push(true);
}

// An entry counts its steps in 32 bits; a run longer than that starts the
// history afresh from where it ended.
void MachineHistory::Ran(std::uint64_t steps) {
  FindStop();
  if (entries_.empty() || steps == 0) return;
  if (steps > std::numeric_limits<std::uint32_t>::max() / 2) {
    Start();
    return;
  }
  if (entries_.back().TakesNoSteps()) PushBeforeSteps();
  entries_.back().plainSteps += static_cast<std::uint32_t>(steps);
  if (entries_.back().plainSteps >= kStepsPerSnapshot) Push(true);
}

// The history hears of steps once they have run: the moment before them,
// where the newest entry's frames ended, comes back by replaying them.
void MachineHistory::PushBeforeSteps() {
  std::vector<unsigned char> now;
  if (SaveMachine(now) != SnapshotRefusal::None || !RestoreNewestEnd()) {
    Clear();
    return;
  }
  Push(true);
  RestoreMachine(now.data(), now.size());
}

// Puts the machine where the newest entry ends: its snapshot, what it ran,
// and the presses of the frame it has not run yet.
bool MachineHistory::RestoreNewestEnd() {
  if (!RestoreEntry(entries_.size() - 1)) return false;
  const Entry& newest = entries_.back();
  Replay(newest, kAll);
  PressAt(newest, newest.frames);
  return true;
}

void MachineHistory::RanFrame() {
  FindStop();
  if (entries_.empty()) return;
  if (++entries_.back().frames >= kFramesPerSnapshot) Push(true);
}

// The stop is kept as a snapshot, and how far into the frame it came is
// found by replaying only later, once the breakpoints are no longer armed:
// a replay under armed watches would count their hits again.
void MachineHistory::StoppedInFrame() {
  FindStop();
  if (entries_.empty()) return;
  if (SaveMachine(stop_) != SnapshotRefusal::None) Clear();
}

void MachineHistory::FindStop() {
  if (stop_.empty()) return;
  std::vector<unsigned char> now;
  const bool saved = SaveMachine(now) == SnapshotRefusal::None;
  std::vector<unsigned char> stop;
  stop.swap(stop_);
  // At the stop, the run that led there ends and a new entry starts.
  if (FindTail(stop))
    Push(true);
  else if (RestoreMachine(stop.data(), stop.size()) == SnapshotRefusal::None)
    Start();
  else
    Clear();
  if (saved) RestoreMachine(now.data(), now.size());
}

// Replays the newest entry's whole frames, then steps on into the next until
// the machine is `stop`; the steps it took become the entry's tail.
bool MachineHistory::FindTail(const std::vector<unsigned char>& stop) {
  if (RestoreMachine(stop.data(), stop.size()) != SnapshotRefusal::None) return false;
  const Registers target = Now();
  if (!RestoreNewestEnd()) return false;
  for (std::uint64_t tail = 0; tail < kLongestFrame; ++tail) {
    if (Now() == target && SaveMachine(scratch_) == SnapshotRefusal::None && scratch_ == stop) {
      entries_.back().tailSteps = static_cast<std::uint32_t>(tail);
      return true;
    }
    StepAsRunLoop();
  }
  return false;
}

// Only the oldest entry holds a whole snapshot (and one whose layout
// changed size, once the program first wrote into its ROM); the others are
// stored as their differences from the one before.
void MachineHistory::Push(bool keepLast) {
  const std::size_t lastSize = last_.size();
  if (SaveMachineOver(last_, &changed_) != SnapshotRefusal::None) {
    Clear();
    return;
  }
  Entry entry;
  if (!keepLast || entries_.empty() || last_.size() != lastSize) {
    entry.whole = true;
    entry.data = last_;
  } else {
    Diff(last_, changed_, delta_);
    entry.data.assign(delta_.begin(), delta_.end());
  }
  bytes_ += entry.Bytes();
  entries_.push_back(std::move(entry));
  Evict();
  peakBytes_ = std::max(peakBytes_, Bytes());
}

// The oldest entries go once the entries after them still cover the
// history's frames, or while the history is over its bytes; the whole
// snapshot moves forward to the entry that becomes the oldest, patched in
// place, so no snapshot is copied.
void MachineHistory::Evict() {
  std::size_t frames = Frames();
  while (entries_.size() > 1 &&
         (Bytes() > maxBytes_ || frames - entries_.front().Span() >= maxFrames_)) {
    Entry& oldest = entries_.front();
    Entry& next = entries_[1];
    frames -= oldest.Span();
    bytes_ -= oldest.Bytes();
    if (!next.whole) {
      bytes_ -= next.data.size();
      Patch(oldest.data, next.data);
      next.data.swap(oldest.data);
      next.whole = true;
      bytes_ += next.data.size();
    }
    entries_.pop_front();
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

// The presses of the entry's frame `frame`, as the joypads took them; with
// `pressed`, kept there too.
void MachineHistory::PressAt(const Entry& entry, std::uint32_t frame, std::vector<Press>* pressed) {
  for (const Press& press : entry.presses) {
    if (press.frame != frame) continue;
    if (pressed != nullptr) pressed->push_back(press);
    for (int i = 0; i < 24; ++i) {
      Joy1.BitStream[i].store(press.pads[0][i]);
      Joy2.BitStream[i].store(press.pads[1][i]);
    }
  }
}

// Runs up to `steps` instructions of the entry, in the ways it first ran,
// each frame's presses just before its first instruction. With a watch,
// notes the last count at which PC held its address; with `reached`, how
// far it got, as the entry's steps, frames and presses.
std::uint64_t MachineHistory::Replay(const Entry& entry, std::uint64_t steps, Watch watch,
                                     Entry* reached) {
  Entry ran;
  std::uint64_t done = 0;
  auto look = [&] {
    if (watch.lastSeen != nullptr && CPU.PC == watch.address) *watch.lastSeen = done;
    ++done;
  };
  for (; done < steps && ran.plainSteps < entry.plainSteps; ++ran.plainSteps) {
    look();
    StepCpu();
  }
  for (; done < steps && ran.recordedSteps < entry.recordedSteps; ++ran.recordedSteps) {
    look();
    StepAsRunLoop();
  }
  for (std::uint32_t frame = 0; frame <= entry.frames && done < steps; ++frame) {
    const bool whole = frame < entry.frames;
    if (!whole && entry.tailSteps == 0) break;
    PressAt(entry, frame, &ran.presses);
    while (done < steps && (whole || ran.tailSteps < entry.tailSteps)) {
      look();
      ++ran.tailSteps;
      if (StepAsRunLoop() && whole) {
        ran.tailSteps = 0;
        ++ran.frames;
        break;
      }
    }
  }
  if (reached != nullptr) *reached = std::move(ran);
  return done;
}

// Entry `index` becomes the newest, cut where `reached` says, and the
// machine as it now stands starts a new entry.
void MachineHistory::Truncate(std::size_t index, Entry& reached) {
  for (std::size_t i = index; i < entries_.size(); ++i) bytes_ -= entries_[i].Bytes();
  entries_.resize(index + 1);
  Entry& entry = entries_.back();
  entry.plainSteps = reached.plainSteps;
  entry.recordedSteps = reached.recordedSteps;
  entry.frames = reached.frames;
  entry.tailSteps = reached.tailSteps;
  entry.presses = std::move(reached.presses);
  bytes_ += entry.Bytes();
  Rebuild(index, last_);
  Push(true);
}

bool MachineHistory::StepBack() {
  FindStop();
  std::size_t index = entries_.size();
  while (index > 0 && !entries_[index - 1].Ran()) --index;
  if (index == 0) return false;
  --index;
  if (!RestoreEntry(index)) return false;
  const std::uint64_t total = Replay(entries_[index], kAll);
  RestoreEntry(index);
  Entry reached;
  Replay(entries_[index], total - 1, {0, nullptr}, &reached);
  Truncate(index, reached);
  return true;
}

bool MachineHistory::RunBack(unsigned short address) {
  FindStop();
  if (entries_.empty()) return false;
  std::vector<unsigned char> now;
  if (SaveMachine(now) != SnapshotRefusal::None) return false;
  // The newest entry ends where the machine stands; the moment itself does
  // not count, as the replay looks before each instruction.
  for (std::size_t index = entries_.size(); index-- > 0;) {
    std::uint64_t lastSeen = kAll;
    if (!RestoreEntry(index)) break;
    Replay(entries_[index], kAll, {address, &lastSeen});
    if (lastSeen == kAll) continue;
    RestoreEntry(index);
    Entry reached;
    Replay(entries_[index], lastSeen, {0, nullptr}, &reached);
    Truncate(index, reached);
    return true;
  }
  RestoreMachine(now.data(), now.size());
  return false;
}
