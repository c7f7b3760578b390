#pragma once
// The history: a machine snapshot every few frame starts and after every
// input that is not a joypad (a memory edit, a reset), and between two
// snapshots how the machine ran on: so many single steps, then whole frames
// of the run loop, with the joypads as they were pressed at each frame's
// start. Replaying that from a snapshot gives the machine back exactly, at
// any instruction in between.
//
// Only the oldest snapshot is kept whole; each later one is stored as the
// 64-byte blocks in which it differs from the one before, a few kilobytes.
// Taking one writes the machine (82 KB, more once the program writes into
// its ROM) over the newest snapshot, comparing as it goes and copying only
// what changed: that read costs about a quarter of a short frame, so it is
// done every twentieth frame, and going back replays at most those twenty
// frames, twice, in a few milliseconds.

#include <algorithm>
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
  static constexpr std::size_t kDefaultFrames = 600;
  static constexpr std::size_t kDefaultBytes = std::size_t{64} << 20;
  // Frames of the run loop, or single steps of a run, between two snapshots.
  static constexpr std::uint32_t kFramesPerSnapshot = 20;
  static constexpr std::uint32_t kStepsPerSnapshot = 1 << 19;
  // What a frame takes in single steps, near enough to count the frames a
  // run of them covers: 29,781 cycles of instructions of about three.
  static constexpr std::uint32_t kStepsPerFrame = 10000;

  explicit MachineHistory(std::size_t maxFrames = kDefaultFrames,
                          std::size_t maxBytes = kDefaultBytes);

  // Forgets everything and starts from the machine as it is now. False (and
  // the history stays empty) when the machine has no snapshots.
  bool Start();
  void Clear();
  bool Empty() const { return entries_.empty(); }

  // A new entry from the machine as it is now: after an input.
  void Mark();
  // The joypads were pressed or released at a frame start, before the run
  // loop runs the frame: kept with the newest entry and pressed again there
  // by a replay.
  void Pressed();
  // One StepCpu has run; `frameBegan` when it began vertical blank, which
  // starts a new entry.
  void Stepped(bool frameBegan);
  // A run of steps or frames is about to start on another thread, which
  // arms breakpoints: whatever the history still has to replay is replayed
  // now, and an entry of frames ends here, as steps may follow.
  void BeforeSteps();
  // So many StepCpu have run, at the end of a stretch of a longer run.
  void Ran(std::uint64_t steps);
  // RunCpu has run the rest of the frame and returned at its start.
  void RanFrame();
  // RunCpu stopped at a breakpoint partway through the frame.
  void StoppedInFrame();

  // Puts the machine at the instruction before the current one. False when
  // there is none in the history (the machine is then as it was).
  bool StepBack();
  // Puts the machine at the last moment within the history, before the
  // current one, at which PC held `address`. False when there is none.
  bool RunBack(unsigned short address);

  std::size_t Entries() const { return entries_.size(); }
  // The frame starts the history reaches back over.
  std::size_t Frames() const;
  // What the stored snapshots and presses take, with the working copies.
  std::size_t Bytes() const {
    return bytes_ + last_.capacity() + scratch_.capacity() + delta_.capacity();
  }
  std::size_t PeakBytes() const { return peakBytes_; }

 private:
  // Both joypads' reports as a press left them, at the start of the
  // entry's frame `frame` (counted from its first whole frame).
  struct Press {
    std::uint32_t frame = 0;
    signed char pads[2][24] = {};
  };
  // An entry's snapshot, then the way the machine ran on from it, in this
  // order.
  struct Entry {
    std::vector<unsigned char> data;  // a whole snapshot, or runs of changed blocks
    bool whole = false;
    std::uint32_t plainSteps = 0;     // single steps as the debugger's Step runs them
    std::uint32_t recordedSteps = 0;  // then single steps that record the scroll, as RunCpu does
    std::uint32_t frames = 0;         // then the run loop, to the start of the next frame
    std::uint32_t tailSteps = 0;      // then that far into one more frame
    std::vector<Press> presses;       // sorted by frame

    bool Ran() const { return (plainSteps | recordedSteps | frames | tailSteps) != 0; }
    // Steps run after frames or presses need an entry of their own, as a
    // replay runs an entry's steps first.
    bool TakesNoSteps() const { return frames > 0 || !presses.empty(); }
    std::size_t Span() const {
      const std::uint64_t steps = std::uint64_t{plainSteps} + recordedSteps + tailSteps;
      return std::max<std::size_t>(frames + steps / kStepsPerFrame, 1);
    }
    std::size_t Bytes() const { return data.size() + presses.size() * sizeof(Press); }
  };
  // Where a replay notes the last count at which PC held an address.
  struct Watch {
    unsigned short address;
    std::uint64_t* lastSeen;
  };

  void Push(bool keepLast);
  void Evict();
  void Rebuild(std::size_t index, std::vector<unsigned char>& into) const;
  bool RestoreEntry(std::size_t index);
  std::uint64_t Replay(const Entry& entry, std::uint64_t steps, Watch watch = {0, nullptr},
                       Entry* reached = nullptr);
  void PushBeforeSteps();
  void FindStop();
  bool FindTail(const std::vector<unsigned char>& stop);
  bool RestoreNewestEnd();
  static void PressAt(const Entry& entry, std::uint32_t frame,
                      std::vector<Press>* pressed = nullptr);
  void Truncate(std::size_t index, Entry& reached);

  std::size_t maxFrames_;
  std::size_t maxBytes_;
  std::deque<Entry> entries_;
  std::vector<unsigned char> last_;     // the newest entry's whole snapshot
  std::vector<unsigned char> scratch_;  // the machine being restored
  std::vector<unsigned char> changed_;  // the blocks of last_ the newest entry changed
  std::vector<unsigned char> delta_;    // the newest entry's difference, before it is stored
  std::vector<unsigned char> stop_;  // where a breakpoint stopped the run loop, still to be found
  std::size_t bytes_ = 0;
  std::size_t peakBytes_ = 0;
};
