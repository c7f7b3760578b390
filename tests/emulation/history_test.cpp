// Going back: a run from a snapshot with the same presses gives the same
// machine, byte for byte, on our cartridges and the outside ones; Step Back
// and Run back land exactly where the machine was; the history keeps to
// its budget.

#include "cart/history.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cart/machine_snapshot.h"
#include "cpu/cpu.h"
#include "cpu/watch.h"
#include "emulation/emulate.h"
#include "ppu/video_open.h"
#include "tests/cart/ines_image.h"
#include "tests/emulation/cartridge_fixture.h"
#include "tests/emulation/machine_state.h"

namespace {

std::vector<unsigned char> Snapshot() {
  std::vector<unsigned char> bytes;
  EXPECT_EQ(SaveMachine(bytes), SnapshotRefusal::None);
  return bytes;
}

// Buttons change every few frames, in a pattern that covers all eight.
void PressFor(int frame) {
  for (int button = 0; button < 8; ++button) {
    if ((frame / 7 + button) % 3 == 0)
      Joy1.SetButton(button);
    else
      Joy1.ClearButton(button);
  }
}

void Start(const std::string& path) {
  ClearPortsAndRecords();
  ASSERT_EQ(LoadImageAndReset(path.c_str()), 0) << path;
}

class Going : public CartridgeTest {
 protected:
  void SetUp() override {
    CartridgeTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Start(path_);
  }
};

TEST_P(Going, ReplayFromASnapshotGivesTheSameMachine) {
  constexpr int kFrames = 300;
  for (int frame = 0; frame < 20; ++frame) NESMain();
  const std::vector<unsigned char> start = Snapshot();
  std::vector<MachineState> first;
  for (int frame = 0; frame < kFrames; ++frame) {
    PressFor(frame);
    NESMain();
    first.push_back(CaptureMachine());
  }
  const std::vector<unsigned char> end = Snapshot();

  ASSERT_EQ(RestoreMachine(start.data(), start.size()), SnapshotRefusal::None);
  for (int frame = 0; frame < kFrames; ++frame) {
    PressFor(frame);
    NESMain();
    ASSERT_EQ(CaptureMachine(), first[frame]) << "frame " << frame;
  }
  EXPECT_EQ(Snapshot(), end);
}

// Back over emulated frames with presses recorded, across the frames
// between two snapshots: the instruction before a frame start is found by
// running the frames again, one instruction short.
TEST_P(Going, StepBackOverEmulatedFramesLandsOneInstructionShort) {
  constexpr int kFrames = MachineHistory::kFramesPerSnapshot * 2 + 5;
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  std::vector<unsigned char> end;
  for (int frame = 0; frame < kFrames; ++frame) {
    PressFor(frame);
    history.Pressed();
    NESMain();
    history.RanFrame();
  }
  // Each Step Back is one instruction, as the run loop runs it, short of
  // where the machine stood.
  std::vector<unsigned char> later = Snapshot();
  for (int back = 1; back <= 2; ++back) {
    ASSERT_TRUE(history.StepBack());
    const std::vector<unsigned char> before = Snapshot();
    ASSERT_NE(before, later);
    StepAsRunLoop();
    EXPECT_EQ(Snapshot(), later) << "after Step Back " << back;
    ASSERT_EQ(RestoreMachine(before.data(), before.size()), SnapshotRefusal::None);
    later = before;
  }
}

INSTANTIATE_TEST_SUITE_P(OurCartridges, Going, OurCartridges(), CartridgeName);
INSTANTIATE_TEST_SUITE_P(OutsideCartridges, Going, OutsideCartridges(), CartridgeName);

class OnTheDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramBuildDirectory());
    ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
    Start(std::string(TAVIRO_ROM_DIR) + "/demo.nes");
  }
  void TearDown() override {
    DirectDrawClose();
    UnloadBoard();
    SetBoardDirectory("");
  }

  void Step(MachineHistory& history) {
    const bool visible = NumScanlines == 240;
    StepCpu();
    history.Stepped(visible && NumScanlines != 240);
  }
};

TEST_F(OnTheDemo, StepBackUndoesEachOfTheFirst200Steps) {
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  std::vector<std::vector<unsigned char>> before;
  for (int i = 0; i < 200; ++i) {
    before.push_back(Snapshot());
    Step(history);
    // Back and forth once: a step after Step Back goes on from there.
    ASSERT_TRUE(history.StepBack());
    ASSERT_EQ(Snapshot(), before.back()) << "step " << i;
    Step(history);
  }
  for (int i = 199; i >= 0; --i) {
    ASSERT_TRUE(history.StepBack()) << "step " << i;
    ASSERT_EQ(Snapshot(), before[i]) << "step " << i;
  }
  EXPECT_FALSE(history.StepBack());
  EXPECT_EQ(Snapshot(), before[0]);
}

// An input starts a new entry: stepping back over it undoes it.
TEST_F(OnTheDemo, StepBackUndoesAMemoryEditAfterTheStepsThatFollowed) {
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  for (int i = 0; i < 10; ++i) Step(history);
  const std::vector<unsigned char> beforeEdit = Snapshot();
  write_mem(0x0042, 0x99);
  history.Mark();
  const std::vector<unsigned char> afterEdit = Snapshot();
  for (int i = 0; i < 5; ++i) Step(history);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(history.StepBack());
  EXPECT_EQ(Snapshot(), afterEdit);
  ASSERT_TRUE(history.StepBack());
  EXPECT_NE(CPU.Memory[0x0042], 0x99);
  // Nine steps from the start: the tenth brings back the machine the edit found.
  StepCpu();
  EXPECT_EQ(Snapshot(), beforeEdit);
}

// Frame starts between snapshots, each with its own presses: Run back to
// the NMI handler lands on each of them exactly, back to the first one.
TEST_F(OnTheDemo, RunBackFindsEachFrameStartAtTheNmiHandler) {
  constexpr int kFrames = MachineHistory::kFramesPerSnapshot * 2 + 3;
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  std::vector<std::vector<unsigned char>> frameStarts;
  for (int frame = 0; frame < kFrames; ++frame) {
    PressFor(frame);
    history.Pressed();
    NESMain();
    history.RanFrame();
    frameStarts.push_back(Snapshot());
  }
  const unsigned short handler = CPU.PC;  // the NMI has just been taken
  // The demo turns the NMI on during its first two frames.
  for (int frame = kFrames - 2; frame >= 2; --frame) {
    ASSERT_TRUE(history.RunBack(handler)) << "frame " << frame;
    ASSERT_EQ(Snapshot(), frameStarts[frame]) << "frame " << frame;
  }
  // An address the program never reaches: refused, nothing moves.
  const std::vector<unsigned char> now = Snapshot();
  EXPECT_FALSE(history.RunBack(0x0001));
  EXPECT_EQ(Snapshot(), now);
}

// Steps after frames of the run loop start an entry of their own: going
// back over them, then over the frames, finds each moment.
TEST_F(OnTheDemo, StepBackCrossesFromStepsIntoFrames) {
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  for (int frame = 0; frame < 3; ++frame) {
    NESMain();
    history.RanFrame();
  }
  const std::vector<unsigned char> frameStart = Snapshot();
  for (int i = 0; i < 5; ++i) Step(history);
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(history.StepBack());
  EXPECT_EQ(Snapshot(), frameStart);
  ASSERT_TRUE(history.StepBack());
  StepAsRunLoop();
  EXPECT_EQ(Snapshot(), frameStart);
}

// A breakpoint that stops the run loop partway through a frame: Step Back
// from there lands one instruction short of the stop, not of the frame's
// end, once the breakpoint is gone.
TEST_F(OnTheDemo, StepBackFromABreakpointStopInsideAFrame) {
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  for (int frame = 0; frame < 4; ++frame) {
    PressFor(frame);
    history.Pressed();
    NESMain();
    history.RanFrame();
  }
  // Where the NMI handler is ten instructions on: the breakpoint.
  const std::vector<unsigned char> frameStart = Snapshot();
  for (int i = 0; i < 10; ++i) StepAsRunLoop();
  const unsigned short inHandler = CPU.PC;
  ASSERT_EQ(RestoreMachine(frameStart.data(), frameStart.size()), SnapshotRefusal::None);
  cpu::watch::SetListener([](const cpu::watch::Access&) { return true; });
  cpu::watch::Watch(inHandler, cpu::watch::kExecute);
  PressFor(4);
  history.Pressed();
  RunCpu();
  ASSERT_TRUE(cpu::watch::Stopped());
  history.StoppedInFrame();
  cpu::watch::ClearAll();
  cpu::watch::TakeStop();
  const std::vector<unsigned char> stop = Snapshot();

  ASSERT_TRUE(history.StepBack());
  const std::vector<unsigned char> before = Snapshot();
  Step(history);  // in vertical blank, where Step runs as the run loop does
  EXPECT_EQ(Snapshot(), stop);
  ASSERT_TRUE(history.StepBack());
  EXPECT_EQ(Snapshot(), before);
}

// A long run reported in stretches, as the run thread reports them: Step
// Back lands one instruction short of its end, from a snapshot taken within
// the run rather than at its start.
TEST_F(OnTheDemo, StepBackAfterALongRunLandsOneInstructionShort) {
  constexpr std::uint64_t kStretch = 1 << 20;
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  std::vector<unsigned char> beforeLast;
  for (int stretch = 0; stretch < 3; ++stretch) {
    for (std::uint64_t i = 0; i < kStretch; ++i) {
      if (stretch == 2 && i + 1 == kStretch) beforeLast = Snapshot();
      StepCpu();
    }
    history.Ran(kStretch);
  }
  EXPECT_GE(history.Entries(), 3u);
  ASSERT_TRUE(history.StepBack());
  EXPECT_EQ(Snapshot(), beforeLast);
}

TEST_F(OnTheDemo, HistoryKeepsToItsFramesAndItsBytes) {
  MachineHistory frames;
  constexpr std::size_t kSmall = std::size_t{2} << 20;
  MachineHistory bytes(MachineHistory::kDefaultFrames, kSmall);
  ASSERT_TRUE(frames.Start());
  ASSERT_TRUE(bytes.Start());
  for (int frame = 0; frame < 700; ++frame) {
    PressFor(frame);
    NESMain();
    frames.RanFrame();
    bytes.RanFrame();
  }
  EXPECT_GE(frames.Frames(), MachineHistory::kDefaultFrames);
  EXPECT_LT(frames.Frames(),
            MachineHistory::kDefaultFrames + 60 + MachineHistory::kFramesPerSnapshot);
  EXPECT_LE(frames.PeakBytes(), MachineHistory::kDefaultBytes);
  EXPECT_LE(bytes.PeakBytes(), kSmall);
  EXPECT_GT(bytes.Entries(), 10u);
  EXPECT_TRUE(bytes.StepBack());
}

}  // namespace
