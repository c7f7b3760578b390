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

// Back over two emulated frames: the instruction before a frame start is
// found by running the frame again, one instruction short.
TEST_P(Going, StepBackOverEmulatedFramesLandsOneInstructionShort) {
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  std::vector<std::vector<unsigned char>> frameStarts;
  for (int frame = 0; frame < 5; ++frame) {
    PressFor(frame);
    NESMain();
    history.RanFrame();
    frameStarts.push_back(Snapshot());
  }
  // Each Step Back is one instruction, as the run loop runs it, short of
  // where the machine stood.
  std::vector<unsigned char> later = frameStarts[4];
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

TEST_F(OnTheDemo, RunBackFindsTheLastFrameStartAtTheNmiHandler) {
  MachineHistory history;
  ASSERT_TRUE(history.Start());
  std::vector<std::vector<unsigned char>> frameStarts;
  for (int frame = 0; frame < 10; ++frame) {
    NESMain();
    history.RanFrame();
    frameStarts.push_back(Snapshot());
  }
  const unsigned short handler = CPU.PC;  // the NMI has just been taken
  ASSERT_TRUE(history.RunBack(handler));
  EXPECT_EQ(Snapshot(), frameStarts[8]);
  ASSERT_TRUE(history.RunBack(handler));
  EXPECT_EQ(Snapshot(), frameStarts[7]);
  // An address the program never reaches: refused, nothing moves.
  const std::vector<unsigned char> now = Snapshot();
  EXPECT_FALSE(history.RunBack(0x0001));
  EXPECT_EQ(Snapshot(), now);
}

TEST_F(OnTheDemo, HistoryKeepsToItsFramesAndItsBytes) {
  MachineHistory frames;
  constexpr std::size_t kSmall = std::size_t{2} << 20;
  MachineHistory bytes(MachineHistory::kDefaultEntries, kSmall);
  ASSERT_TRUE(frames.Start());
  ASSERT_TRUE(bytes.Start());
  for (int frame = 0; frame < 700; ++frame) {
    PressFor(frame);
    NESMain();
    frames.RanFrame();
    bytes.RanFrame();
  }
  EXPECT_GE(frames.Entries(), MachineHistory::kDefaultEntries);
  EXPECT_LT(frames.Entries(), MachineHistory::kDefaultEntries + 60);
  EXPECT_LE(frames.PeakBytes(), MachineHistory::kDefaultBytes);
  EXPECT_LE(bytes.PeakBytes(), kSmall);
  EXPECT_GT(bytes.Entries(), 10u);
  EXPECT_TRUE(bytes.StepBack());
}

}  // namespace
