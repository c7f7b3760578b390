#include "debugger/loaded_symbols.h"

#include <filesystem>
#include <system_error>

#include "cart/rom.h"
#include "cpu/cpu.h"
#include "debugger/symbol_files.h"

SymbolTable LoadedSymbols;

namespace {

constexpr long kHeaderSize = 16;
constexpr long kTrainerSize = 512;

}  // namespace

std::string DebugFileBeside(const std::string& image) {
  return std::filesystem::path(image).replace_extension(".dbg").string();
}

void ClearSymbols() {
  LoadedSymbols = SymbolTable();
}

std::string LoadSymbolsForImage(const std::string& image, const std::string& symbolFile) {
  ClearSymbols();
  std::string path = symbolFile;
  if (path.empty()) {
    std::error_code ignored;
    path = DebugFileBeside(image);
    if (path == image || !std::filesystem::exists(path, ignored)) return {};
  }
  SymbolTable table;
  SymbolFileError error;
  if (!ReadSymbolFile(path, table, error))
    return error.Message() + "\nThe image is loaded without symbols.";
  LoadedSymbols = std::move(table);
  return {};
}

ProgramView CurrentProgramView() {
  ProgramView view;
  view.windows = MemoryPage;
  view.program = ROMimage.PRG_ROM;
  view.programSize = std::size_t{ROMimage.PRGROMPages} * 0x4000;
  const bool trainer = ROMimage.Header != nullptr && (ROMimage.Header[6] & 0x04) != 0;
  view.programFileOffset = kHeaderSize + (trainer ? kTrainerSize : 0);
  return view;
}

const SymbolLabel* CurrentLabelAt(unsigned address) {
  if (LoadedSymbols.Empty()) return nullptr;
  return LoadedSymbols.LabelAt(address, CurrentProgramView());
}
