#pragma once
// Where a thread that runs the machine lets the UI thread look at it. The
// thread passes Boundary() between two instructions (the run thread) or two
// frames (the game window); a reader on the UI thread asks it to stop there,
// reads, and lets it go on. The handover is under one mutex, so every read
// sees one moment of the machine and no write of the thread overlaps it.
// While no thread is inside (between Leave and the next Enter), reads run at
// once: only the UI thread then touches the machine.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>

class PauseGate {
 public:
  // The starter, before the thread exists: reads now wait for a boundary.
  void Enter();
  // The thread, once it no longer touches the machine: a waiting reader
  // reads at once.
  void Leave();

  // The thread, at a boundary: costs one relaxed load unless a reader waits.
  // With a position (the run thread's instructions so far), a reader can ask
  // where the thread is held.
  void Boundary() {
    if (requested_.load(std::memory_order_relaxed)) Serve(std::nullopt);
  }
  void Boundary(std::uint64_t position) {
    if (requested_.load(std::memory_order_relaxed)) Serve(position);
  }

  // The reader: runs read while the thread is held at a boundary (or while
  // no thread is inside), then lets the thread go on.
  void WhilePaused(const std::function<void()>& read);
  // Only inside read: the position the thread gave at the boundary it is
  // held at; nothing when it gave none or no thread is inside.
  std::optional<std::uint64_t> Position() const { return paused_ ? position_ : std::nullopt; }

 private:
  void Serve(std::optional<std::uint64_t> position);

  std::atomic<bool> requested_{false};
  std::mutex mutex_;
  std::condition_variable changed_;
  bool inside_ = false;  // guarded by mutex_, as the two below
  bool paused_ = false;
  bool reading_ = false;
  std::optional<std::uint64_t> position_;
};
