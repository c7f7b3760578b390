// Emulate on the demo cartridge with the real boards: frames reach the game
// window as the runner draws them, keys drive the first pad, the frame-rate
// figure, the ways emulation ends, and what is refused meanwhile.
#include "emulation/emulate.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/tool_commands.h"
#include "emulation/emulate_thread.h"
#include "emulation/owner.h"
#include "emulation/picture_png.h"
#include "io/joystick.h"
#include "platform/message_box.h"
#include "platform/ui_thread.h"
#include "ppu/dx.h"
#include "ppu/font.h"

namespace {

std::string ProgramDirectory_() {
  const char* directory = std::getenv("TAVIRO_PROGRAM_DIR");
  return directory != nullptr ? directory : TAVIRO_PROGRAM_DIR_DEFAULT;
}

// Processes the UI's events until done() or ten seconds have passed.
bool WaitFor(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  ProcessEventsUntil([&] { return done() || std::chrono::steady_clock::now() > deadline; });
  return done();
}

unsigned long ShownFrame() {
  return GameWindowDisplay()->Shown().frame;
}

bool PadIsIdle(const Joystick& pad) {
  for (int button = 0; button < 8; ++button)
    if (pad.GetButton(button) != 0) return false;
  return true;
}

// The real debugger dialog with the demo cartridge loaded; Emulate is its
// command 221.
class EmulateTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHook([this](const MessageRecord& record) { messages.push_back(record); });
    SetBoardDirectory(ProgramDirectory_());
    dialog = CreateModelessDialog(DebugDialog, nullptr, Debug_DlgProc());
    Debug_LoadImage(dialog, ProgramDirectory_() + "/../roms/demo.nes");
    ASSERT_TRUE(ImageLoaded());
  }

  void TearDown() override {
    if (hWndMain != nullptr) SendCloseRequest(hWndMain);
    ProcessEventsUntil([] { return true; });
    SetMessageHook(nullptr);
    UnloadBoard();
    DisplayBackground = DisplaySprites = 1;
    for (int button = 0; button < 8; ++button) Joy1.ClearButton(button);
  }

  // Emulate, then wait until the window shows frames.
  void Start() {
    Debug_OnCommand(dialog, IDC_EMULATE, nullptr, 0);
    ASSERT_TRUE(EmulateThreadRunning());
    // The window is shown by a call posted from the emulation thread, which
    // may flip its first frames before the UI thread has run it.
    ASSERT_TRUE(WaitFor([] {
      return hWndDD != nullptr && ShownFrame() >= 2 && static_cast<QWidget*>(hWndDD)->isVisible();
    }));
    window = static_cast<QWidget*>(hWndDD);
  }

  void WaitFrames(unsigned long count) {
    const unsigned long until = ShownFrame() + count;
    ASSERT_TRUE(WaitFor([until] { return ShownFrame() >= until; }));
  }

  void Key(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           bool repeat = false) {
    ASSERT_FALSE(window.isNull());
    QKeyEvent event(type, key, modifiers, QString(), repeat);
    QCoreApplication::sendEvent(window, &event);
  }

  // Ends emulation the way end() asks, then lets the debugger catch up: it
  // offers Emulate again once it has shown the registers.
  void End(const std::function<void()>& end) {
    end();
    ASSERT_TRUE(WaitFor(
        [this] { return !EmulateThreadRunning() && IsCommandEnabled(dialog, IDC_EMULATE); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void Escape() {
    End([this] { Key(QEvent::KeyPress, Qt::Key_Escape); });
  }

  WindowHandle dialog = nullptr;
  QPointer<QWidget> window;
  std::vector<MessageRecord> messages;
};

TEST_F(EmulateTest, FramesReachTheWindowAsTheRunnerDrawsThem) {
  Start();
  EXPECT_EQ(window->windowTitle(), "Emulate");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->parentWidget(), dialog) << "owned by the debugger";
  EXPECT_TRUE(WaitFor([this] { return window->cursor().shape() == Qt::BlankCursor; }));
  WaitFrames(20);  // well inside the first second: no frame-rate text yet
  Escape();
  EXPECT_TRUE(window.isNull()) << "the game window is gone";
  EXPECT_EQ(hWndDD, nullptr);
  EXPECT_EQ(DDrawRunning, 0);
  EXPECT_TRUE(Machine.Free());
  EXPECT_TRUE(Surfaces.Free());
  char pc[8];
  std::snprintf(pc, sizeof pc, "0x%04X", CPU.PC);
  EXPECT_EQ(GetDlgItemText(dialog, IDC_PC), pc) << "the debugger shows where the frame ended";

  const PictureSnapshot shown = GameWindowDisplay()->Shown();
  const std::string png = testing::TempDir() + "game_window_frame.png";
  const std::string command = ProgramDirectory_() + "/taviro-run --frames " +
                              std::to_string(shown.frame) + " --screenshot " + png + " " +
                              ProgramDirectory_() + "/../roms/demo.nes";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  RgbPicture expected;
  ASSERT_TRUE(LoadRgbPng(png.c_str(), expected));
  RgbPicture actual = SurfaceToRgb(shown.pixels.data(), SurfaceWidth, shown.palette.data());
  // A slow machine may have counted a whole second: the runner draws no figure.
  for (int y = 0; y < FontCellHeight; ++y)
    for (size_t x = 0; x < std::strlen(FrameCount) * FontCellWidth * 3; ++x)
      actual.rgb[y * SurfaceWidth * 3 + x] = expected.rgb[y * SurfaceWidth * 3 + x];
  EXPECT_TRUE(actual.rgb == expected.rgb) << "frame " << shown.frame;
}

TEST_F(EmulateTest, KeysDriveTheFirstPadOnly) {
  Start();
  Key(QEvent::KeyPress, Qt::Key_X);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(0) == 1; }));
  WaitFrames(3);
  EXPECT_EQ(Joy1.GetButton(0), 1) << "held until released";
  Key(QEvent::KeyRelease, Qt::Key_X);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(0) == 0; }));

  Key(QEvent::KeyPress, Qt::Key_A);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(2) == 1; })) << "A is Select";
  Key(QEvent::KeyRelease, Qt::Key_A);

  // The window loses the focus while Z is down: its key-up will go elsewhere.
  Key(QEvent::KeyPress, Qt::Key_Z);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(1) == 1; }));
  QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(window, &focusOut);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(1) == 0; }));

  for (int key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down})
    Key(QEvent::KeyPress, key);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(4) + Joy1.GetButton(5) == 2; }));
  EXPECT_TRUE(PadIsIdle(Joy2)) << "the arrows never reach the second pad";

  // Unknown keys, then Escape with the arrows still held: all let go.
  Key(QEvent::KeyPress, Qt::Key_Q);
  Key(QEvent::KeyRelease, Qt::Key_Q);
  WaitFrames(4);
  EXPECT_EQ(Joy1.GetButton(0) + Joy1.GetButton(1) + Joy1.GetButton(2) + Joy1.GetButton(3), 0);
  EXPECT_EQ(DisplayBackground + DisplaySprites, 2);
  Joy1.SetButton(3);  // Start, from the debugger's check box
  Escape();
  EXPECT_EQ(Joy1.GetButton(3), 1) << "a button the keys did not press stays";
  Joy1.ClearButton(3);
  EXPECT_TRUE(PadIsIdle(Joy1));
}

TEST_F(EmulateTest, MainRowDigitsSwitchLayersOncePerKeyDown) {
  Start();
  Key(QEvent::KeyPress, Qt::Key_1);
  ASSERT_TRUE(WaitFor([] { return DisplayBackground == 0; }));
  Key(QEvent::KeyRelease, Qt::Key_1, Qt::NoModifier, true);  // X11's repeat: dropped
  Key(QEvent::KeyPress, Qt::Key_1, Qt::NoModifier, true);
  ASSERT_TRUE(WaitFor([] { return DisplayBackground == 1; })) << "a repeat toggles again";
  Key(QEvent::KeyPress, Qt::Key_2);
  ASSERT_TRUE(WaitFor([] { return DisplaySprites == 0; }));
  Key(QEvent::KeyPress, Qt::Key_1, Qt::KeypadModifier);
  Key(QEvent::KeyPress, Qt::Key_2, Qt::KeypadModifier);
  WaitFrames(4);
  EXPECT_EQ(DisplayBackground, 1) << "the keypad's 1 is another key";
  EXPECT_EQ(DisplaySprites, 0);
  Escape();
}

TEST_F(EmulateTest, FrameRateFigureComesAfterASecondAndAfreshEachRun) {
  Start();
  WaitFrames(75);
  const PictureSnapshot shown = GameWindowDisplay()->Shown();
  Escape();
  // sscanf rather than std::regex: g++ 12 warns falsely inside <regex>
  // under the sanitizer flags, and CI treats warnings as errors.
  int figure = 0;
  char end = 0;
  ASSERT_EQ(std::sscanf(FrameCount, "FPS = %d%c", &figure, &end), 1) << FrameCount;
  EXPECT_GT(figure, 0);
  // The figure is on the frame that was shown: white text at the top left.
  bool white = false;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const tagPALETTEENTRY& colour = shown.palette[shown.pixels[y * SurfaceWidth + x]];
      white |= colour.peRed > 200 && colour.peGreen > 200 && colour.peBlue > 200;
    }
  EXPECT_TRUE(white);

  Start();
  WaitFrames(5);
  Escape();
  EXPECT_STREQ(FrameCount, "") << "a new run counts its own first second";
}

TEST_F(EmulateTest, CloseBoxEndsEmulationAndTheNextRunContinues) {
  Start();
  Key(QEvent::KeyPress, Qt::Key_X);
  ASSERT_TRUE(WaitFor([] { return Joy1.GetButton(0) == 1; }));
  End([this] { window->close(); });
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(Joy1.GetButton(0), 0) << "the held button is let go";
  EXPECT_TRUE(Machine.Free());
  const unsigned frames = CPU.Memory[0x10] | CPU.Memory[0x11] << 8;  // the demo's own count

  Start();
  WaitFrames(5);
  Escape();
  EXPECT_GE(CPU.Memory[0x10] | CPU.Memory[0x11] << 8, frames + 5);
}

TEST_F(EmulateTest, WhileEmulationRunsTheDebuggerLeavesTheMachineAlone) {
  Start();
  EXPECT_TRUE(Machine.HeldBy(MachineHolder::EmulationThread));
  EXPECT_TRUE(Surfaces.HeldBy(SurfaceHolder::GameWindow));
  ASSERT_TRUE(WaitFor([this] { return !IsCommandEnabled(dialog, IDC_EMULATE); }));
  for (int id : {IDC_STEP, IDC_RESET, IDC_LOADROM, IDC_RUNTO})
    EXPECT_FALSE(IsCommandEnabled(dialog, id)) << "command " << id;
  Debug_Emulate(dialog);  // as if it were pressed all the same
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Taviro");
  EXPECT_EQ(static_cast<QWidget*>(hWndDD), window.data()) << "no second game window";

  SendCloseRequest(dialog);  // closing the debugger ends emulation first
  EXPECT_EQ(hWndMain, nullptr);
  EXPECT_FALSE(EmulateThreadRunning());
  EXPECT_TRUE(Machine.Free());
  EXPECT_EQ(DDrawRunning, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST_F(EmulateTest, SurfacesHeldByAViewAreNotOpenedTwice) {
  ASSERT_TRUE(Surfaces.TryTake(SurfaceHolder::PatternView));
  Debug_OnCommand(dialog, IDC_EMULATE, nullptr, 0);
  Surfaces.Give(SurfaceHolder::PatternView);
  EXPECT_FALSE(EmulateThreadRunning());
  EXPECT_TRUE(Machine.Free());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, MessageIcon::Exclamation);
}

TEST_F(EmulateTest, DisplayThatCannotOpenLeavesAMessageAndNoWindow) {
  DDrawFailAtStep(3);  // the display mode
  Debug_OnCommand(dialog, IDC_EMULATE, nullptr, 0);
  window = static_cast<QWidget*>(hWndDD);
  ASSERT_TRUE(WaitFor([this] { return !EmulateThreadRunning() && !messages.empty(); }));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(messages[0].text, "Error Initializing DirectX\nCode(4)");
  EXPECT_EQ(messages[0].caption, "Taviro");
  EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
  EXPECT_EQ(hWndDD, nullptr);
  EXPECT_TRUE(window.isNull()) << "no game window is left";
  EXPECT_TRUE(Machine.Free());
  EXPECT_TRUE(Surfaces.Free());
}

}  // namespace
