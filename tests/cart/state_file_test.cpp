// State files and the snapshots inside them, on crafted images served by the
// real MMC3 plug-in and by a test plug-in without state entry points: what
// a restore gives back, and every file that is refused with the machine
// left exactly as it was.

#include "cart/state_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cart/machine_snapshot.h"
#include "cpu/cpu.h"
#include "io/joystick.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"
#include "tests/cart/ines_image.h"

namespace {

std::vector<unsigned char> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> Machine() {
  std::vector<unsigned char> bytes;
  EXPECT_EQ(SaveMachine(bytes), SnapshotRefusal::None);
  return bytes;
}

class StateFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramBuildDirectory());
    ASSERT_EQ(LoadImageAndReset(image_.path()), RomLoadOk);
  }
  void TearDown() override {
    UnloadBoard();
    SetBoardDirectory("");
  }

  // Changes a little of everything a snapshot holds, through the machine's
  // own ports where it has them.
  static void Disturb(unsigned char seed) {
    CPU.AC = seed;
    CPU.PC = static_cast<unsigned short>(0x8000 + seed);
    write_mem(0x0010, seed);
    write_mem(0x8000, 0x46);  // MMC3: program layout 1, register 6
    write_mem(0x8001, seed);
    write_mem(0x2006, 0x21);
    write_mem(0x2006, seed);
    write_mem(0x2007, seed);
    write_mem(0x2003, 4);
    write_mem(0x2004, seed);
    Joy1.SetButton(seed % 8);
  }

  TempFile image_{InesImage::Numbered(4, 4, 2).Bytes()};
  TempFile state_{std::vector<unsigned char>{}};
};

TEST_F(StateFiles, RestoreGivesBackTheWholeMachine) {
  Disturb(3);
  const std::vector<unsigned char> saved = Machine();
  const unsigned char* window1 = MemoryPage[1];
  ASSERT_EQ(WriteStateFile(state_.path()), "");
  Disturb(9);
  ASSERT_NE(Machine(), saved);
  ASSERT_EQ(ReadStateFile(state_.path()), "");
  EXPECT_EQ(Machine(), saved);
  EXPECT_EQ(MemoryPage[1], window1);
  EXPECT_EQ(Joy1.GetButton(3), 1);
  EXPECT_EQ(Joy1.GetButton(1), 0);
  // The tile cache follows the restored pattern bytes.
  EXPECT_EQ(PPU.PatternTiles[0].data[0], (PPU.PPUMem[0] >> 7 & 1) | (PPU.PPUMem[8] >> 6 & 2));
}

// A board stores writes outside its registers into the program bank; going
// back to before such a write must undo it, going forward must redo it.
TEST_F(StateFiles, ProgramRomWritesAreUndoneAndRedone) {
  const unsigned char original = MemoryPage[0][2];
  const std::vector<unsigned char> before = Machine();
  write_mem(0x8002, static_cast<unsigned char>(original + 1));
  ASSERT_TRUE(ProgramRomWritten);
  const std::vector<unsigned char> after = Machine();
  ASSERT_EQ(RestoreMachine(before.data(), before.size()), SnapshotRefusal::None);
  EXPECT_EQ(MemoryPage[0][2], original);
  EXPECT_FALSE(ProgramRomWritten);
  ASSERT_EQ(RestoreMachine(after.data(), after.size()), SnapshotRefusal::None);
  EXPECT_EQ(MemoryPage[0][2], original + 1);
}

TEST_F(StateFiles, DamagedFilesAreRefusedByNameAndChangeNothing) {
  ASSERT_EQ(WriteStateFile(state_.path()), "");
  const std::vector<unsigned char> good = ReadAll(state_.path());
  Disturb(5);
  const std::vector<unsigned char> now = Machine();

  struct Case {
    const char* what;
    std::vector<unsigned char> bytes;
    const char* message;
  };
  std::vector<unsigned char> cut(good.begin(), good.end() - 100);
  std::vector<unsigned char> headerOnly(good.begin(), good.begin() + 12);
  std::vector<unsigned char> flipped = good;
  flipped[24 + 5000] ^= 0x10;
  std::vector<unsigned char> newer = good;
  newer[8] = 2;
  std::vector<unsigned char> foreign = good;
  foreign[0] = 'X';
  std::vector<unsigned char> longer = good;
  longer.push_back(0);
  const Case cases[] = {
      {"cut", cut, "truncated"},
      {"header cut", headerOnly, "truncated"},
      {"flipped", flipped, "corrupted"},
      {"newer", newer, "newer than this Taviro reads"},
      {"not a state file", foreign, "not a Taviro state file"},
      {"longer", longer, "corrupted"},
  };
  for (const Case& c : cases) {
    TempFile file(c.bytes);
    const StateFileError error = ReadStateFile(file.path());
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(Machine(), now) << c.what;
  }
  const StateFileError missing = ReadStateFile("/nonexistent/state");
  EXPECT_NE(missing.find("/nonexistent/state"), std::string::npos) << missing;
}

TEST_F(StateFiles, StateOfAnotherImageIsRefused) {
  ASSERT_EQ(WriteStateFile(state_.path()), "");
  TempFile other(InesImage::Numbered(4, 4, 4).Bytes());
  ASSERT_EQ(LoadImageAndReset(other.path()), RomLoadOk);
  const std::vector<unsigned char> now = Machine();
  const StateFileError error = ReadStateFile(state_.path());
  EXPECT_NE(error.find("another ROM image"), std::string::npos) << error;
  EXPECT_EQ(Machine(), now);
}

// A snapshot that passes its checksums can still hold values no machine
// has; those would index past the tables the renderers and joypads use.
TEST_F(StateFiles, OutOfRangeValuesInAnIntactFileAreRefused) {
  std::vector<unsigned char> snapshot = Machine();
  const std::vector<unsigned char> now = snapshot;
  // The joypad-1 report index, past the CPU, PPU, sprite and scroll parts.
  const std::size_t joypadIndex =
      1 + 11 + 0x10000 + 7 + 5 + 0x4000 + 258 + 6 + 3 * 262 + 4 * 262 + 5 + 24;
  ASSERT_EQ(snapshot[joypadIndex], Joy1.BitIndex);
  snapshot[joypadIndex] = 200;
  TempFile file(EncodeStateFile(snapshot));
  const StateFileError error = ReadStateFile(file.path());
  EXPECT_NE(error.find("out of range"), std::string::npos) << error;
  EXPECT_EQ(Machine(), now);
}

TEST_F(StateFiles, WriteFailuresAreReported) {
  EXPECT_NE(WriteStateFile("/nonexistent/dir/state").find("Couldn't Open File for output"),
            std::string::npos);
  EXPECT_NE(WriteStateFile("/dev/full").find("Couldn't write /dev/full"), std::string::npos);
}

TEST(StateEntryPoints, BoardWithoutThemHasNoSnapshots) {
  SetBoardDirectory(TAVIRO_TEST_BOARDS_DIR);
  TempFile image(InesImage::Numbered(200, 1, 1).Bytes());
  ASSERT_EQ(LoadImageAndReset(image.path()), RomLoadOk);
  EXPECT_FALSE(MachineHasSnapshots());
  std::vector<unsigned char> bytes;
  EXPECT_EQ(SaveMachine(bytes), SnapshotRefusal::NoBoardState);
  TempFile state(std::vector<unsigned char>{});
  EXPECT_NE(WriteStateFile(state.path()).find("MapperSaveState"), std::string::npos);
  UnloadBoard();
  SetBoardDirectory("");
}

}  // namespace
