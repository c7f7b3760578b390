#include "debugger/run_thread.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "debugger/armed_breakpoints.h"
#include "debugger/breakpoints.h"
#include "emulation/pause_gate.h"
#include "platform/ui_thread.h"

namespace {

std::thread RunThread;           // touched on the UI thread only
std::function<void()> RunEnded;  // likewise
std::atomic<bool> StopRequest{false};
std::atomic<bool> LoopEnded{false};

// How many instructions run between two looks at the breakpoint list: a
// few milliseconds' worth, so an edit during a long run takes effect soon.
// The history takes a snapshot after each stretch, so Step Back after a
// long run replays no more than one.
constexpr std::uint64_t kInstructionsBetweenRefreshes = 1 << 19;

// The goal, or a breakpoint or Break first; the breakpoints are disarmed
// before the machine goes back. Each stretch of instructions is reported
// as it ends.
void RunWithBreakpoints(const RunGoal& goal, PauseGate* gate,
                        const std::function<void(std::uint64_t)>& ran) {
  ArmedBreakpoints armed(Breakpoints);
  for (;;) {
    const RunResult result = RunToGoal(goal, StopRequest, kInstructionsBetweenRefreshes, gate);
    if (ran) ran(result.instructions);
    if (result.end != RunEnd::Limit) return;
    armed.Refresh();
  }
}

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
void RunThreadProc(RunGoal goal, PauseGate* gate, std::function<void(std::uint64_t)> ran,
                   std::function<void()> loopEnded) {
  RunWithBreakpoints(goal, gate, ran);
  loopEnded();
  LoopEnded.store(true);
  PostToUiThread(JoinRunThread);
}

}  // namespace

bool StartRunThread(const RunGoal& goal, PauseGate& gate, std::function<void(std::uint64_t)> ran,
                    std::function<void()> loopEnded, std::function<void()> joined) {
  if (RunThread.joinable()) return false;
  StopRequest.store(false);
  LoopEnded.store(false);
  RunEnded = std::move(joined);
  try {
    RunThread = std::thread(RunThreadProc, goal, &gate, std::move(ran), std::move(loopEnded));
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
