// The load sequence on the demo cartridge and its real board: a file that is
// no image is refused without losing the cartridge, and loading or
// resetting starts the PPU's write toggles afresh.

#include "cart/load_sequence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"
#include "tests/cart/ines_image.h"

namespace {

class LoadSequence : public ::testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramBuildDirectory());
    ASSERT_EQ(LoadImageAndReset(demo_.c_str()), RomLoadOk);
  }
  void TearDown() override {
    UnloadBoard();
    SetBoardDirectory("");
  }
  // The palette's first entry through the data port, as a program sets it.
  static void WritePalette(unsigned char value) {
    write_mem(0x2006, 0x3F);
    write_mem(0x2006, 0x00);
    write_mem(0x2007, value);
  }
  const std::string demo_ = std::string(TAVIRO_ROM_DIR) + "/demo.nes";
};

TEST_F(LoadSequence, AFileThatIsNoImageKeepsTheLoadedCartridgeAndMachine) {
  for (int frame = 0; frame < 3; ++frame) RunCpu();
  std::vector<unsigned char> good = InesImage::Numbered(4, 2, 1).Bytes();
  std::vector<unsigned char> wrongMagic = good;
  wrongMagic[3] = 0x00;
  std::vector<unsigned char> cut(good.begin(), good.end() - 1);  // shorter than announced
  const std::vector<std::vector<unsigned char>> refused = {
      {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'},
      {'N', 'E', 'S', 0x1A, 2},
      wrongMagic,
      cut};
  for (const std::vector<unsigned char>& bytes : refused) {
    const _6502 before = CPU;
    const unsigned char* program = ROMimage.PRG_ROM;
    void* board = MapperHandle;
    const unsigned char* window0 = MemoryPage[0];
    TempFile file(bytes);
    EXPECT_EQ(LoadImageAndReset(file.path()), RomLoadNotAnImage) << bytes.size() << " bytes";
    EXPECT_TRUE(ImageLoaded());
    EXPECT_EQ(MapperHandle, board);
    EXPECT_EQ(ROMimage.PRG_ROM, program);
    EXPECT_EQ(MemoryPage[0], window0);
    EXPECT_EQ(std::memcmp(&before, &CPU, sizeof CPU), 0) << "the machine changed";
    EXPECT_EQ(LoadFailureText(RomLoadNotAnImage, file.path()),
              std::string("not an iNES image: ") + file.path());
  }
  // Without a name the message stands alone rather than ending in ": ".
  EXPECT_EQ(LoadFailureText(RomLoadNotAnImage), "not an iNES image");
  // A file that cannot be opened is refused before anything is given up too.
  EXPECT_EQ(LoadImageAndReset("/nonexistent/game.nes"), RomLoadCouldNotOpen);
  EXPECT_TRUE(ImageLoaded());
  RunCpu();  // the board still answers
}

// A program stopped between its two $2006 writes (or its two $2005 writes)
// must not leave the next one taken as a low byte after Reset or a load:
// the palette write that follows must land at $3F00.
TEST_F(LoadSequence, ResetAndLoadBetweenTwoAddressWritesLetThePaletteWriteLand) {
  write_mem(0x2006, 0x3F);
  write_mem(0x2005, 0x10);
  ResetNES();
  WritePalette(0x21);
  EXPECT_EQ(PPU.PPUMem[0x3F00], 0x21);
  EXPECT_EQ(HorV, 0);

  write_mem(0x2006, 0x3F);
  write_mem(0x2007, 0x00);  // the read flag and the latch as a run leaves them
  (void)read_mem(0x2007);
  ASSERT_EQ(LoadImageAndReset(demo_.c_str()), RomLoadOk);
  EXPECT_EQ(first_last, 0);
  EXPECT_EQ(WriteAddress, 0);
  EXPECT_EQ(AlreadyRead2007, 0);
  WritePalette(0x16);
  EXPECT_EQ(PPU.PPUMem[0x3F00], 0x16);
}

}  // namespace
