#include "debugger/machine_controller.h"

#include <cassert>
#include <map>
#include <optional>
#include <utility>

#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "cpu/watch.h"
#include "debugger/armed_breakpoints.h"
#include "debugger/breakpoints.h"
#include "debugger/machine_history.h"
#include "debugger/run_thread.h"
#include "emulation/emulate_thread.h"
#include "emulation/pause_gate.h"
#include "platform/ui_thread.h"

namespace machine {

namespace {

// How often the followers hear of a run or the game window: about ten
// times a second, for the viewers.
constexpr int kFollowPeriod = 100;

// The one gate every thread that runs the machine passes.
PauseGate gate;
bool closing = false;  // ShutDown has begun: nothing starts any more
std::map<int, std::function<void()>> followers;
int followTimer = 0;  // the timer's id while a thread runs the machine

// Every entry asks first. A debug build stops here; a release build
// refuses the call rather than race with the UI thread's own reads.
bool OnUi() {
  const bool onUi = OnUiThread();
  assert(onUi && "the machine controller is used on the UI thread only");
  return onUi;
}

void TellAll() {
  // A follower may unfollow meanwhile: walk a copy.
  const std::map<int, std::function<void()>> now = followers;
  for (const auto& [id, follower] : now) follower();
}

void StartFollowing() {
  if (followTimer == 0) followTimer = StartUiTimer(kFollowPeriod, TellAll);
}

void StopFollowing() {
  if (followTimer != 0) StopUiTimer(followTimer);
  followTimer = 0;
}

// The UI thread's end of a thread's run: stop ticking, let the starter
// refresh, then tell the followers once more, from the moment it stopped.
std::function<void()> OnUiAfterEnd(std::function<void()> onEnded) {
  return [onEnded = std::move(onEnded)] {
    StopFollowing();
    if (onEnded) onEnded();
    TellAll();
  };
}

bool CanStart() {
  return !closing && Idle();
}

bool StartRunThreadFor(const std::function<RunGoal()>& makeGoal, std::function<void()> onEnded) {
  if (!OnUi() || !Loaded() || !CanStart()) return false;
  if (!Machine.TryTake(MachineHolder::RunThread)) return false;
  gate.Enter();
  HistoryBeforeRun();
  const auto loopEnded = [] {
    gate.Leave();
    Machine.Give(MachineHolder::RunThread);
  };
  if (!StartRunThread(makeGoal(), gate, HistoryRan, loopEnded, OnUiAfterEnd(std::move(onEnded)))) {
    loopEnded();
    return false;
  }
  StartFollowing();
  return true;
}

// The game window's breakpoints: armed on its thread before the first frame
// and disarmed there after the last, so only the thread that holds the
// machine touches them. A game started on an execute breakpoint moves on.
std::optional<ArmedBreakpoints> emulationBreakpoints;

EmulateHooks BreakpointHooks() {
  return {[] {
            emulationBreakpoints.emplace(Breakpoints);
            cpu::watch::PassOnce(CPU.PC);
          },
          [] {
            emulationBreakpoints->Refresh();
            return cpu::watch::Stopped();
          },
          [] { emulationBreakpoints.reset(); }};
}

}  // namespace

bool Idle() {
  if (!OnUi()) return false;
  return Machine.Free() && !RunThreadActive() && !EmulateThreadRunning();
}

bool Loaded() {
  if (!OnUi()) return false;
  return ImageLoaded();
}

// Every instruction the UI thread runs goes into the history.
bool Step() {
  if (!Loaded()) return false;
  if (!Borrow([] {
        const bool visible = NumScanlines == 240;
        StepCpu();
        HistoryStepped(visible && NumScanlines != 240);
      }))
    return false;
  TellAll();
  return true;
}

bool Reset() {
  if (!Loaded()) return false;
  return Change(ResetNES);
}

int Load(const std::string& path) {
  if (!OnUi() || !CanStart()) return kBusy;
  const int code = LoadImageAndReset(path.c_str());
  HistoryStart();  // after a failed load: empty, nothing of the old image kept
  TellAll();
  return code;
}

bool Change(const std::function<void()>& change) {
  if (!Borrow(change)) return false;
  HistoryMark();  // an input: replays start from the machine it made
  TellAll();
  return true;
}

bool Borrow(const std::function<void()>& use) {
  if (!OnUi() || !CanStart()) return false;
  use();
  return true;
}

bool Inspect(const std::function<void()>& read) {
  if (!OnUi()) return false;
  gate.WhilePaused(read);
  return true;
}

std::optional<std::uint64_t> InspectedRunPosition() {
  return gate.Position();
}

bool StartRunTo(unsigned short stopAt, std::function<void()> onEnded) {
  return StartRunThreadFor([stopAt] { return GoalRunTo(stopAt); }, std::move(onEnded));
}

bool StartRun(RunGoal (*makeGoal)(), std::function<void()> onEnded) {
  return StartRunThreadFor(makeGoal, std::move(onEnded));
}

void Break() {
  if (OnUi()) RequestRunStop();
}

bool RunToActive() {
  return OnUi() && RunThreadActive();
}

Refusal StartEmulation(WindowHandle owner, std::function<void()> onEnded) {
  if (!OnUi() || !CanStart() || !Machine.TryTake(MachineHolder::EmulationThread))
    return Refusal::MachineBusy;
  if (!Surfaces.TryTake(SurfaceHolder::GameWindow)) {
    Machine.Give(MachineHolder::EmulationThread);
    return Refusal::SurfacesBusy;
  }
  gate.Enter();
  // On the emulation thread, as its last act. The UI thread joins it
  // before anything else, so the machine is really free by the time the
  // registers and the listing are refreshed.
  auto ended = [uiEnd = OnUiAfterEnd(std::move(onEnded))] {
    gate.Leave();
    Surfaces.Give(SurfaceHolder::GameWindow);
    Machine.Give(MachineHolder::EmulationThread);
    PostToUiThread([uiEnd] {
      StopEmulateThread();
      uiEnd();
    });
  };
  HistoryBeforeRun();  // before the thread arms its breakpoints
  SetFrameObserver(HistoryRanFrame, HistoryPressed);
  if (!StartEmulateThread(owner, gate, ended, BreakpointHooks())) {
    gate.Leave();
    Surfaces.Give(SurfaceHolder::GameWindow);
    Machine.Give(MachineHolder::EmulationThread);
    return Refusal::NoThread;
  }
  StartFollowing();
  return Refusal::None;
}

Refusal OpenPictureView(SurfaceHolder view,
                        const std::function<bool(const PictureHandBack&)>& start) {
  if (!OnUi() || !CanStart() || !Machine.TryTake(MachineHolder::PictureView))
    return Refusal::MachineBusy;
  if (!Surfaces.TryTake(view)) {
    Machine.Give(MachineHolder::PictureView);
    return Refusal::SurfacesBusy;
  }
  gate.Enter();
  const PictureHandBack handBack{[] {
                                   gate.Leave();
                                   Machine.Give(MachineHolder::PictureView);
                                 },
                                 [view] { Surfaces.Give(view); }};
  if (!start(handBack)) {
    handBack.machineDone();
    handBack.surfacesDone();
    return Refusal::NoThread;
  }
  return Refusal::None;
}

void ShutDown(const std::function<void()>& closeViews, const std::function<void()>& closeWindow) {
  if (!OnUi()) return;
  closing = true;
  StopRunThreadAndWait();
  StopEmulateThread();
  closeViews();
  StopFollowing();
  const bool held = Machine.TryTake(MachineHolder::Closing);
  closeWindow();
  if (held) Machine.Give(MachineHolder::Closing);
  closing = false;  // the next debugger window starts afresh
}

int Follow(std::function<void()> follower) {
  if (!OnUi()) return 0;
  static int lastId = 0;
  followers[++lastId] = std::move(follower);
  return lastId;
}

void Unfollow(int id) {
  if (OnUi()) followers.erase(id);
}

void TellFollowers() {
  if (OnUi()) TellAll();
}

}  // namespace machine
