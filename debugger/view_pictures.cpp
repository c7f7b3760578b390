#include "debugger/view_pictures.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <system_error>

#include "debugger/debug_window.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_refusals.h"
#include "debugger/picture_compose.h"
#include "debugger/tool_commands.h"
#include "platform/message_box.h"
#include "platform/picture_window.h"
#include "platform/ui_thread.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"

std::thread PatternThread;
std::thread ScreenShotThread;

namespace {

// One picture view. The UI thread sets it up before the thread starts and
// changes it again only after joining the thread; closing is the one value
// both touch while it runs.
struct PictureView {
  PictureView(SurfaceHolder who, const char* name, const char* failure, bool textAfterFlip,
              std::thread& itsThread)
      : holder(who),
        title(name),
        threadFailure(failure),
        textFollowsFlip(textAfterFlip),
        thread(itsThread) {}

  SurfaceHolder holder;
  const char* title;
  const char* threadFailure;
  bool textFollowsFlip;  // the pattern view prints its time after the flip
  std::thread& thread;
  std::shared_ptr<PictureDisplay> display;
  WindowHandle window = nullptr;      // the window as the thread knows it
  WindowHandle owner = nullptr;       // the debugger, owner of the messages
  machine::PictureHandBack handBack;  // the machine after drawing, the surfaces at the end
  std::atomic<bool> running{false};
  std::mutex mutex;
  std::condition_variable wake;
  bool closing = false;  // guarded by mutex
};

PictureView PatternView{SurfaceHolder::PatternView, "View Pattern tables/Palettes",
                        "Couldn't Create Thread for Pattern Table Shot", true, PatternThread};
PictureView ScreenShotView{SurfaceHolder::ScreenShotView, "View Screen Shot",
                           "Couldn't Create Thread for Screen Shot", false, ScreenShotThread};

PictureView* ViewOf(WindowHandle hwnd) {
  for (PictureView* view : {&PatternView, &ScreenShotView})
    if (view->running && view->window == hwnd) return view;
  return nullptr;
}

void AskToClose(PictureView& view) {
  {
    std::lock_guard lock(view.mutex);
    view.closing = true;
  }
  view.wake.notify_all();
}

// Drawn once; the time is printed after the flip, onto the picture shown.
void DrawPatternView() {
  const double TotalTime = DrawPatternPicture();
  DDrawFlip();
  char TotalStr[40];
  FormatRenderingTime(TotalStr, TotalTime);
  PrintText(TotalStr, 0, 464, 0xFFFFFF, 0xFF0000);
}

void DrawScreenShotView() {
  DrawScreenShotPicture();
  DDrawFlip();
}

// The machine is free again once the picture is drawn; the surfaces stay
// with the view until it closes.
unsigned int RunPictureView(PictureView& view, void (*draw)()) {
  view.display->Show();
  const int code = OpenVideoSurfaces(view.window);
  if (code != 0) {
    DirectDrawClose();
    UseDisplay(nullptr);
    view.display->Destroy();
    view.handBack.machineDone();
    view.handBack.surfacesDone();
    char text[64];
    std::snprintf(text, sizeof text, "Error Initializing DirectX\nCode(%d)", code);
    ShowMessage(view.owner, text, "Taviro", MessageIcon::Stop);
    view.running = false;
    return 0;
  }
  view.display->Focus();
  draw();
  view.handBack.machineDone();
  PostToUiThread([] { UpdateCommandStates(); });

  std::unique_lock lock(view.mutex);
  view.wake.wait(lock, [&] { return view.closing; });
  lock.unlock();
  DirectDrawClose();
  UseDisplay(nullptr);
  view.display->Destroy();
  view.handBack.surfacesDone();
  PostToUiThread([] { UpdateCommandStates(); });
  view.running = false;
  return 0;
}

// The window procedure of both views: a key or the close box closes the
// view; its thread then closes the surfaces and the window.
PictureWindowOptions View_Pattern_WndProc(PictureView& view) {
  PictureWindowOptions options;
  options.title = view.title;
  options.owner = hWndMain;
  options.textFollowsFlip = view.textFollowsFlip;
  options.onKeyDown = [&view](unsigned int key) { View_Pattern_OnKeydown(view.window, key); };
  options.onClose = [&view] { AskToClose(view); };
  return options;
}

// Makes the view's window and thread once the controller has taken the
// machine and the surfaces for it; false when no thread could be made.
bool StartPictureView(WindowHandle hdWnd, PictureView& view, unsigned int (*proc)(void*),
                      const machine::PictureHandBack& handBack) {
  if (view.thread.joinable()) view.thread.join();  // its last opening has ended
  view.display = CreatePictureWindow(View_Pattern_WndProc(view));
  view.window = view.display ? view.display->Window() : nullptr;
  if (view.window == nullptr) {  // no window: the view ends without a word
    handBack.machineDone();
    handBack.surfacesDone();
    return true;
  }
  UseDisplay(view.display.get());
  view.owner = hdWnd;
  view.handBack = handBack;
  view.closing = false;
  view.running = true;
  try {
    view.thread = std::thread(proc, nullptr);
  } catch (const std::system_error&) {
    view.running = false;
    UseDisplay(nullptr);
    view.display->Destroy();
    return false;
  }
  return true;
}

// Refused while another thread runs the machine (the run thread changes
// the palette the pattern view draws) or another window has the surfaces.
void OpenPictureView(WindowHandle hdWnd, PictureView& view, unsigned int (*proc)(void*)) {
  const machine::Refusal refusal =
      machine::OpenPictureView(view.holder, [&](const machine::PictureHandBack& handBack) {
        return StartPictureView(hdWnd, view, proc, handBack);
      });
  switch (refusal) {
    case machine::Refusal::None:
      break;
    case machine::Refusal::MachineBusy:
      ShowMessage(hdWnd, kMachineBusyText, "Taviro", MessageIcon::Exclamation);
      break;
    case machine::Refusal::SurfacesBusy:
      ShowMessage(hdWnd, kSurfacesBusyText, "Taviro", MessageIcon::Exclamation);
      break;
    case machine::Refusal::NoThread:
      ShowMessage(hdWnd, view.threadFailure, "Error", MessageIcon::None);
      break;
  }
}

}  // namespace

unsigned int PatternThreadProc(void*) {
  return RunPictureView(PatternView, DrawPatternView);
}

unsigned int ScreenShotThreadProc(void*) {
  return RunPictureView(ScreenShotView, DrawScreenShotView);
}

// Any key closes the view: its thread closes the surfaces and the window.
void View_Pattern_OnKeydown(WindowHandle hwnd, unsigned int) {
  if (PictureView* view = ViewOf(hwnd)) AskToClose(*view);
}

std::shared_ptr<PictureDisplay> PatternViewDisplay() {
  return PatternView.running ? PatternView.display : nullptr;
}

std::shared_ptr<PictureDisplay> ScreenShotViewDisplay() {
  return ScreenShotView.running ? ScreenShotView.display : nullptr;
}

void Debug_ViewPatternTables(WindowHandle hdWnd) {
  OpenPictureView(hdWnd, PatternView, PatternThreadProc);
}

void Debug_ViewScreenShot(WindowHandle hdWnd) {
  OpenPictureView(hdWnd, ScreenShotView, ScreenShotThreadProc);
}

// Closing the debugger: each open view is asked to close, events are
// processed until its thread has ended (it posts to the UI thread), then
// the thread is joined.
void ClosePictureViews() {
  for (PictureView* view : {&PatternView, &ScreenShotView}) {
    if (!view->thread.joinable()) continue;
    AskToClose(*view);
    ProcessEventsUntil([view] { return !view->running; });
    view->thread.join();
  }
}
