// Program bytes are read exactly as the processor fetches them: memory
// below $8000, from $8000 on each byte from the window of its own address,
// $FFFF followed by $0000.

#include <cstring>
#include <random>

#include "tests/debugger/program_windows.h"

namespace {

using ProgramView = ProgramWindows;

TEST_F(ProgramView, OperandsPastAWindowEndComeFromTheNextWindow) {
  ImageByteAfterWindow(0) = 0x99;
  Poke(0x9FFF, {0xAD, 0x34, 0x12});
  EXPECT_EQ(LineAt(0x9FFF), "9FFF: AD 34 12   LDA $1234");
  EXPECT_EQ(CPU.PC, 0xA002);

  ImageByteAfterWindow(2) = 0x99;
  Poke(0xDFFF, {0xA9, 0x42});
  EXPECT_EQ(LineAt(0xDFFF), "DFFF: A9 42      LDA #$42");
}

// The listing follows the CPU: below $8000 it shows memory (Goto 0300 lists
// RAM), not the byte the window holds at the same offset.
TEST_F(ProgramView, AddressesBelow8000ShowMemory) {
  Poke(0x8300, {0x18});
  Poke(0x0300, {0xA9, 0x42, 0x60});
  EXPECT_EQ(LineAt(0x0300), "0300: A9 42      LDA #$42");
  EXPECT_EQ(LineAt(0x0302), "0302: 60         RTS       ");
  Poke(0xE000, {0xEA});
  Poke(0x6000, {0x4C, 0x00, 0xE0});
  EXPECT_EQ(LineAt(0x6000), "6000: 4C 00 E0   JMP $E000");
  // An operand across $7FFF/$8000 takes each byte from its own side.
  Poke(0x7FFE, {0xAD, 0x34, 0x12});
  EXPECT_EQ(LineAt(0x7FFE), "7FFE: AD 34 12   LDA $1234");
}

TEST_F(ProgramView, InstructionAtFFFFTakesItsOperandsFrom0000) {
  ImageByteAfterWindow(3) = 0x99;
  Poke(0xFFFF, {0xAD, 0x34, 0x12});
  EXPECT_EQ(LineAt(0xFFFF), "FFFF: AD 34 12   LDA $1234");
  EXPECT_EQ(CPU.PC, 0x0002);
  Poke(0xFFFE, {0xA2, 0x07});
  EXPECT_EQ(LineAt(0xFFFE), "FFFE: A2 07      LDX #$07");
  EXPECT_EQ(CPU.PC, 0x0000);
}

TEST_F(ProgramView, ListingRunsOnFromLineToLine) {
  Poke(0xC000, {0x78, 0xD8, 0xA2, 0xFF, 0x9A, 0xAD, 0x02, 0x20, 0x10, 0xFB});
  const char* const expected[] = {
      "C000: 78         SEI       ", "C001: D8         CLD       ", "C002: A2 FF      LDX #$FF",
      "C004: 9A         TXS       ", "C005: AD 02 20   LDA $2002",  "C008: 10 FB      BPL $C005",
  };
  CPU.PC = 0xC000;
  for (const char* want : expected) {
    char line[kDisassemblyLineSize];
    DisplayInstruction(line);
    EXPECT_STREQ(line, want);
  }
  EXPECT_EQ(CPU.PC, 0xC00A);
}

// Listing the port addresses must not act on the ports: a bus read of $2002
// would clear the vertical-blank flag.
TEST_F(ProgramView, ListingHasNoSideEffectsOnCpuMemory) {
  Poke(0x2000, {0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA, 0xEA});
  CPU.Memory[0x2002] = 0x80;
  CPU.Memory[0x2007] = 0x5A;
  CPU.PC = 0x2000;
  char line[kDisassemblyLineSize];
  for (int i = 0; i < 8; ++i) DisplayInstruction(line);
  EXPECT_EQ(CPU.Memory[0x2002], 0x80);
  EXPECT_EQ(CPU.Memory[0x2007], 0x5A);
}

// Until a cartridge is bound the windows show a page of zeros, so the
// listing is a run of BRK lines rather than a fetch through no window.
TEST_F(ProgramView, WithoutACartridgeTheListingShowsZeros) {
  UseNoCartridge();
  EXPECT_EQ(LineAt(0x8000), "8000: 00         BRK $0000");
  EXPECT_EQ(LineAt(0x3FFF), "3FFF: 00         BRK $0000");
  EXPECT_EQ(CPU.PC, 0x4000);
}

// Whatever the bytes and registers, a line fits the 36 characters callers
// hand in with room to spare, and nothing is written past them.
TEST_F(ProgramView, RandomBytesNeverGiveALineLongerThanThirty) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> byte(0, 255);
  for (unsigned char& b : rom_) b = static_cast<unsigned char>(byte(random));
  constexpr int kGuard = 16;
  char area[kDisassemblyLineSize + kGuard];
  for (int i = 0; i < 20000; ++i) {
    CPU.XR = static_cast<unsigned char>(byte(random));
    CPU.YR = static_cast<unsigned char>(byte(random));
    const unsigned int start = random() & 0xFFFF;
    CPU.PC = static_cast<unsigned short>(start);
    std::memset(area, '#', sizeof area);
    DisplayInstruction(area);
    const std::size_t length = strnlen(area, kDisassemblyLineSize);
    ASSERT_LE(length, 30u) << std::string(area, length);
    char address[5];
    std::snprintf(address, sizeof address, "%04X", start);
    ASSERT_EQ(std::string(area, 4), address);
    for (int g = kDisassemblyLineSize; g < kDisassemblyLineSize + kGuard; ++g) {
      ASSERT_EQ(area[g], '#');
    }
    const unsigned int advanced = (CPU.PC - start) & 0xFFFF;
    ASSERT_TRUE(advanced >= 1 && advanced <= 3);
  }
}

}  // namespace
