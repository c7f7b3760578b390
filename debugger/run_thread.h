#pragma once
// The run thread of Run to: it holds the machine from its start until its
// loop has ended, and is joined on the UI thread. All functions here are
// called on the UI thread.

#include <functional>

// Takes the machine for the run thread and starts RunThreadProc, which runs
// to tPC. onEnded runs on the UI thread once the thread has been joined.
// False (machine given back, nothing started) when the machine is held or
// the thread cannot be created.
bool StartRunThread(std::function<void()> onEnded);

// The body of the run thread.
void RunThreadProc();

// Asks the run thread to stop at the next instruction boundary.
void RequestRunStop();

// Whether a run thread has been started and not yet joined.
bool RunThreadActive();

// Stops the run thread, processing the UI's events until its loop has
// ended, then joins it (its onEnded runs). Nothing happens without one.
void StopRunThreadAndWait();
