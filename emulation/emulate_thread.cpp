#include "emulation/emulate_thread.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#include "emulation/emulate.h"
#include "emulation/keyboard.h"
#include "emulation/pause_gate.h"
#include "platform/message_box.h"
#include "platform/ui_thread.h"
#include "ppu/display.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"

unsigned int StartFrame = 0;
unsigned int EndFrame = 0;
unsigned int TotalTime = 0;
WindowHandle hWndDD = nullptr;

namespace {

struct WindowMessage {
  unsigned int message;
  unsigned long wParam;
};

// The game window's message queue: filled on the UI thread, emptied one
// message a pass on the emulation thread.
std::mutex queueMutex;
std::deque<WindowMessage> queue;

std::optional<WindowMessage> TakeMessage() {
  std::lock_guard lock(queueMutex);
  if (queue.empty()) return std::nullopt;
  const WindowMessage message = queue.front();
  queue.pop_front();
  return message;
}

void ClearMessages() {
  std::lock_guard lock(queueMutex);
  queue.clear();
}

// Set by the starter before the thread exists, then read by the thread;
// the UI thread changes them again only after joining it.
std::thread emulateThread;
std::shared_ptr<PictureDisplay> gameDisplay;
WindowHandle gameWindow = nullptr;  // hWndDD as the thread knows it
WindowHandle gameOwner = nullptr;
PauseGate* gameGate = nullptr;
std::function<void()> gameEnded;
EmulateHooks gameHooks;

std::atomic<bool> running{false};
std::atomic<bool> stopRequested{false};
bool closing = false;  // emulation thread only: CloseEmulate has run

unsigned int Ticks() {
  using namespace std::chrono;
  return static_cast<unsigned int>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The window is gone on the UI thread; forget its handle there, unless a
// later start has already put another one in its place.
void ForgetWindow(WindowHandle window) {
  PostToUiThread([window] {
    if (hWndDD == window) hWndDD = nullptr;
  });
}

// A run starts its own count: no figure from the last run is shown.
void StartFrameCount() {
  FrameCount[0] = '\0';
  Frames = 0;
  TotalTime = 0;
  StartFrame = EndFrame = Ticks();
}

void ToggleLayer(std::atomic<int>& flag) {
  flag.store(flag.load() == 0 ? 1 : 0);
}

void CountFrameTime() {
  EndFrame = Ticks();
  TotalTime += EndFrame - StartFrame;
  if (TotalTime >= 1000) {
    std::snprintf(FrameCount, sizeof FrameCount, "FPS = %d", static_cast<int>(Frames));
    Frames = 0;
    TotalTime = 0;
  }
}

// The last thing the thread does: its starter hears of the end.
void ReportEnd() {
  const std::function<void()> ended = std::move(gameEnded);
  gameEnded = nullptr;
  if (ended) ended();
  running = false;
}

bool OpenSurfaces(WindowHandle window) {
  UseDisplay(gameDisplay.get());
  const int code = OpenVideoSurfaces(window);
  if (code == 0) return true;
  DirectDrawClose();
  UseDisplay(nullptr);
  gameDisplay->Destroy();
  ForgetWindow(window);
  char text[64];
  std::snprintf(text, sizeof text, "Error Initializing DirectX\nCode(%d)", code);
  ShowMessage(gameOwner, text, "Taviro", MessageIcon::Stop);
  return false;
}

std::function<void()> frameRan;    // set on the UI thread before the thread starts
std::function<void()> inputTaken;  // likewise

void RunFrames(WindowHandle window) {
  closing = false;
  StartFrameCount();
  while (!closing) {
    gameGate->Boundary();  // readers look between two frames
    StartFrame = Ticks();
    if (stopRequested) {
      CloseEmulate();
      break;
    }
    if (const std::optional<WindowMessage> message = TakeMessage()) {
      Emulate_WndProc(window, message->message, message->wParam, 0);
      if (closing) break;            // no frame after Escape: the registers stay put
      if (inputTaken) inputTaken();  // a key lands at the frame's start
    }
    NESMain();
    if (frameRan) frameRan();
    CountFrameTime();
    if (gameHooks.stopAfterFrame && gameHooks.stopAfterFrame()) {
      CloseEmulate();
      break;
    }
  }
}

}  // namespace

void SetFrameObserver(std::function<void()> ran, std::function<void()> input) {
  frameRan = std::move(ran);
  inputTaken = std::move(input);
}

bool StartEmulateThread(WindowHandle owner, PauseGate& gate, std::function<void()> ended,
                        EmulateHooks hooks) {
  if (emulateThread.joinable()) emulateThread.join();  // the last run has ended
  PictureWindowOptions options;
  options.title = "Emulate";
  options.owner = owner;
  options.textFollowsFlip = true;  // the frame-rate figure is drawn after each flip
  options.onKeyDown = [](unsigned int key) { PostEmulateMessage(WM_KEYDOWN, key); };
  options.onKeyUp = [](unsigned int key) { PostEmulateMessage(WM_KEYUP, key); };
  options.onFocusLost = [] { PostEmulateMessage(WM_KILLFOCUS, 0); };
  options.onClose = [] { PostEmulateMessage(WM_CLOSE, 0); };
  gameDisplay = CreatePictureWindow(options);
  hWndDD = gameWindow = gameDisplay ? gameDisplay->Window() : nullptr;
  gameOwner = owner;
  gameGate = &gate;
  gameEnded = std::move(ended);
  gameHooks = std::move(hooks);
  ClearMessages();
  stopRequested = false;
  running = true;
  try {
    emulateThread = std::thread([] { EmulateThreadProc(nullptr); });
  } catch (const std::system_error&) {
    running = false;
    gameEnded = nullptr;
    if (gameDisplay) gameDisplay->Destroy();
    hWndDD = gameWindow = nullptr;
    return false;
  }
  return true;
}

void StopEmulateThread() {
  if (!emulateThread.joinable()) return;
  stopRequested = true;
  ProcessEventsUntil([] { return !running; });
  // The thread's own end, posted to the UI thread, may have run inside the
  // wait above and joined it already.
  if (emulateThread.joinable()) emulateThread.join();
  stopRequested = false;
}

bool EmulateThreadRunning() {
  return running;
}

unsigned int EmulateThreadProc(void* /*parameter*/) {
  if (gameDisplay == nullptr || gameWindow == nullptr) {  // no window: end without a word
    ReportEnd();
    return 0;
  }
  gameDisplay->Show();
  if (!OpenSurfaces(gameWindow)) {
    ReportEnd();
    return 0;
  }
  ClearScreen(0);
  gameDisplay->Focus();
  if (gameHooks.begin) gameHooks.begin();
  RunFrames(gameWindow);
  if (gameHooks.end) gameHooks.end();
  ReportEnd();
  return 0;
}

long Emulate_WndProc(WindowHandle /*window*/, unsigned int message, unsigned long wParam,
                     long /*lParam*/) {
  switch (message) {
    case WM_KEYDOWN:
      switch (Emulate_KeyDown(static_cast<unsigned int>(wParam))) {
        case KeyRequest::End:
          CloseEmulate();  // which lets go of the buttons too
          break;
        case KeyRequest::SwitchBackground:
          ToggleLayer(DisplayBackground);
          break;
        case KeyRequest::SwitchSprites:
          ToggleLayer(DisplaySprites);
          break;
        case KeyRequest::None:
          break;
      }
      break;
    case WM_KEYUP:
      Emulate_KeyUp(static_cast<unsigned int>(wParam));
      break;
    case WM_KILLFOCUS:
      ReleaseHeldButtons();
      break;
    case WM_CLOSE:
      ReleaseHeldButtons();
      CloseEmulate();
      break;
    default:
      break;
  }
  return 0;
}

void CloseEmulate() {
  ReleaseHeldButtons();
  DirectDrawClose();
  UseDisplay(nullptr);
  gameDisplay->Destroy();  // the mouse pointer comes back with it
  ForgetWindow(gameWindow);
  closing = true;
}

void PostEmulateMessage(unsigned int message, unsigned long wParam) {
  std::lock_guard lock(queueMutex);
  queue.push_back(WindowMessage{message, wParam});
}

std::shared_ptr<PictureDisplay> GameWindowDisplay() {
  return gameDisplay;
}
