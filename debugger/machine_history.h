#pragma once
// The machine controller's history: a snapshot every few frame starts and
// the way the machine ran on between them, presses included, kept while a
// cartridge runs (Step, Run to, Emulate) so that the debugger can go back.
// Entries run on the UI thread; the run and the game window's threads
// report to it only while they hold the machine.

#include <cstdint>
#include <functional>
#include <string>

namespace machine {

// Why going back or a state file was refused; empty when it was done.
using HistoryRefusal = std::string;

inline constexpr const char* kNoHistoryText =
    "There is no history to go back in: step, run or emulate first.";
inline constexpr const char* kNotInHistoryText =
    "PC was not at the breakpoint's address within the history.";

// A fresh history from the machine as it stands (after a load); an input
// that changed the machine (an edit, Reset, a joypad box) starts an entry.
void HistoryStart();
void HistoryMark();
// One instruction run by the UI thread's Step; a run or game window thread
// about to start (on the UI thread, before it arms its breakpoints: the
// history replays nothing after that); each stretch of `steps` instructions
// the run thread ran; one frame run by the game window's thread, to its end
// or to a breakpoint; the joypads pressed at the game window's frame start.
void HistoryStepped(bool frameBegan);
void HistoryBeforeRun();
void HistoryRan(std::uint64_t steps);
void HistoryRanFrame();
void HistoryPressed();

// A joypad box pressed or released: an input the history records. While the
// game window runs, the press waits for its next frame start, so a replay
// of the frame sees it where it took effect; during Run to it waits for the
// next instruction boundary.
void PressInput(const std::function<void()>& press);

// Empty when the board cannot save its state: the reason otherwise.
std::string WhyNoHistory();

// Step Back and Run back (to the last time PC held address), refused while
// a thread runs or when the history has nothing before this moment.
HistoryRefusal StepBack();
HistoryRefusal RunBack(unsigned short address);

// State files, refused while a thread runs; a refused load leaves the
// machine as it was, a load starts a fresh history.
HistoryRefusal SaveState(const std::string& path);
HistoryRefusal LoadState(const std::string& path);

}  // namespace machine
