// The run loop's memory of loops that cannot wait: a loop in the program
// windows is looked at once, a loop in RAM every time, since the program
// may rewrite RAM code into a loop that does wait.

#include "cpu/waiting_loop.h"

#include "io/memoryio.h"
#include "tests/cpu/test_board.h"

namespace {

class WaitingLoopMemory : public CpuTest {
 protected:
  void SetUp() override {
    CpuTest::SetUp();
    cpu::ForgetNonWaitingLoops();
  }
  void TearDown() override {
    cpu::ForgetNonWaitingLoops();
    CpuTest::TearDown();
  }
  // Runs a frame of the loop INX; JMP head, which never waits: INX changes X.
  static void RunCountingLoopAt(unsigned int head) {
    const unsigned char code[] = {0xE8, 0x4C, static_cast<unsigned char>(head & 0xFF),
                                  static_cast<unsigned char>(head >> 8)};
    if (head >= 0x8000)
      Place(head, {code[0], code[1], code[2], code[3]});
    else
      for (unsigned int i = 0; i < sizeof code; ++i) CPU.Memory[head + i] = code[i];
    CPU.PC = static_cast<unsigned short>(head);
    RunCpu();
  }
  static bool Remembered(unsigned int head) {
    return cpu::KnownNonWaitingLoop(head, head + 1, MemoryPage[(head >> 13) & 3]);
  }
};

TEST_F(WaitingLoopMemory, ALoopInTheProgramWindowsIsRememberedOneInRamIsNot) {
  RunCountingLoopAt(0x8300);
  EXPECT_TRUE(Remembered(0x8300));
  RunCountingLoopAt(0x0300);
  EXPECT_FALSE(Remembered(0x0300));
  RunCountingLoopAt(0x6000);
  EXPECT_FALSE(Remembered(0x6000));
}

}  // namespace
