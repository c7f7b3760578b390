#include "debugger/run_thread.h"

#include <atomic>
#include <limits>
#include <system_error>
#include <thread>

#include "debugger/run_loop.h"
#include "emulation/pause_gate.h"
#include "platform/ui_thread.h"

namespace {

std::thread RunThread;           // touched on the UI thread only
std::function<void()> RunEnded;  // likewise
std::atomic<bool> StopRequest{false};
std::atomic<bool> LoopEnded{false};
std::uint64_t LastRunInstructions = 0;  // written and read by the run thread only

// UI thread: the thread has posted its end or is about to; join it and let
// the controller follow. A second call (the close path joined first) finds
// nothing to do.
void JoinRunThread() {
  if (!RunThread.joinable()) return;
  RunThread.join();
  StopRequest.store(false);
  std::function<void()> ended = std::move(RunEnded);
  RunEnded = nullptr;
  if (ended) ended();
}

// The machine goes back before the end is posted, so that by the time the
// UI thread refreshes, nobody runs the CPU. The thread never waits for the
// UI thread: the UI thread may be joining it.
void RunThreadProc(unsigned short stopAt, PauseGate* gate, std::function<void()> loopEnded) {
  LastRunInstructions =
      RunToAddress(stopAt, StopRequest, std::numeric_limits<std::uint64_t>::max(), gate);
  loopEnded();
  LoopEnded.store(true);
  PostToUiThread(JoinRunThread);
}

}  // namespace

bool StartRunThread(unsigned short stopAt, PauseGate& gate, std::function<void()> loopEnded,
                    std::function<void()> joined) {
  if (RunThread.joinable()) return false;
  StopRequest.store(false);
  LoopEnded.store(false);
  RunEnded = std::move(joined);
  try {
    RunThread = std::thread(RunThreadProc, stopAt, &gate, std::move(loopEnded));
  } catch (const std::system_error&) {
    RunEnded = nullptr;
    return false;
  }
  return true;
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

std::uint64_t RunThreadInstructions() {
  return LastRunInstructions;
}
