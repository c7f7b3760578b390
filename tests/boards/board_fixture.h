#pragma once
// Drives a real board plug-in directly: dlopen the built .so, resolve its six
// entry points, and hand it a record that points at the host's globals and
// at an image held by the test. Unloads the library afterwards, so every
// test starts with the board as freshly loaded.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "boards/board_entry_names.h"
#include "boards/nesdata.h"
#include "cart/board_binding.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"
#include "tests/cart/ines_image.h"

class BoardUnderTest {
 public:
  explicit BoardUnderTest(const std::string& name) {
    std::string path = ProgramBuildDirectory() + "/" + name + ".so";
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
      ADD_FAILURE() << dlerror();
      return;
    }
    MainWrite = reinterpret_cast<MapperCPUWriteFunc>(dlsym(handle_, BoardEntrySymbols[0]));
    MainRead = reinterpret_cast<MapperCPUReadFunc>(dlsym(handle_, BoardEntrySymbols[1]));
    VramWrite = reinterpret_cast<MapperPPUWriteFunc>(dlsym(handle_, BoardEntrySymbols[2]));
    VramRead = reinterpret_cast<MapperPPUReadFunc>(dlsym(handle_, BoardEntrySymbols[3]));
    EndScanline = reinterpret_cast<MapperEndScanFunc>(dlsym(handle_, BoardEntrySymbols[4]));
    LoadRom = reinterpret_cast<MapperLoadFunc>(dlsym(handle_, BoardEntrySymbols[5]));
  }
  ~BoardUnderTest() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  BoardUnderTest(const BoardUnderTest&) = delete;
  BoardUnderTest& operator=(const BoardUnderTest&) = delete;

  // Fills image with numbered banks (see InesImage) and initialises the board.
  void Load(unsigned int prgPages, unsigned int chrPages) {
    InesImage source = InesImage::Numbered(0, prgPages, chrPages);
    delete[] image.PRG_ROM;
    delete[] image.CHR_ROM;
    image.PRG_ROM = new unsigned char[source.prg.size() + 1];
    image.CHR_ROM = new unsigned char[source.chr.size() + 1];
    std::copy(source.prg.begin(), source.prg.end(), image.PRG_ROM);
    std::copy(source.chr.begin(), source.chr.end(), image.CHR_ROM);
    image.PRGROMPages = prgPages;
    image.CHRROMPages = chrPages;
    LoadRom(BoardRecord(&image));
  }

  // Sets the PPU address the way two $2006 writes leave it.
  static void SetPpuAddress(unsigned int address) {
    WriteAddress = static_cast<unsigned short>(address);
    AlreadyRead2007 = 0;
  }

  // The number of the 8 KB program bank a window shows (byte 0 of each bank).
  static unsigned int WindowBank(int window) { return MemoryPage[window][0]; }

  ROM image;
  MapperCPUWriteFunc MainWrite = nullptr;
  MapperCPUReadFunc MainRead = nullptr;
  MapperPPUWriteFunc VramWrite = nullptr;
  MapperPPUReadFunc VramRead = nullptr;
  MapperEndScanFunc EndScanline = nullptr;
  MapperLoadFunc LoadRom = nullptr;

 private:
  void* handle_ = nullptr;
};

// The host state a board touches, cleared for each test; the windows go back
// to the "no cartridge" board when the test ends.
class HostState : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&CPU, 0, sizeof CPU);
    std::memset(PPU.PPUMem, 0, sizeof PPU.PPUMem);
    WriteAddress = 0;
    AlreadyRead2007 = 0;
  }
  void TearDown() override { UseNoCartridge(); }
};
