#pragma once
// One small owner for a resource that only one thread or window may hold at
// a time: the machine (who runs the CPU) and the video surfaces (who draws
// into them). Taking is refused while someone else holds it; every command
// that runs or changes the machine asks here and nowhere else.

#include <atomic>
#include <functional>
#include <mutex>

template <typename Holder>
class Owner {
 public:
  // Holder{} (the first enumerator) must mean "nobody".
  static constexpr Holder Nobody = Holder{};

  // Takes the resource for who; false when someone else holds it.
  bool TryTake(Holder who) {
    Holder expected = Nobody;
    if (!holder_.compare_exchange_strong(expected, who)) return false;
    Notify();
    return true;
  }

  // Gives it back; only the holder can. Returns false for anyone else.
  bool Give(Holder who) {
    Holder expected = who;
    if (who == Nobody || !holder_.compare_exchange_strong(expected, Nobody)) return false;
    Notify();
    return true;
  }

  Holder Current() const { return holder_.load(); }
  bool Free() const { return Current() == Nobody; }
  bool HeldBy(Holder who) const { return Current() == who; }

  // Called after every change, on the thread that made it (the front end
  // posts from there to the UI thread). An empty function removes it.
  void SetListener(std::function<void()> listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
  }

 private:
  void Notify() {
    std::function<void()> listener;
    {
      std::lock_guard lock(listenerMutex_);
      listener = listener_;
    }
    if (listener) listener();
  }

  std::atomic<Holder> holder_{Nobody};
  std::mutex listenerMutex_;
  std::function<void()> listener_;
};

// Who runs the CPU (Closing: the program is closing, nothing may start).
// The debugger's own commands (Step, Reset, Load, Goto,
// the memory edits) run on the UI thread and only while the machine is free.
enum class MachineHolder { Nobody, RunThread, EmulationThread, PictureView, Closing };
extern Owner<MachineHolder> Machine;

// Who has the video surfaces open.
enum class SurfaceHolder { Nobody, GameWindow, PatternView, ScreenShotView };
extern Owner<SurfaceHolder> Surfaces;
