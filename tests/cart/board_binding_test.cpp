// Binding real plug-in libraries: the library named after the mapper, the
// six entry points and their order, the record handed to the board, the
// failure codes and messages, and unloading.

#include "cart/board_binding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "boards/nesdata.h"
#include "cart/load_sequence.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"
#include "tests/cart/ines_image.h"

namespace {

class Binding : public ::testing::Test {
 protected:
  void SetUp() override { SetBoardDirectory(TAVIRO_TEST_BOARDS_DIR); }
  void TearDown() override {
    UnloadBoard();
    SetBoardDirectory("");
  }
  int LoadMapper(unsigned int mapper) {
    TempFile file(InesImage::Numbered(mapper, 1, 1).Bytes());
    return LoadImageAndReset(file.path());
  }
};

TEST_F(Binding, MissingEntryPointsGiveTheirCodesAndMessages) {
  struct Case {
    unsigned int mapper;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {203, 3, "Failed to loacate the \"MapperMainWrite\" function in the mapper .dll"},
      {204, 4, "Failed to loacate the \"MapperMainRead\" function in the mapper .dll"},
      {205, 5, "Failed to loacate the \"MapperVramWrite\" function in the mapper .dll"},
      {206, 6, "Failed to loacate the \"MapperVramRead\" function in the mapper .dll"},
      {207, 7, "Failed to loacate the \"MapperEndScanline\" function in the mapper .dll"},
      {208, 8, "Failed to loacate the \"MapperLoadRom\" function in the mapper .dll"},
  };
  for (const Case& c : cases) {
    CPU.Memory[0x7DFF] = 0;
    EXPECT_EQ(LoadMapper(c.mapper), c.code) << c.mapper;
    EXPECT_STREQ(LoadErrorMessage(c.code), c.message);
    EXPECT_FALSE(ImageLoaded());
    // The library stays loaded but is never initialised.
    EXPECT_NE(MapperHandle, nullptr);
    EXPECT_EQ(CPU.Memory[0x7DFF], 0) << "board initialised for mapper " << c.mapper;
  }
}

TEST_F(Binding, BoardLeavingAProgramWindowUnsetIsRefused) {
  EXPECT_EQ(LoadMapper(209), RomLoadNoLibrary);
  EXPECT_FALSE(ImageLoaded());
  for (unsigned char* window : MemoryPage) ASSERT_NE(window, nullptr);
  EXPECT_EQ(read_mem(0xE000), 0);  // the no-cartridge board answers
}

TEST_F(Binding, EntryPointsAreResolvedInTheirFixedOrder) {
  // 210 lacks MapperVramRead and MapperLoadRom, 211 MapperMainRead and
  // MapperEndScanline: the earlier one in the order names the failure.
  EXPECT_EQ(LoadMapper(210), RomLoadNoVramRead);
  EXPECT_EQ(LoadMapper(211), RomLoadNoMainRead);
}

TEST_F(Binding, FailedLoadsLeaveTheCoreOnTheNoCartridgeBoard) {
  TempFile noProgram(InesImage::Numbered(200, 0, 1).Bytes());
  TempFile noLibrary(InesImage::Numbered(kMapperWithoutBoard, 1, 1).Bytes());
  // 206 lacks MapperVramRead: three pointers were resolved into the new
  // library before the failure, and none of them may stay there.
  TempFile partlyResolved(InesImage::Numbered(206, 1, 1).Bytes());
  for (const char* path :
       {"/nonexistent.nes", noProgram.path(), noLibrary.path(), partlyResolved.path()}) {
    ASSERT_EQ(LoadMapper(200), RomLoadOk);
    MapperCPUWrite(0x8000, 0x55);
    ASSERT_EQ(MapperCPURead(0x8000), 0x55);

    EXPECT_NE(LoadImageAndReset(path), RomLoadOk);
    EXPECT_FALSE(ImageLoaded());
    EXPECT_EQ(MapperCPURead(0x8000), 0) << path;
    MapperCPUWrite(0x8000, 0x66);
    EXPECT_EQ(MapperCPURead(0x8000), 0) << path;
    MapperPPUWrite(0x12);
    EXPECT_EQ(MapperPPURead(), 0) << path;
    MapperEndScan();
    for (int window = 0; window < 4; ++window) {
      EXPECT_EQ(MemoryPage[window][0], 0) << path;
      EXPECT_EQ(MemoryPage[window][0x1FFF], 0) << path;
    }
  }
}

TEST_F(Binding, LibraryIsFoundWhateverTheLetterCaseAndGetsTheSharedRecord) {
  ASSERT_EQ(LoadMapper(200), RomLoadOk);  // the file is BoArD200.so
  EXPECT_TRUE(ImageLoaded());
  EXPECT_EQ(CPU.Memory[0x7DFF], 1);

  _NESData handed;
  std::memcpy(&handed, &CPU.Memory[0x7E00], sizeof handed);
  EXPECT_EQ(handed.CPU, &CPU);
  EXPECT_EQ(handed.PPU, &PPU);
  EXPECT_EQ(handed.ROMImage, &ROMimage);
  EXPECT_EQ(handed.PPUWriteAddress, &WriteAddress);
  EXPECT_EQ(handed.AlreadyRead2007, &AlreadyRead2007);
  EXPECT_EQ(handed.MemoryPage, MemoryPage);
  EXPECT_EQ(handed.PrerenderPatternTiles, &PrerenderPatternTiles);
  EXPECT_EQ(handed.SetNESPalette, &SetNESPalette);
  EXPECT_EQ(handed.GenerateIRQ, &GenerateIRQ);

  MapperCPUWrite(0x8000, 0x5A);
  EXPECT_EQ(MapperCPURead(0x9000), 0x5A);
}

TEST_F(Binding, FindsTheNameRegardlessOfCaseAndNothingElse) {
  TempDirectory dir;
  std::ofstream(dir.path() + "/BOARD4.SO") << "x";
  std::ofstream(dir.path() + "/board4.so.bak") << "x";
  EXPECT_EQ(FindBoardLibrary(dir.path(), "Board4"), dir.path() + "/BOARD4.SO");
  EXPECT_EQ(FindBoardLibrary(dir.path(), "Board44"), "");
  EXPECT_EQ(FindBoardLibrary(dir.path() + "/missing", "Board4"), "");
}

TEST_F(Binding, MissingOrBrokenLibraryGivesCode2) {
  const char* message =
      "LoadLibrary failed when opening the .dll.\n"
      "Make sure the mapper .dll is in the same directory as Taviro.";
  EXPECT_EQ(LoadMapper(kMapperWithoutBoard), RomLoadNoLibrary);
  EXPECT_EQ(MapperHandle, nullptr);
  EXPECT_STREQ(LoadErrorMessage(RomLoadNoLibrary), message);
  EXPECT_EQ(LoadFailureText(RomLoadNoLibrary),
            std::string(message) + "\nmapper 5: no board5.so in " TAVIRO_TEST_BOARDS_DIR);

  TempDirectory dir;
  std::ofstream(dir.path() + "/board77.so") << "not a library";
  SetBoardDirectory(dir.path());
  EXPECT_EQ(LoadMapper(77), RomLoadNoLibrary);
  EXPECT_EQ(MapperHandle, nullptr);
  EXPECT_EQ(
      BoardFailureDetail().rfind("mapper 77: " + dir.path() + "/board77.so could not be loaded", 0),
      0u)
      << BoardFailureDetail();
}

TEST_F(Binding, TheMissingBoardLineNamesTheInstalledFolderAndTheProgramsOwn) {
  SetBoardDirectory("");
  EXPECT_EQ(LoadMapper(kMapperWithoutBoard), RomLoadNoLibrary);
  const std::string installed =
      std::filesystem::path(ProgramDirectory() + "/" TAVIRO_INSTALLED_BOARDS_FROM_PROGRAM)
          .lexically_normal()
          .string();
  EXPECT_EQ(BoardFailureDetail(),
            "mapper 5: no board5.so in " + installed + " or beside the program");
  EXPECT_EQ(LoadFailureText(RomLoadCouldNotOpen), "Could Not Open File");
}

TEST_F(Binding, ReloadUnloadsAndStartsTheBoardAfresh) {
  ASSERT_EQ(LoadMapper(200), RomLoadOk);
  MapperCPUWrite(0x8000, 0x5A);
  ASSERT_EQ(LoadMapper(200), RomLoadOk);
  EXPECT_EQ(CPU.Memory[0x7DFF], 1) << "the library kept its state across the reload";
  EXPECT_EQ(MapperCPURead(0x8000), 0);

  // A failed load in between unloads the previous board as well.
  EXPECT_EQ(LoadMapper(0), RomLoadNoLibrary);
  EXPECT_EQ(MapperHandle, nullptr);
}

TEST_F(Binding, RealBoardsAreFoundBesideTheProgramAndRestartOnReload) {
  SetBoardDirectory(ProgramBuildDirectory());
  TempFile mmc3(InesImage::Numbered(4, 2, 1).Bytes());
  ASSERT_EQ(LoadImageAndReset(mmc3.path()), RomLoadOk);
  MapperCPUWrite(0x8000, 0x47);
  ASSERT_EQ(MapperCPURead(0x8000), 0x47);
  ASSERT_EQ(LoadImageAndReset(mmc3.path()), RomLoadOk);
  EXPECT_EQ(MapperCPURead(0x8000), 0);

  TempFile mmc2(InesImage::Numbered(9, 2, 1).Bytes());
  ASSERT_EQ(LoadImageAndReset(mmc2.path()), RomLoadOk);
  EXPECT_EQ(MemoryPage[3], ROMimage.PRG_ROM + 3 * 8192);
}

TEST_F(Binding, LoadSequenceResetsTheMachineAndDescribesTheImage) {
  InesImage image = InesImage::Numbered(200, 1, 1);
  // The stub shows program bank 0 in all four windows: vectors at $1FFA.
  image.prg[0x1FFA] = 0x34;
  image.prg[0x1FFB] = 0x92;
  image.prg[0x1FFC] = 0x00;
  image.prg[0x1FFD] = 0x85;
  image.header[6] |= 0x01;
  TempFile file(image.Bytes());
  CPU.Memory[0x0300] = 0xEE;

  ASSERT_EQ(LoadImageAndReset(file.path()), RomLoadOk);
  EXPECT_EQ(CPU.PC, 0x8500);
  EXPECT_EQ(CPU.Memory[0x0300], 0);
  EXPECT_EQ(NMIVector(), 0x9234);
  EXPECT_EQ(NMIVectorText(), "NMI Vect. = 9234");
  EXPECT_EQ(MirroringText(), "Mirroring = Vert");

  image.header[6] &= ~0x01;
  TempFile horizontal(image.Bytes());
  ASSERT_EQ(LoadImageAndReset(horizontal.path()), RomLoadOk);
  EXPECT_EQ(MirroringText(), "Mirroring = Hoiz");
}

}  // namespace
