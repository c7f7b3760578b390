// The scanline and frame driver: line ends, vertical blank and the NMI,
// sprite-0 flag, scroll recording, reset and IRQ entry.

#include <cstring>

#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"
#include "tests/cpu/test_board.h"

namespace {

constexpr unsigned char kVerticalBlank = 0x80;
constexpr unsigned char kSprite0 = 0x40;

class FrameDriverTest : public CpuTest {
 protected:
  void SetUp() override {
    CpuTest::SetUp();
    // An 11-cycle loop: INC $0200 (6), NOP (2), JMP $8000 (3). The INC
    // counts the iterations started, independently of the core's cycles.
    Place(0x8000, {0xEE, 0x00, 0x02, 0xEA, 0x4C, 0x00, 0x80});
    SetVector(0xFFFC, 0x8000);
    SetVector(0xFFFA, 0x9000);
    SetVector(0xFFFE, 0xA000);
    Place(0x9000, {0x4C, 0x00, 0x90});  // NMI handler: JMP *
    ResetCpu();
  }

  // Steps until the current line ends.
  static void StepToLineEnd() {
    const int before = ram_board::calls.end_scans;
    while (ram_board::calls.end_scans == before) StepCpu();
  }
};

TEST_F(FrameDriverTest, NmiIsTakenAtTheFirstBoundaryAtOrAfter26880Cycles) {
  CPU.Memory[0x2000] = 0x80;
  RunCpu();
  // Boundaries fall at 11k + 6, 11k + 8 and 11k + 11; the first at or after
  // 240 x 112 = 26880 is 11 x 2443 + 8 = 26881, after the NOP of the
  // 2444th iteration. One cycle is carried over, seven added for the NMI.
  EXPECT_EQ(CPU.Memory[0x0200], 2444 % 256);
  EXPECT_EQ(Cycles(), 1u + 7u);
  EXPECT_EQ(Pc(), 0x9000);
  EXPECT_EQ(CPU.S, 0xFD);
  EXPECT_EQ(CPU.Memory[0x0100], 0x80);  // return to the JMP at $8004
  EXPECT_EQ(CPU.Memory[0x01FF], 0x04);
  EXPECT_EQ(CPU.Memory[0x01FE], 0x80);  // FLAGS as they were: N from INC to 140
  EXPECT_EQ(CPU.FLAGS, 0x80);           // the NMI leaves I alone
  EXPECT_EQ(CPU.Memory[0x2002] & kVerticalBlank, kVerticalBlank);
  EXPECT_EQ(NumScanlines, 22);
  EXPECT_EQ(PPU.Scanline, 0);
  EXPECT_EQ(ram_board::calls.end_scans, 240);
}

TEST_F(FrameDriverTest, WithoutNmiEnableVerticalBlankStillBeginsWithoutAPush) {
  CPU.Memory[0x0100] = 0xEE;
  RunCpu();
  EXPECT_EQ(CPU.Memory[0x2002] & kVerticalBlank, kVerticalBlank);
  EXPECT_EQ(CPU.S, 0x00);
  EXPECT_EQ(CPU.Memory[0x0100], 0xEE);
  EXPECT_EQ(Cycles(), 1u);
  EXPECT_EQ(Pc(), 0x8004);
}

TEST_F(FrameDriverTest, AFullFrameEndsEveryOneOf262Lines) {
  RunCpu();
  ram_board::calls.end_scans = 0;
  RunCpu();
  EXPECT_EQ(ram_board::calls.end_scans, 262);
  RunCpu();
  EXPECT_EQ(ram_board::calls.end_scans, 2 * 262);
}

TEST_F(FrameDriverTest, VerticalBlankEndsAfter22LinesAndResetsTheScrollToggle) {
  RunCpu();
  HorV = 1;
  for (int line = 0; line < 21; ++line) StepToLineEnd();
  EXPECT_EQ(CPU.Memory[0x2002] & kVerticalBlank, kVerticalBlank);
  EXPECT_EQ(HorV, 1);
  StepToLineEnd();
  EXPECT_EQ(CPU.Memory[0x2002] & kVerticalBlank, 0);
  EXPECT_EQ(NumScanlines, 240);
  EXPECT_EQ(PPU.Scanline, 0);
  EXPECT_EQ(HorV, 0);
}

TEST_F(FrameDriverTest, ReadingTheStatusClearsVerticalBlankForTheRestOfTheFrame) {
  RunCpu();
  EXPECT_EQ(read_mem(0x2002) & kVerticalBlank, kVerticalBlank);
  for (int line = 0; line < 21; ++line) {
    StepToLineEnd();
    EXPECT_EQ(CPU.Memory[0x2002] & kVerticalBlank, 0) << line;
  }
}

TEST_F(FrameDriverTest, EnablingTheNmiDuringVerticalBlankGivesNoneThisFrame) {
  RunCpu();
  CPU.Memory[0x2000] = 0x80;
  const unsigned char s = CPU.S;
  for (int line = 0; line < 22; ++line) StepToLineEnd();
  EXPECT_EQ(CPU.S, s);
  EXPECT_NE(Pc(), 0x9000);
}

TEST_F(FrameDriverTest, ExcessCyclesCarryIntoTheNextLine) {
  CPU.Cycles = 113;
  Execute({0xEA});  // NOP: 115
  EXPECT_EQ(Cycles(), 3u);
  EXPECT_EQ(PPU.Scanline, 1);
  EXPECT_EQ(ram_board::calls.end_scans, 1);
}

TEST_F(FrameDriverTest, Sprite0FlagIsUpForExactlyOneLine) {
  Sprite0Scanline = 30;
  int lines_with_flag = 0;
  for (int line = 1; line <= 240; ++line) {
    StepToLineEnd();
    const bool up = CPU.Memory[0x2002] & kSprite0;
    if (up) {
      ++lines_with_flag;
      EXPECT_EQ(line, 30);
    }
  }
  EXPECT_EQ(lines_with_flag, 1);
}

TEST_F(FrameDriverTest, Sprite0FlagIsLeftAloneDuringVerticalBlank) {
  Sprite0Scanline = 240;  // the line end that starts vertical blank
  RunCpu();
  EXPECT_EQ(CPU.Memory[0x2002] & kSprite0, kSprite0);
  for (int line = 0; line < 22; ++line) StepToLineEnd();
  EXPECT_EQ(CPU.Memory[0x2002] & kSprite0, kSprite0);
  StepToLineEnd();  // first visible line of the next frame
  EXPECT_EQ(CPU.Memory[0x2002] & kSprite0, 0);
}

TEST_F(FrameDriverTest, OnlyTheRunLoopRecordsTheScrollOfEachLine) {
  std::memset(ScanScrollH, 0x11, sizeof ScanScrollH);
  BackGround.HScroll = 0x77;
  for (int line = 0; line < 240; ++line) StepToLineEnd();
  for (int line = 0; line < 240; ++line) ASSERT_EQ(ScanScrollH[line], 0x11) << line;

  for (int line = 0; line < 22; ++line) StepToLineEnd();
  RunCpu();
  for (int line = 0; line < 240; ++line) ASSERT_EQ(ScanScrollH[line], 0x77) << line;
}

TEST_F(FrameDriverTest, ResetClearsRegistersAndMemoryBelow7000Only) {
  CPU.AC = CPU.XR = CPU.YR = 9;
  CPU.S = 0x80;
  CPU.FLAGS = 0xFF;
  CPU.Cycles = 50;
  CPU.Memory[0x0000] = 1;
  CPU.Memory[0x2002] = 0x80;
  CPU.Memory[0x6FFF] = 1;
  CPU.Memory[0x7000] = 0x4C;
  CPU.Memory[0x7FFF] = 2;
  NumScanlines = 22;
  PPU.Scanline = 5;
  SetVector(0xFFFC, 0x8123);
  CPU.Memory[0xFFFC] = 0x00;  // the vector comes from window 3, not Memory
  HorV = 1;
  first_last = 1;
  unsigned char* const window2 = MemoryPage[2];

  ResetCpu();
  EXPECT_EQ(CPU.AC, 0);
  EXPECT_EQ(CPU.XR, 0);
  EXPECT_EQ(CPU.YR, 0);
  EXPECT_EQ(CPU.S, 0);
  EXPECT_EQ(CPU.FLAGS, 0);
  EXPECT_EQ(Cycles(), 0u);
  EXPECT_EQ(Pc(), 0x8123);
  EXPECT_EQ(CPU.Memory[0x0000], 0);
  EXPECT_EQ(CPU.Memory[0x2002], 0);
  EXPECT_EQ(CPU.Memory[0x6FFF], 0);
  EXPECT_EQ(CPU.Memory[0x7000], 0x4C);
  EXPECT_EQ(CPU.Memory[0x7FFF], 2);
  EXPECT_EQ(NumScanlines, 240);
  EXPECT_EQ(PPU.Scanline, 0);
  EXPECT_EQ(HorV, 1);
  EXPECT_EQ(first_last, 1);
  EXPECT_EQ(MemoryPage[2], window2);
  first_last = 0;

  Place(0x8123, {0x48});  // PHA: the first push after reset lands at $0100
  CPU.AC = 0x5F;
  StepCpu();
  EXPECT_EQ(CPU.Memory[0x0100], 0x5F);
  EXPECT_EQ(CPU.S, 0xFF);
}

TEST_F(FrameDriverTest, IrqEntryIsUnconditional) {
  CPU.PC = 0x8456;
  CPU.S = 0xFF;
  CPU.FLAGS = 0x04 | 0x01;
  CPU.Cycles = 10;
  GenerateIRQ();
  EXPECT_EQ(Pc(), 0xA000);
  EXPECT_EQ(CPU.S, 0xFC);
  EXPECT_EQ(CPU.Memory[0x01FF], 0x84);
  EXPECT_EQ(CPU.Memory[0x01FE], 0x56);
  EXPECT_EQ(CPU.Memory[0x01FD], 0x05);
  EXPECT_EQ(Cycles(), 17u);
}

TEST_F(FrameDriverTest, IrqPushesFlagsAsTheyWereThenDisablesInterrupts) {
  CPU.S = 0xFF;
  CPU.FLAGS = 0x01;
  GenerateIRQ();
  EXPECT_EQ(CPU.Memory[0x01FD], 0x01);
  EXPECT_EQ(CPU.FLAGS, 0x05);
}

TEST_F(FrameDriverTest, IrqFromTheBoardsLineEndReturnsToTheNextInstruction) {
  ram_board::calls.on_end_scan = [] { GenerateIRQ(); };
  CPU.S = 0xFF;
  CPU.Cycles = 110;
  Execute(0x8003, {0xEA});  // NOP ends the line
  EXPECT_EQ(Pc(), 0xA000);
  EXPECT_EQ(CPU.Memory[0x01FF], 0x80);
  EXPECT_EQ(CPU.Memory[0x01FE], 0x04);
  EXPECT_EQ(Cycles(), 0u + 7u);
}

}  // namespace
