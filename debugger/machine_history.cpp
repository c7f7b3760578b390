#include "debugger/machine_history.h"

#include "cart/history.h"
#include "cart/machine_snapshot.h"
#include "cart/state_file.h"
#include "cpu/watch.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_refusals.h"
#include "emulation/emulate_thread.h"

namespace machine {

namespace {

MachineHistory history;  // touched only by whoever holds the machine
// The instructions of the run thread's current stretch already in the
// history, by a press that came in the middle of it; likewise.
std::uint64_t toldOfStretch = 0;

HistoryRefusal Refused(bool done, const char* reason) {
  return done ? HistoryRefusal{} : HistoryRefusal{reason};
}

}  // namespace

void HistoryStart() {
  history.Start();
}

void HistoryMark() {
  history.Mark();
}

void HistoryStepped(bool frameBegan) {
  history.Stepped(frameBegan);
}

void HistoryBeforeRun() {
  history.BeforeSteps();
}

void HistoryRan(std::uint64_t steps) {
  history.Ran(steps - toldOfStretch);
  toldOfStretch = 0;
}

void HistoryRanFrame() {
  if (cpu::watch::Stopped())
    history.StoppedInFrame();  // a breakpoint ended the frame early
  else
    history.RanFrame();
}

void HistoryPressed() {
  history.Pressed();
}

void PressInput(const std::function<void()>& press) {
  if (Change(press)) return;  // idle: marked as every change is
  if (EmulateThreadRunning()) {
    Inspect([&] {
      press();
      history.Pressed();  // the game window's thread waits at its frame start
    });
    return;
  }
  if (!RunToActive()) {
    press();  // the buttons are atomics
    return;
  }
  // The run thread waits at an instruction boundary: the history takes
  // the stretch so far, then the press.
  Inspect([&] {
    if (const std::optional<std::uint64_t> position = InspectedRunPosition()) {
      history.Ran(*position - toldOfStretch);
      toldOfStretch = *position;
    }
    press();
    history.Mark();
  });
}

std::string WhyNoHistory() {
  if (!Loaded() || MachineHasSnapshots()) return {};
  return SnapshotRefusalText(SnapshotRefusal::NoBoardState);
}

HistoryRefusal StepBack() {
  if (!Idle()) return kMachineBusyText;
  if (!WhyNoHistory().empty()) return WhyNoHistory();
  bool done = false;
  Borrow([&] { done = history.StepBack(); });
  TellFollowers();
  return Refused(done, kNoHistoryText);
}

HistoryRefusal RunBack(unsigned short address) {
  if (!Idle()) return kMachineBusyText;
  if (!WhyNoHistory().empty()) return WhyNoHistory();
  if (history.Empty()) return kNoHistoryText;
  bool done = false;
  Borrow([&] { done = history.RunBack(address); });
  TellFollowers();
  return Refused(done, kNotInHistoryText);
}

HistoryRefusal SaveState(const std::string& path) {
  if (!Idle()) return kMachineBusyText;
  HistoryRefusal error;
  Borrow([&] { error = WriteStateFile(path); });
  return error;
}

HistoryRefusal LoadState(const std::string& path) {
  if (!Idle()) return kMachineBusyText;
  HistoryRefusal error;
  Borrow([&] {
    error = ReadStateFile(path);
    if (error.empty()) history.Start();
  });
  TellFollowers();
  return error;
}

}  // namespace machine
