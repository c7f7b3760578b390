// Going back through the debugger's own commands on the demo cartridge and
// its real plug-in: Step Back, Run back, and state files saved and loaded
// through the window, each refusal leaving the machine as it was.

#include <cstdio>
#include <fstream>

#include "cart/machine_snapshot.h"
#include "debugger/history_commands.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_history.h"
#include "debugger_fixture.h"
#include "io/joystick.h"

namespace {

std::vector<unsigned char> Snapshot() {
  std::vector<unsigned char> bytes;
  EXPECT_EQ(SaveMachine(bytes), SnapshotRefusal::None);
  return bytes;
}

class GoingBack : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    ASSERT_TRUE(machine::Loaded());
    messages.clear();
  }
  void TearDown() override {
    std::remove(statePath.c_str());
    DebuggerWindow::TearDown();
  }
  std::string statePath = testing::TempDir() + "taviro_history_test.tst";
};

TEST_F(GoingBack, StepBackUndoesEachOfTheFirst200StepsExactly) {
  std::vector<std::vector<unsigned char>> before;
  for (int i = 0; i < 200; ++i) {
    before.push_back(Snapshot());
    Command(IDC_STEP);
  }
  for (int i = 199; i >= 0; --i) {
    Command(IDM_STEP_BACK);
    ASSERT_EQ(Snapshot(), before[i]) << "after stepping back to instruction " << i;
  }
  EXPECT_TRUE(messages.empty());
  char pc[8];
  std::snprintf(pc, sizeof pc, "0x%04X", CPU.PC);
  EXPECT_EQ(Text(IDC_PC), pc);  // the registers show the moment gone back to

  Command(IDM_STEP_BACK);  // nothing before the load
  EXPECT_EQ(LastMessage(), machine::kNoHistoryText);
  EXPECT_EQ(Snapshot(), before[0]);
}

TEST_F(GoingBack, RunBackReturnsToTheLastVisitOfTheBreakpointLine) {
  ListBoxSetCurSel(dialog, IDC_LISTING, 2);
  Command(IDC_ADD_BREAKPOINT);
  const std::string line = Line(2);
  for (int i = 0; i < 2; ++i) Command(IDC_STEP);
  const std::vector<unsigned char> atBreakpoint = Snapshot();
  for (int i = 0; i < 30; ++i) Command(IDC_STEP);
  Command(IDM_RUN_BACK);
  EXPECT_TRUE(messages.empty()) << LastMessage();
  EXPECT_EQ(Hex4(CPU.PC), line.substr(0, 4));
  EXPECT_EQ(Snapshot(), atBreakpoint);
  EXPECT_EQ(Line(Selected()), line);
}

TEST_F(GoingBack, StateFilesRoundTripAndRefusedOnesChangeNothing) {
  for (int i = 0; i < 5; ++i) Command(IDC_STEP);
  const std::vector<unsigned char> saved = Snapshot();
  nextChoice = statePath;
  Command(IDM_SAVE_STATE);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages.back().caption, ":-)");
  EXPECT_TRUE(requests.back().forSaving);

  for (int i = 0; i < 5; ++i) Command(IDC_STEP);
  Command(IDM_LOAD_STATE);
  EXPECT_EQ(messages.size(), 1u) << LastMessage();
  EXPECT_EQ(Snapshot(), saved);

  // A file cut in half: refused by name, the machine untouched.
  std::ifstream in(statePath, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::ofstream(statePath, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
  Command(IDC_STEP);
  const std::vector<unsigned char> now = Snapshot();
  Command(IDM_LOAD_STATE);
  EXPECT_NE(LastMessage().find("truncated"), std::string::npos) << LastMessage();
  EXPECT_EQ(Snapshot(), now);

  nextChoice = "/nonexistent-folder/state.tst";  // a write that fails is not confirmed
  Command(IDM_SAVE_STATE);
  EXPECT_EQ(messages.back().caption, "Error");
}

TEST_F(GoingBack, AJoypadBoxIsAnInputTheHistoryKeeps) {
  Command(IDC_STEP);
  CheckDlgButton(dialog, IDC_JOY_RIGHT, true);
  Command(IDC_JOY_RIGHT);
  Command(IDC_STEP);
  Command(IDM_STEP_BACK);
  EXPECT_NE(Joy1.GetButton(7), 0);  // pressed before the second Step
  Command(IDM_STEP_BACK);
  EXPECT_EQ(Joy1.GetButton(7), 0);  // not yet before the first
}

// A box pressed during Run to lands at an instruction boundary of the run
// and is kept there: going back one instruction from where the run was
// broken off and stepping again gives the same machine, pad included.
TEST_F(GoingBack, AJoypadBoxPressedDuringRunToIsReplayedWhereItLanded) {
  ASSERT_TRUE(machine::StartRunTo(0x0001, [] {}));  // where the demo never goes
  CheckDlgButton(dialog, IDC_JOY_RIGHT, true);
  Command(IDC_JOY_RIGHT);
  // The run goes on past the press before it is broken off, almost always
  // within the same stretch: looks follow it until it has moved on.
  const auto position = [] {
    std::optional<std::uint64_t> at;
    machine::Inspect([&] { at = machine::InspectedRunPosition(); });
    return at;
  };
  const std::optional<std::uint64_t> atPress = position();
  ASSERT_TRUE(atPress.has_value());
  std::optional<std::uint64_t> now;
  do now = position();
  while (now == atPress);
  machine::Break();
  ASSERT_TRUE(WaitFor([] { return !machine::RunToActive(); }));
  ASSERT_NE(Joy1.GetButton(7), 0);
  const std::vector<unsigned char> end = Snapshot();
  messages.clear();
  Command(IDM_STEP_BACK);
  EXPECT_TRUE(messages.empty()) << LastMessage();
  Command(IDC_STEP);
  EXPECT_EQ(Snapshot(), end);
  CheckDlgButton(dialog, IDC_JOY_RIGHT, false);  // the pads outlive the test
  Command(IDC_JOY_RIGHT);
}

TEST_F(GoingBack, CommandsAreRefusedWhileARunGoes) {
  Command(IDC_STEP);
  ListBoxSetCurSel(dialog, IDC_LISTING, 99);
  Command(IDC_ADD_BREAKPOINT);
  EXPECT_TRUE(IsCommandEnabled(dialog, IDM_STEP_BACK));
  Command(IDC_RUNTO);
  ASSERT_TRUE(machine::RunToActive());
  EXPECT_FALSE(IsCommandEnabled(dialog, IDM_STEP_BACK));
  EXPECT_NE(machine::StepBack(), "");
  Command(IDC_RUNTO);  // Break
  ASSERT_TRUE(WaitFor([] { return !machine::RunToActive(); }));
  // The run went into the history: going back from where it stopped works.
  messages.clear();
  Command(IDM_STEP_BACK);
  EXPECT_TRUE(messages.empty()) << LastMessage();
}

}  // namespace
