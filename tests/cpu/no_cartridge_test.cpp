// Before a board is bound, and after UseNoCartridge, the core runs against a
// harmless board and a zero page instead of null pointers.

#include <gtest/gtest.h>

#include "boards/nesdata.h"
#include "cpu/cpu.h"
#include "tests/cpu/test_board.h"

namespace {

class NoCartridgeTest : public CpuTest {
 protected:
  void SetUp() override {
    CpuTest::SetUp();
    UseNoCartridge();
  }
};

TEST_F(NoCartridgeTest, WindowsShowZerosAndTheBoardIgnoresEverything) {
  for (unsigned char* window : MemoryPage) {
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window[0], 0);
    EXPECT_EQ(window[0x1FFF], 0);
  }
  EXPECT_EQ(read_mem(0x8000), 0);
  EXPECT_EQ(read_mem(0x2007), 0);
  write_mem(0xC000, 0x12);
  write_mem(0x2007, 0x12);
  EXPECT_EQ(read_mem(0xC000), 0);
  MapperEndScan();
  EXPECT_EQ(MapperLoad(_NESData{}), 0);
}

TEST_F(NoCartridgeTest, RestoresZerosEvenAfterTheBoardsPageWasWritten) {
  MemoryPage[3][0x1FFC] = 0x55;
  UseNoCartridge();
  EXPECT_EQ(MemoryPage[3][0x1FFC], 0);
}

TEST_F(NoCartridgeTest, ReplacesABoundBoard) {
  ram_board::Bind();
  UseNoCartridge();
  for (unsigned char* window : MemoryPage) EXPECT_NE(window, ram_board::program);
  write_mem(0x8000, 1);
  EXPECT_TRUE(ram_board::calls.cpu_writes.empty());
}

TEST_F(NoCartridgeTest, TheCoreCanResetStepAndRunAFrame) {
  ResetCpu();
  EXPECT_EQ(Pc(), 0x0000);
  for (int i = 0; i < 100; ++i) StepCpu();
  RunCpu();
  EXPECT_EQ(NumScanlines, 22);
  EXPECT_EQ(CPU.Memory[0x2002] & 0x80, 0x80);
}

}  // namespace
