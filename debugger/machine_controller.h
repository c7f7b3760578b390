#pragma once
// The one owner of the machine for the front end. Every command that runs,
// changes or reads the machine comes here: nothing else in the front end
// takes or gives back the machine or the video surfaces.
//
// - One thread runs the CPU at a time: the UI thread (Step, Reset, Load,
//   Change, Borrow), the run thread of Run to, or the game window's thread.
//   A picture view holds the machine while it draws its picture once.
// - Inspect is the only way to read the machine for display while a thread
//   may run it: that thread is held at its next instruction boundary (the
//   game window at its next frame), the read sees one moment, and the
//   thread goes on. Copy what is needed inside the read; draw outside it.
// - Followers are told on the UI thread after every change made here, when
//   a thread has ended, and about ten times a second while one runs.
//
// Every entry runs on the UI thread only: a debug build asserts it, and a
// release build refuses the call (false, nothing done) instead.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "debugger/run_loop.h"
#include "emulation/owner.h"
#include "platform/window.h"

namespace machine {

// Nobody holds the machine and no thread of ours is still to be joined:
// the UI thread may run the CPU.
bool Idle();
// A cartridge is loaded with its board, so the CPU can fetch.
bool Loaded();

// One instruction; Reset as the Reset command does it. False when refused
// (busy or nothing loaded).
bool Step();
bool Reset();

// The load sequence for the image at path. Returns its code (0 success),
// or kBusy while another holder has the machine.
inline constexpr int kBusy = -1;
int Load(const std::string& path);

// Runs change on the UI thread while the machine is idle, then tells the
// followers: the memory edits. Borrow does the same without telling: work
// that borrows PC and puts it back (the listing, Goto Address). False, and
// nothing run, while someone else holds the machine.
bool Change(const std::function<void()>& change);
bool Borrow(const std::function<void()>& use);

// Reads the machine for display (see above). Runs read and returns true;
// false only off the UI thread.
bool Inspect(const std::function<void()>& read);
// Only inside Inspect's read, while the run thread is held: the
// instructions it has run in its current stretch; nothing otherwise.
std::optional<std::uint64_t> InspectedRunPosition();

// Run to: a thread steps until PC equals stopAt after an instruction, or
// Break. onEnded runs on the UI thread once the thread has been joined and
// the machine is free. False when busy or the thread cannot be created.
bool StartRunTo(unsigned short stopAt, std::function<void()> onEnded);
// The stepping commands the same way: makeGoal is asked, once the machine
// is known to be free, for the goal from the CPU as it is (GoalStepOver).
// Run to and these stop at the first hit of an enabled breakpoint; so does
// the game window, after the frame it was in. cpu::watch::Stopped() then
// tells the ending call why.
bool StartRun(RunGoal (*makeGoal)(), std::function<void()> onEnded);
void Break();        // the run stops at its next instruction boundary
bool RunToActive();  // started and not yet joined

// Why a thread that needs the machine and the surfaces did not start.
enum class Refusal { None, MachineBusy, SurfacesBusy, NoThread };

// The game window's thread, owned by owner. onEnded runs on the UI thread
// once the thread has given back the machine and the surfaces.
Refusal StartEmulation(WindowHandle owner, std::function<void()> onEnded);

// A picture view: the machine while it draws, the surfaces until it closes.
// start creates the view's window and thread and hands the thread these
// two calls, which the thread makes as it lets go of each; it returns false
// when no thread could be made (both are then given back here). Both calls
// may come from any thread.
struct PictureHandBack {
  std::function<void()> machineDone;
  std::function<void()> surfacesDone;
};
Refusal OpenPictureView(SurfaceHolder view,
                        const std::function<bool(const PictureHandBack&)>& start);

// Closing the program: nothing may start from now on; the run and the game
// window are asked to end and joined (the UI's events are processed
// meanwhile), closeViews ends the picture views; then closeWindow runs with
// the machine held for closing, and the machine is given back.
void ShutDown(const std::function<void()>& closeViews, const std::function<void()>& closeWindow);

// Followers: called on the UI thread as said above. Returns an id for
// Unfollow.
int Follow(std::function<void()> follower);
void Unfollow(int id);
// Tells the followers now (the Refresh command, a new viewer).
void TellFollowers();

}  // namespace machine
