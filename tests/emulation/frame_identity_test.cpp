// Passing a waiting loop's time at once must leave the machine exactly as
// executing every instruction does, and composing the picture must change
// nothing in it. Our own cartridges and, when the
// checkout has them beside it, the outside cartridges of ../shared/bench-roms
// (never copied into the project) run with the shortcut on and off, and the
// whole machine is compared after every frame.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "cpu/waiting_loop.h"
#include "emulation/emulate.h"
#include "tests/cart/ines_image.h"
#include "tests/emulation/cartridge_fixture.h"
#include "tests/emulation/machine_state.h"

namespace {

class FrameIdentity : public CartridgeTest {
 protected:
  void TearDown() override {
    cpu::SkipWaitingLoops = true;
    CartridgeTest::TearDown();
  }

  void Start() {
    ClearPortsAndRecords();
    ASSERT_EQ(LoadImageAndReset(path_.c_str()), 0) << path_;
  }

  // composing: NESMain, as the game window runs; otherwise RunCpu alone,
  // as the runner does when nobody asks for the picture (which is then
  // left out of the states).
  std::vector<MachineState> RunFrames(int frames, bool skipping, bool composing = true) {
    cpu::SkipWaitingLoops = skipping;
    Start();
    std::vector<MachineState> states;
    for (int frame = 0; frame < frames; ++frame) {
      if (composing) {
        NESMain();
      } else {
        RunCpu();
      }
      states.push_back(CaptureMachine());
      if (!composing) states.back().picture = 0;
    }
    return states;
  }

  // One frame an instruction at a time, recording each visible line's
  // scroll as the run loop does when the line ends.
  static void StepFrame() {
    for (;;) {
      const bool visible = NumScanlines == 240;
      const unsigned char line = PPU.Scanline;
      StepCpu();
      if (!visible) continue;
      if (PPU.Scanline != line || NumScanlines != 240) RecordScanlineScroll(line);
      if (NumScanlines != 240) return;
    }
  }
};

TEST_P(FrameIdentity, SkippingWaitingLoopsChangesNoFrame) {
  constexpr int kFrames = 600;
  const std::vector<MachineState> executed = RunFrames(kFrames, false);
  const std::vector<MachineState> skipped = RunFrames(kFrames, true);
  for (int frame = 0; frame < kFrames; ++frame)
    ASSERT_EQ(skipped[frame], executed[frame]) << "frame " << frame;
}

TEST_P(FrameIdentity, ComposingThePictureChangesNoFrame) {
  constexpr int kFrames = 600;
  std::vector<MachineState> composed = RunFrames(kFrames, true, true);
  const std::vector<MachineState> bare = RunFrames(kFrames, true, false);
  for (int frame = 0; frame < kFrames; ++frame) {
    composed[frame].picture = 0;
    ASSERT_EQ(bare[frame], composed[frame]) << "frame " << frame;
  }
}

// RunCpu, waiting loops and all, against StepCpu from every cycle at which a
// frame can start within its scanline.
TEST_P(FrameIdentity, RunLoopFrameEqualsSteppedFrameFromEveryStartingCycle) {
  constexpr int kSettlingFrames = 40;
  for (unsigned int start = 0; start < 112; ++start) {
    MachineState stepped{}, run{};
    for (bool byRunLoop : {false, true}) {
      Start();
      for (int frame = 0; frame < kSettlingFrames; ++frame) RunCpu();
      CPU.Cycles = start;
      if (byRunLoop) {
        RunCpu();
        run = CaptureMachine();
      } else {
        StepFrame();
        stepped = CaptureMachine();
      }
    }
    ASSERT_EQ(run, stepped) << "starting at cycle " << start;
  }
}

INSTANTIATE_TEST_SUITE_P(OurCartridges, FrameIdentity, OurCartridges(), CartridgeName);
INSTANTIATE_TEST_SUITE_P(OutsideCartridges, FrameIdentity, OutsideCartridges(), CartridgeName);

}  // namespace
