#pragma once
// The run thread of Run to, as the machine controller starts it: it steps
// to the stop address, lets readers look at every instruction boundary, and
// is joined on the UI thread. All functions here are called on the UI
// thread, by the controller only.

#include <cstdint>
#include <functional>

#include "debugger/run_loop.h"

class PauseGate;

// Starts the thread, which runs toward goal with the debugger's enabled
// breakpoints armed (edits to the list reach it within a few milliseconds).
// ran runs on the run thread after each stretch of instructions, with how
// many ran, at an instruction boundary; loopEnded runs there once it no
// longer touches the machine; joined runs on the UI thread after the thread
// has been joined. False when the thread cannot be created.
bool StartRunThread(const RunGoal& goal, PauseGate& gate, std::function<void(std::uint64_t)> ran,
                    std::function<void()> loopEnded, std::function<void()> joined);

// Asks the run thread to stop at the next instruction boundary.
void RequestRunStop();

// Whether a run thread has been started and not yet joined.
bool RunThreadActive();

// Stops the run thread, processing the UI's events until its loop has
// ended, then joins it (its joined call runs). Nothing happens without one.
void StopRunThreadAndWait();
