// The iNES loader: header numbers, bank placement, the trainer, truncated
// files and the failures, read back from crafted files.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cstring>
#include <fstream>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "tests/cart/ines_image.h"

namespace {

// Loads without any plug-in at hand, so only the loader's work is seen.
class RomLoad : public ::testing::Test {
 protected:
  void SetUp() override { SetBoardDirectory(emptyBoards.path()); }
  void TearDown() override {
    UnloadBoard();
    SetBoardDirectory("");
  }
  int Load(const InesImage& image) {
    TempFile file(image.Bytes());
    return ROMimage.load(file.path());
  }
  TempDirectory emptyBoards;
};

TEST_F(RomLoad, TakesTheNumbersFromTheHeaderAndTheBanksInFileOrder) {
  InesImage image = InesImage::Numbered(4, 2, 1);
  for (int i = 8; i < 16; ++i) image.header[i] = static_cast<unsigned char>(0xA0 + i);
  image.chr[8191] = 0x77;

  EXPECT_EQ(Load(image), RomLoadNoLibrary);
  EXPECT_EQ(ROMimage.PRGROMPages + 0u, 2u);  // a copy: the field is packed
  EXPECT_EQ(ROMimage.CHRROMPages + 0u, 1u);
  EXPECT_EQ(ROMimage.MapperNumber, 4);
  EXPECT_EQ(0, std::memcmp(ROMimage.Header, image.header, 16));
  EXPECT_EQ(0, std::memcmp(ROMimage.PRG_ROM, image.prg.data(), 32768));
  EXPECT_EQ(0, std::memcmp(ROMimage.CHR_ROM, image.chr.data(), 8192));
  EXPECT_EQ(ROMimage.CHR_ROM[8191], 0x77);
}

TEST_F(RomLoad, MapperNumberTakesALowNibbleFromByte6AndAHighNibbleFromByte7) {
  struct Case {
    unsigned char byte6, byte7;
    unsigned char mapper;
  };
  for (Case c : {Case{0x41, 0x00, 4}, Case{0x90, 0x00, 9}, Case{0x00, 0x40, 64},
                 Case{0xF1, 0xFF, 255}, Case{0x0F, 0x0F, 0}}) {
    InesImage image = InesImage::Numbered(0, 1, 1);
    image.header[6] = c.byte6;
    image.header[7] = c.byte7;
    Load(image);
    EXPECT_EQ(ROMimage.MapperNumber, c.mapper) << std::hex << int(c.byte6) << " " << int(c.byte7);
  }
}

TEST_F(RomLoad, TextInBytes12To15LeavesByte7OutOfTheMapperNumber) {
  struct Case {
    const char* tail;  // bytes 7-15
    unsigned char mapper;
  };
  // "DiskDude!" from an old dumper; a zero tail; an NES 2.0 header (byte 7
  // bits 2-3 = 10) whose bytes 12-15 are header fields.
  for (Case c : {Case{"DiskDude!", 1}, Case{"\x40\0\0\0\0\0\0\0\0", 0x41},
                 Case{"\x48\0\0\0\0\x01\0\0\x01", 0x41}}) {
    InesImage image = InesImage::Numbered(1, 1, 1);
    std::memcpy(image.header + 7, c.tail, 9);
    Load(image);
    EXPECT_EQ(ROMimage.MapperNumber, c.mapper) << c.tail;
  }
}

TEST_F(RomLoad, TrainerGoesTo7000AndProgramDataStartsAfterIt) {
  InesImage image = InesImage::Numbered(4, 1, 1);
  image.header[6] |= 0x04;
  for (int i = 0; i < 512; ++i) image.trainer.push_back(static_cast<unsigned char>(255 - i % 256));
  CPU.Memory[0x6FFF] = 0x11;
  CPU.Memory[0x7200] = 0x22;

  Load(image);
  EXPECT_EQ(0, std::memcmp(&CPU.Memory[0x7000], image.trainer.data(), 512));
  EXPECT_EQ(CPU.Memory[0x6FFF], 0x11);
  EXPECT_EQ(CPU.Memory[0x7200], 0x22);
  // Offset 528 of the file is the first program byte.
  EXPECT_EQ(0, std::memcmp(ROMimage.PRG_ROM, image.prg.data(), 16384));
  EXPECT_EQ(0, std::memcmp(ROMimage.CHR_ROM, image.chr.data(), 8192));
}

TEST_F(RomLoad, ImageWithoutCharacterRomLoadsWithAnEmptyCharacterBuffer) {
  InesImage image = InesImage::Numbered(4, 1, 0);
  EXPECT_EQ(Load(image), RomLoadNoLibrary);
  EXPECT_EQ(ROMimage.CHRROMPages + 0u, 0u);
  EXPECT_NE(ROMimage.CHR_ROM, nullptr);
  EXPECT_EQ(0, std::memcmp(ROMimage.PRG_ROM, image.prg.data(), 16384));
}

TEST_F(RomLoad, SignatureIsNeverCompared) {
  InesImage image = InesImage::Numbered(9, 1, 1);
  std::memcpy(image.header, "JUNK", 4);
  EXPECT_EQ(Load(image), RomLoadNoLibrary);
  EXPECT_EQ(ROMimage.MapperNumber, 9);
  EXPECT_EQ(ROMimage.PRG_ROM[8192], 1);
}

TEST_F(RomLoad, FileShorterThanAnnouncedLoadsWithTheMissingBytesZero) {
  InesImage image = InesImage::Numbered(4, 2, 1);
  std::vector<unsigned char> bytes = image.Bytes();
  bytes.resize(16 + 100);
  // A heap that hands back old image bytes must not show through.
  Load(InesImage::Numbered(4, 2, 1));
  TempFile file(bytes);

  EXPECT_EQ(ROMimage.load(file.path()), RomLoadNoLibrary);
  EXPECT_EQ(0, std::memcmp(ROMimage.PRG_ROM, image.prg.data(), 100));
  std::vector<unsigned char> zeros(32768 - 100, 0);
  EXPECT_EQ(0, std::memcmp(ROMimage.PRG_ROM + 100, zeros.data(), zeros.size()));
  EXPECT_EQ(0, std::memcmp(ROMimage.CHR_ROM, zeros.data(), 8192));
}

TEST_F(RomLoad, HeaderCutShortStillReadsAsZeros) {
  TempFile file({'N', 'E', 'S'});
  EXPECT_EQ(ROMimage.load(file.path()), RomLoadNoProgramData);
  EXPECT_EQ(ROMimage.PRGROMPages + 0u, 0u);  // a copy: the field is packed
}

TEST_F(RomLoad, FileThatCannotBeOpenedGivesCode1AndReleasesTheOldBanks) {
  Load(InesImage::Numbered(4, 1, 1));
  ASSERT_NE(ROMimage.PRG_ROM, nullptr);

  EXPECT_EQ(ROMimage.load("/nonexistent/dir/game.nes"), RomLoadCouldNotOpen);
  EXPECT_EQ(ROMimage.PRG_ROM, nullptr);
  EXPECT_EQ(ROMimage.CHR_ROM, nullptr);
  EXPECT_STREQ(LoadErrorMessage(RomLoadCouldNotOpen), "Could Not Open File");
  // A directory opens on Linux; only its reads fail. It is not an image,
  // and nothing is read from it: the last header read stays.
  InesImage image = InesImage::Numbered(9, 3, 2);
  Load(image);
  EXPECT_EQ(ROMimage.load("/"), RomLoadCouldNotOpen);
  EXPECT_EQ(0, std::memcmp(ROMimage.Header, image.header, 16));
}

// Reading a FIFO without a writer would wait forever, and a device never
// ends: neither is read at all.
TEST_F(RomLoad, FifoOrDeviceIsRefusedWithCode1BeforeAnyRead) {
  TempDirectory directory;
  const std::string fifo = directory.path() + "/game.nes";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ROMimage.load(fifo.c_str()), RomLoadCouldNotOpen);
  EXPECT_EQ(ROMimage.load("/dev/zero"), RomLoadCouldNotOpen);
}

TEST_F(RomLoad, ImageWithoutProgramDataIsRefusedWithCode9AndNoBoard) {
  SetBoardDirectory(ProgramBuildDirectory());
  InesImage image = InesImage::Numbered(4, 0, 1);
  TempFile file(image.Bytes());

  EXPECT_EQ(LoadImageAndReset(file.path()), RomLoadNoProgramData);
  EXPECT_EQ(MapperHandle, nullptr);
  EXPECT_FALSE(ImageLoaded());
  EXPECT_EQ(ROMimage.PRG_ROM, nullptr);
  EXPECT_STREQ(LoadErrorMessage(RomLoadNoProgramData), "ROM image has no program data");
}

// Runs out of address space on purpose in a child process: the program
// banks of the image cannot be allocated.
void LoadWithAddressSpaceNearlyFull(const char* path) {
  std::ifstream statm("/proc/self/statm");
  unsigned long pages = 0;
  statm >> pages;
  rlim_t limit = pages * sysconf(_SC_PAGESIZE) + 1024 * 1024;
  rlimit cap{limit, limit};
  setrlimit(RLIMIT_AS, &cap);
  ROMimage.load(path);
}

TEST_F(RomLoad, ExhaustedMemoryStopsWithTheFailedConditionNamed) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's shadow memory needs the address space this test takes away";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  InesImage image = InesImage::Numbered(4, 255, 0);
  TempFile file(image.Bytes());
  EXPECT_DEATH(LoadWithAddressSpaceNearlyFull(file.path()), "PRG_ROM != 0, file rom");
}

}  // namespace
