// The machine controller: its entries refuse every other thread than the
// UI thread, and Inspect holds a running thread still while it reads.
#include "debugger/machine_controller.h"

#include <chrono>
#include <thread>

#include "tests/debugger_window/debugger_fixture.h"

namespace {

class Controller : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    ASSERT_TRUE(machine::Loaded());
  }
  void TearDown() override {
    if (machine::RunToActive()) Command(IDC_RUNTO);  // Break
    WaitFor([] { return machine::Idle(); });
    DebuggerWindow::TearDown();
  }
  // Run to an address the demo never reaches again: only Break ends it.
  void RunForever() {
    ListBoxSetCurSel(dialog, IDC_LISTING, 0);
    Command(IDC_ADD_BREAKPOINT);
    Command(IDC_RUNTO);
    ASSERT_TRUE(machine::RunToActive());
  }
};

struct Moment {
  unsigned short pc = 0;
  unsigned int cycles = 0;
  unsigned char frameLow = 0;
};

Moment Now() {
  return {CPU.PC, CPU.Cycles, CPU.Memory[0x10]};
}

bool operator==(const Moment& a, const Moment& b) {
  return a.pc == b.pc && a.cycles == b.cycles && a.frameLow == b.frameLow;
}

// A debug build stops at the first entry made elsewhere; a release build
// refuses: nothing runs, nothing is read.
TEST_F(Controller, EntriesOffTheUiThreadAreRefused) {
#ifdef NDEBUG
  const unsigned short pc = CPU.PC;
  bool stepped = true, inspected = true, read = false, changed = false, idle = true;
  std::thread([&] {
    idle = machine::Idle();
    stepped = machine::Step();
    inspected = machine::Inspect([&] { read = true; });
    machine::Change([&] { changed = true; });
  }).join();
  EXPECT_FALSE(idle);
  EXPECT_FALSE(stepped);
  EXPECT_FALSE(inspected);
  EXPECT_FALSE(read);
  EXPECT_FALSE(changed);
  EXPECT_EQ(CPU.PC, pc);
  EXPECT_TRUE(machine::Idle()) << "on the UI thread the same calls are served";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(std::thread([] { machine::Step(); }).join(), "UI thread only");
#endif
}

// The run thread stands still for the whole read, then goes on.
TEST_F(Controller, InspectHoldsRunToStillWhileItReads) {
  RunForever();
  for (int round = 0; round < 5; ++round) {
    Moment before, after;
    ASSERT_TRUE(machine::Inspect([&] {
      before = Now();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      after = Now();
    }));
    EXPECT_TRUE(before == after) << "round " << round;
    Moment later;
    EXPECT_TRUE(WaitFor([&] {
      machine::Inspect([&] { later = Now(); });
      return !(later == after);
    })) << "the run goes on after the read";
  }
  EXPECT_TRUE(machine::RunToActive());
}

// While a thread holds the machine, the UI thread's own commands are
// refused through the controller as well as by their disabled controls.
TEST_F(Controller, ChangesAndBorrowsWaitForTheRunToEnd) {
  RunForever();
  bool ran = false;
  EXPECT_FALSE(machine::Change([&] { ran = true; }));
  EXPECT_FALSE(machine::Borrow([&] { ran = true; }));
  EXPECT_FALSE(machine::Step());
  EXPECT_EQ(machine::Load(DemoImage()), machine::kBusy);
  EXPECT_FALSE(ran);
  Command(IDC_RUNTO);  // Break
  ASSERT_TRUE(WaitFor([] { return machine::Idle(); }));
  EXPECT_TRUE(machine::Change([&] { ran = true; }));
  EXPECT_TRUE(ran);
}

}  // namespace
