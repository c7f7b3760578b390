#include "debugger/run_thread.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "debugger/debug_window.h"
#include "debugger/run_loop.h"
#include "emulation/owner.h"
#include "platform/ui_thread.h"

namespace {

std::thread RunThread;           // touched on the UI thread only
std::function<void()> RunEnded;  // likewise
std::atomic<bool> StopRequest{false};
std::atomic<bool> LoopEnded{false};

// UI thread: the thread has posted its end or is about to; join it and let
// the debugger refresh. A second call (the close path joined first) finds
// nothing to do.
void JoinRunThread() {
  if (!RunThread.joinable()) return;
  RunThread.join();
  StopRequest.store(false);
  std::function<void()> ended = std::move(RunEnded);
  RunEnded = nullptr;
  if (ended) ended();
}

}  // namespace

bool StartRunThread(std::function<void()> onEnded) {
  if (RunThread.joinable() || !Machine.TryTake(MachineHolder::RunThread)) return false;
  StopRequest.store(false);
  LoopEnded.store(false);
  RunEnded = std::move(onEnded);
  try {
    RunThread = std::thread(RunThreadProc);
  } catch (const std::system_error&) {
    RunEnded = nullptr;
    Machine.Give(MachineHolder::RunThread);
    return false;
  }
  return true;
}

// The machine goes back before the end is posted, so that by the time the
// UI thread refreshes, nobody runs the CPU. The thread never waits for the
// UI thread: the UI thread may be joining it.
void RunThreadProc() {
  RunToAddress(tPC.load(), StopRequest);
  Machine.Give(MachineHolder::RunThread);
  LoopEnded.store(true);
  PostToUiThread(JoinRunThread);
}

void RequestRunStop() {
  StopRequest.store(true);
}

bool RunThreadActive() {
  return RunThread.joinable();
}

void StopRunThreadAndWait() {
  if (!RunThread.joinable()) return;
  RequestRunStop();
  ProcessEventsUntil([] { return LoopEnded.load(); });
  JoinRunThread();
}
