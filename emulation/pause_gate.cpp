#include "emulation/pause_gate.h"

void PauseGate::Enter() {
  std::lock_guard lock(mutex_);
  inside_ = true;
}

void PauseGate::Leave() {
  {
    std::lock_guard lock(mutex_);
    inside_ = false;
  }
  changed_.notify_all();
}

// The thread waits here while the reader reads; the mutex carries the
// machine's state across in both directions.
void PauseGate::Serve(std::optional<std::uint64_t> position) {
  std::unique_lock lock(mutex_);
  if (!reading_) return;  // the reader was served at another boundary
  position_ = position;
  paused_ = true;
  changed_.notify_all();
  changed_.wait(lock, [this] { return !reading_; });
  paused_ = false;
}

void PauseGate::WhilePaused(const std::function<void()>& read) {
  std::unique_lock lock(mutex_);
  reading_ = true;
  requested_.store(true, std::memory_order_relaxed);
  changed_.wait(lock, [this] { return paused_ || !inside_; });
  read();
  reading_ = false;
  requested_.store(false, std::memory_order_relaxed);
  lock.unlock();
  changed_.notify_all();
}
