#pragma once
// The history: a machine snapshot at every frame start and after every
// input (a memory edit, a joypad box, a reset), and between two snapshots
// how the machine ran on: so many single steps, then perhaps the run loop
// to the end of the frame. Replaying that from a snapshot gives the machine
// back exactly, at any instruction in between.
//
// Snapshots are stored as differences: each one as the 64-byte blocks in
// which it differs from the one before, with a whole snapshot every 60
// entries. A frame writes the machine over the newest snapshot, comparing as
// it goes and copying only what changed, so it costs one read of each;
// going back costs at most 59 patches. Frames change a few kilobytes of a
// machine of more than 80, so a second of history takes about 1 MB.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// One StepCpu that records the scroll of a visible line as it ends, as the
// run loop does. True when it began vertical blank.
bool StepAsRunLoop();

class MachineHistory {
 public:
  // Ten seconds of frames at 60 a second, and at most 64 MB.
  static constexpr std::size_t kDefaultEntries = 600;
  static constexpr std::size_t kDefaultBytes = std::size_t{64} << 20;

  explicit MachineHistory(std::size_t maxEntries = kDefaultEntries,
                          std::size_t maxBytes = kDefaultBytes);

  // Forgets everything and starts from the machine as it is now. False (and
  // the history stays empty) when the machine has no snapshots.
  bool Start();
  void Clear();
  bool Empty() const { return entries_.empty(); }

  // A new entry from the machine as it is now: after an input.
  void Mark();
  // One StepCpu has run; `frameBegan` when it began vertical blank, which
  // starts a new entry.
  void Stepped(bool frameBegan);
  // RunCpu has run the rest of the frame and returned at its start.
  void RanFrame();

  // Puts the machine at the instruction before the current one. False when
  // there is none in the history (the machine is then as it was).
  bool StepBack();
  // Puts the machine at the last moment within the history, before the
  // current one, at which PC held `address`. False when there is none.
  bool RunBack(unsigned short address);

  std::size_t Entries() const { return entries_.size(); }
  // What the stored snapshots take, with the two working copies.
  std::size_t Bytes() const {
    return bytes_ + last_.capacity() + scratch_.capacity() + delta_.capacity();
  }
  std::size_t PeakBytes() const { return peakBytes_; }

 private:
  struct Entry {
    std::vector<unsigned char> data;  // a whole snapshot, or runs of changed blocks
    bool whole = false;
    std::uint32_t plainSteps = 0;     // single steps as the debugger's Step runs them
    std::uint32_t recordedSteps = 0;  // then single steps that record the scroll, as RunCpu does
    bool ranToFrameEnd = false;       // then the run loop, to the start of the next frame
  };

  void Push(bool keepLast);
  void Evict();
  void Rebuild(std::size_t index, std::vector<unsigned char>& into) const;
  bool RestoreEntry(std::size_t index);
  std::uint64_t Replay(const Entry& entry, std::uint64_t steps, unsigned short* watch,
                       std::uint64_t* lastSeen);
  void Truncate(std::size_t index, std::uint64_t steps);

  std::size_t maxEntries_;
  std::size_t maxBytes_;
  std::deque<Entry> entries_;
  std::vector<unsigned char> last_;     // the newest entry's whole snapshot
  std::vector<unsigned char> scratch_;  // the machine being restored
  std::vector<unsigned char> changed_;  // the blocks of last_ the newest entry changed
  std::vector<unsigned char> delta_;    // the newest entry's difference, before it is stored
  std::size_t bytes_ = 0;
  std::size_t peakBytes_ = 0;
};
