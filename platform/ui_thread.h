#pragma once
// Calls onto the UI thread from any thread. Posting never blocks: a thread
// that the UI thread may join (at Break, Escape or exit) must never wait for
// the UI thread, or the two deadlock.

#include <functional>

// Runs call on the UI thread soon; returns at once. From the UI thread itself
// the call is queued too, never run re-entrantly.
void PostToUiThread(std::function<void()> call);

// Processes the UI's events until done() is true. Used to end a thread that
// posts to the UI thread: ask it to stop, process events until it has
// ended, then join.
void ProcessEventsUntil(const std::function<bool()>& done);

bool OnUiThread();

// Calls tick on the UI thread every period milliseconds until stopped. UI
// thread only; returns the id for StopUiTimer.
int StartUiTimer(int period, std::function<void()> tick);
void StopUiTimer(int id);
