// Reads for display while a thread runs the machine: the dumps, the four
// hex viewers, the picture windows and the register fields, during Run to
// and during the game window. The moment cartridge writes one counter to
// two places in each memory, the earlier place first, so a read that mixed
// two moments shows the later copy ahead of the earlier one or lagging it
// by more than one. make test-tsan runs these under ThreadSanitizer.
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "debugger/machine_controller.h"
#include "debugger/tool_commands.h"
#include "debugger/view_memory.h"
#include "debugger/view_pictures.h"
#include "emulation/emulate.h"
#include "emulation/emulate_thread.h"
#include "platform/hex_view_widget.h"
#include "platform/picture_window.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

// Between two instructions the later copy equals the earlier or lags it
// by one pass of the loop.
::testing::AssertionResult OneMoment(unsigned earlier, unsigned later) {
  if (later == earlier || later == ((earlier - 1) & 0xFF)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "earlier copy " << earlier << ", later copy " << later;
}

// The byte at offset of a dump file: "$%04X:" lines of 16 " %02X".
unsigned DumpedByte(const std::string& file, unsigned offset) {
  std::ifstream in(file);
  std::string line;
  for (unsigned i = 0; i <= offset / 16; ++i) std::getline(in, line);
  std::istringstream bytes(line.substr(6));
  unsigned value = 0;
  for (unsigned k = 0; k <= offset % 16; ++k) bytes >> std::hex >> value;
  return value;
}

class ReadsDuringARun : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    saved_ = std::filesystem::current_path();
    scratch_ =
        std::filesystem::temp_directory_path() / ("taviro-moment-" + std::to_string(::getpid()));
    std::filesystem::create_directories(scratch_);
    std::filesystem::current_path(scratch_);
    LoadThroughDialog(ProgramDir() + "/../roms/moment_test.nes");
    ASSERT_TRUE(machine::Loaded());
    // What earlier tests left in memory is not of this cartridge's making.
    ASSERT_TRUE(machine::Change([] {
      for (unsigned address : {0x10u, 0xF0u, 0x100u, 0x1E0u}) CPU.Memory[address] = 0;
      PPU.PPUMem[0x00] = PPU.PPUMem[0xF0] = 0;
      SPRRAM.SPR_RAM[0x00] = SPRRAM.SPR_RAM[0xF0] = 0;
    }));
    for (int id : {IDM_VIEW_CPUMEM, IDM_VIEW_PPUMEM, IDM_VIEW_STACK, IDM_VIEW_SPRITEMEM})
      Command(id);
    viewers = {hWndCpuMem, hWndPpuMem, hWndStackMem, hWndSpriteMem};
  }
  void TearDown() override {
    if (machine::RunToActive()) Command(IDC_RUNTO);  // Break
    WaitFor([] { return machine::Idle(); });
    DebuggerWindow::TearDown();
    std::filesystem::current_path(saved_);
    std::filesystem::remove_all(scratch_);
  }

  void RunForever() {
    ListBoxSetCurSel(dialog, IDC_LISTING, 0);  // the reset code, never run again
    Command(IDC_ADD_BREAKPOINT);
    Command(IDC_RUNTO);
    ASSERT_TRUE(machine::RunToActive());
  }

  // Every kind of read a user makes, each checked for one moment.
  void ReadEverything() {
    Command(IDM_DUMP_CPUMEM);
    EXPECT_TRUE(OneMoment(DumpedByte("TaviroCPU.dmp", 0x10), DumpedByte("TaviroCPU.dmp", 0xF0)));
    Command(IDM_DUMP_STACK);
    EXPECT_TRUE(OneMoment(DumpedByte("TaviroStk.dmp", 0x00), DumpedByte("TaviroStk.dmp", 0xE0)));
    Command(IDM_DUMP_PPUMEM);
    EXPECT_TRUE(OneMoment(DumpedByte("TaviroPPU.dmp", 0x00), DumpedByte("TaviroPPU.dmp", 0xF0)));

    machine::TellFollowers();  // every viewer looks at one moment
    for (WindowHandle viewer : viewers) static_cast<QWidget*>(viewer)->repaint();
    const auto& cpu = *ShownBytesOf(hWndCpuMem);
    const auto& stack = *ShownBytesOf(hWndStackMem);
    const auto& ppu = *ShownBytesOf(hWndPpuMem);
    const auto& sprite = *ShownBytesOf(hWndSpriteMem);
    EXPECT_TRUE(OneMoment(cpu[0x10], cpu[0xF0]));
    EXPECT_TRUE(OneMoment(cpu[0xF0], stack[0x00]));
    EXPECT_TRUE(OneMoment(stack[0x00], stack[0xE0]));
    EXPECT_TRUE(OneMoment(stack[0xE0], ppu[0x00]));
    EXPECT_TRUE(OneMoment(ppu[0x00], ppu[0xF0]));
    EXPECT_TRUE(OneMoment(ppu[0xF0], sprite[0x00]));
    EXPECT_TRUE(OneMoment(sprite[0x00], sprite[0xF0]));

    UpdateInfo(dialog);
    EXPECT_EQ(Text(IDC_PC).substr(0, 3), "0x8") << "PC inside the cartridge's loop";
    QCoreApplication::processEvents();  // the follow ticks and the run's own posts
  }

  std::vector<WindowHandle> viewers;

 private:
  std::filesystem::path saved_, scratch_;
};

TEST_F(ReadsDuringARun, DumpsViewersAndRegistersSeeOneMomentOfRunTo) {
  RunForever();
  const unsigned char first = (*ShownBytesOf(hWndCpuMem))[0x10];
  EXPECT_TRUE(WaitFor([first] { return (*ShownBytesOf(hWndCpuMem))[0x10] != first; }))
      << "the viewers follow the run by themselves";
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    ReadEverything();
  }
  EXPECT_TRUE(machine::RunToActive()) << "the reads never ended the run";
}

TEST_F(ReadsDuringARun, DumpsViewersAndRegistersSeeOneMomentOfTheGameWindow) {
  Command(IDC_EMULATE);
  ASSERT_TRUE(WaitFor([] {
    return hWndDD != nullptr && GameWindowDisplay() && GameWindowDisplay()->Shown().frame >= 2;
  }));
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(round);
    ReadEverything();
  }
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(static_cast<QWidget*>(hWndDD), &escape);
  EXPECT_TRUE(WaitFor([] { return machine::Idle() && !EmulateThreadRunning(); }));
}

// Pixels of the changed bytes' yellow ground in one byte's column of a line.
int HighlightedPixels(WindowHandle viewer, int line, int k) {
  QWidget* canvas = qobject_cast<TextWindow*>(static_cast<QWidget*>(viewer))->Canvas();
  const QImage image = canvas->grab().toImage();
  const int yChar = LayoutOf(viewer)->yChar;
  int count = 0;
  for (int y = line * yChar; y < (line + 1) * yChar; ++y)
    for (int x = ByteX(k); x < ByteX(k) + 24; ++x)
      if (image.pixelColor(x, y) == QColor(255, 224, 96)) ++count;
  return count;
}

// A step that changes a byte shows it highlighted until the next look.
TEST_F(ReadsDuringARun, ViewersFollowAStepAndHighlightWhatChanged) {
  while (CPU.Memory[0x10] == 0) Command(IDC_STEP);  // up to the first inc
  EXPECT_GT(HighlightedPixels(hWndCpuMem, 1, 0), 0) << "$0010 changed";
  EXPECT_EQ(HighlightedPixels(hWndCpuMem, 1, 1), 0) << "$0011 did not";
  EXPECT_EQ(HighlightedPixels(hWndStackMem, 0, 0), 0);
  Command(IDC_STEP);  // lda counter: no memory changes
  EXPECT_EQ(HighlightedPixels(hWndCpuMem, 1, 0), 0);
}

// A picture view keeps the surfaces, not the machine, once it has drawn:
// its window repaints from its own copy while Run to goes on.
TEST_F(ReadsDuringARun, PictureWindowsRepaintWhileRunToRuns) {
  Command(IDM_VIEW_PATTERN);
  ASSERT_TRUE(WaitFor([] { return PatternViewDisplay() != nullptr && machine::Idle(); }));
  RunForever();
  QWidget* picture = static_cast<QWidget*>(PatternViewDisplay()->Window());
  for (int round = 0; round < 10; ++round) {
    picture->repaint();
    ReadEverything();
  }
  EXPECT_TRUE(machine::RunToActive());
}

}  // namespace
