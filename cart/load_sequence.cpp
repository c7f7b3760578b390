#include "cart/load_sequence.h"

#include <cstdio>

#include "cart/board_binding.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

namespace {

bool Loaded = false;

}  // namespace

void ResetNES() {
  ResetCpu();
  InitializePPU();
  SPRRAM.Initialize();
}

int LoadImageAndReset(const char* path) {
  Loaded = false;
  UnloadBoard();
  int code = ROMimage.load(path);
  if (code != RomLoadOk) return code;
  Loaded = true;
  ResetCpu();
  ResetNES();
  return RomLoadOk;
}

bool ImageLoaded() {
  return Loaded;
}

const char* LoadErrorMessage(int code) {
  switch (code) {
    case RomLoadCouldNotOpen:
      return "Could Not Open File";
    case RomLoadNoLibrary:
      return "LoadLibrary failed when opening the .dll.\n"
             "Make sure the mapper .dll is in the same directory as Taviro.";
    case RomLoadNoMainWrite:
      return "Failed to loacate the \"MapperMainWrite\" function in the mapper .dll";
    case RomLoadNoMainRead:
      return "Failed to loacate the \"MapperMainRead\" function in the mapper .dll";
    case RomLoadNoVramWrite:
      return "Failed to loacate the \"MapperVramWrite\" function in the mapper .dll";
    case RomLoadNoVramRead:
      return "Failed to loacate the \"MapperVramRead\" function in the mapper .dll";
    case RomLoadNoEndScanline:
      return "Failed to loacate the \"MapperEndScanline\" function in the mapper .dll";
    case RomLoadNoLoadRom:
      return "Failed to loacate the \"MapperLoadRom\" function in the mapper .dll";
    case RomLoadNoProgramData:
      return "ROM image has no program data";
    default:
      return "";
  }
}

std::string LoadFailureText(int code) {
  std::string text = LoadErrorMessage(code);
  if (code == RomLoadNoLibrary && !BoardFailureDetail().empty())
    text += "\n" + BoardFailureDetail();
  return text;
}

unsigned short NMIVector() {
  const unsigned char* window3 = MemoryPage[3];
  return static_cast<unsigned short>(window3[0x1FFA] | (window3[0x1FFB] << 8));
}

std::string NMIVectorText() {
  char text[32];
  std::snprintf(text, sizeof text, "NMI Vect. = %04X", NMIVector());
  return text;
}

std::string MirroringText() {
  return (PPU.Mirroring & 1) ? "Mirroring = Vert" : "Mirroring = Hoiz";
}
