#include "cart/board_binding.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <system_error>

#include "boards/board_entry_names.h"
#include "boards/nesdata.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"

void* MapperHandle = nullptr;

namespace {

std::string ChosenBoardDirectory;
std::string FailureDetail;

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

template <typename Entry>
bool Resolve(void* handle, int index, Entry& into) {
  void* symbol = dlsym(handle, BoardEntrySymbols[index]);
  if (symbol == nullptr) return false;
  into = reinterpret_cast<Entry>(symbol);
  return true;
}

// Each pointer is stored before the next is looked up; the first missing
// entry names the failure.
int ResolveEntryPoints(void* handle) {
  if (!Resolve(handle, 0, MapperCPUWrite)) return RomLoadNoMainWrite;
  if (!Resolve(handle, 1, MapperCPURead)) return RomLoadNoMainRead;
  if (!Resolve(handle, 2, MapperPPUWrite)) return RomLoadNoVramWrite;
  if (!Resolve(handle, 3, MapperPPURead)) return RomLoadNoVramRead;
  if (!Resolve(handle, 4, MapperEndScan)) return RomLoadNoEndScanline;
  if (!Resolve(handle, 5, MapperLoad)) return RomLoadNoLoadRom;
  return RomLoadOk;
}

}  // namespace

_NESData BoardRecord(ROM* image) {
  return _NESData{&CPU,
                  &PPU,
                  image,
                  &WriteAddress,
                  &AlreadyRead2007,
                  MemoryPage,
                  PrerenderPatternTiles,
                  SetNESPalette,
                  GenerateIRQ};
}

namespace {

// The loaded plug-in goes away with the program.
struct UnloadAtExit {
  ~UnloadAtExit() { UnloadBoard(); }
} unloadAtExit;

}  // namespace

std::string ProgramDirectory() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return ".";
  return program.parent_path().string();
}

std::vector<std::string> BoardDirectories() {
  if (!ChosenBoardDirectory.empty()) return {ChosenBoardDirectory};
  const std::string program = ProgramDirectory();
  return {program, program + "/" TAVIRO_INSTALLED_BOARDS_FROM_PROGRAM};
}

void SetBoardDirectory(const std::string& directory) {
  ChosenBoardDirectory = directory;
}

std::string FindBoardLibrary(const std::string& directory, const std::string& name) {
  const std::string wanted = Lowercase(name + ".so");
  std::error_code error;
  std::string match;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    std::string fileName = entry.path().filename().string();
    if (Lowercase(fileName) != wanted) continue;
    // Prefer the exact spelling; otherwise the first in name order, so the
    // choice does not depend on the directory's order.
    if (fileName == name + ".so") return entry.path().string();
    if (match.empty() || entry.path().string() < match) match = entry.path().string();
  }
  return match;
}

std::string LocateBoardLibrary(const std::string& name) {
  for (const std::string& directory : BoardDirectories()) {
    std::string path = FindBoardLibrary(directory, name);
    if (!path.empty()) return path;
  }
  return "";
}

namespace {

// The folders in words: the installed folder as a plain path, the
// program's own folder as where the user finds the program.
std::string SearchedFolders() {
  if (!ChosenBoardDirectory.empty()) return ChosenBoardDirectory;
  const std::filesystem::path installed =
      std::filesystem::path(ProgramDirectory() + "/" TAVIRO_INSTALLED_BOARDS_FROM_PROGRAM)
          .lexically_normal();
  return installed.string() + " or beside the program";
}

int FailToBind(unsigned int mapperNumber, const std::string& what) {
  FailureDetail = "mapper " + std::to_string(mapperNumber) + ": " + what;
  return RomLoadNoLibrary;
}

}  // namespace

const std::string& BoardFailureDetail() {
  return FailureDetail;
}

int BindBoard(unsigned int mapperNumber) {
  UnloadBoard();
  FailureDetail.clear();
  char name[32];
  std::snprintf(name, sizeof name, "Board%u", mapperNumber);
  const std::string fileName = Lowercase(name) + ".so";
  std::string path = LocateBoardLibrary(name);
  if (path.empty()) return FailToBind(mapperNumber, "no " + fileName + " in " + SearchedFolders());
  MapperHandle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (MapperHandle == nullptr) {
    const char* reason = dlerror();
    return FailToBind(mapperNumber, path + " could not be loaded: " + (reason ? reason : "?"));
  }

  int code = ResolveEntryPoints(MapperHandle);
  if (code != RomLoadOk) {
    // The library stays loaded until the next load, but the core must not
    // call into a board that was never initialised.
    UseNoCartridge();
    return code;
  }
  // The windows start unset so that a board which leaves one so is caught
  // here, before any fetch goes through it.
  for (unsigned char*& window : MemoryPage) window = nullptr;
  MapperLoad(BoardRecord(&ROMimage));
  if (std::find(std::begin(MemoryPage), std::end(MemoryPage), nullptr) != std::end(MemoryPage)) {
    UseNoCartridge();
    return FailToBind(mapperNumber, path + " left a program window unset");
  }
  return RomLoadOk;
}

void UnloadBoard() {
  UseNoCartridge();
  if (MapperHandle != nullptr) dlclose(MapperHandle);
  MapperHandle = nullptr;
}
