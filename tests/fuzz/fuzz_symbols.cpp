// Fuzzes the symbol file readers: any text, as a debug or a label file,
// then every look-up over the whole address space. Nothing may crash, and
// a file either reads or says why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "debugger/symbol_files.h"

namespace {
unsigned char Program[0x8000];
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  SymbolTable table;
  SymbolFileError error;
  if (!ParseSymbolText(text, table, error)) {
    if (error.reason.empty()) std::abort();
    return 0;
  }
  const unsigned char* windows[4] = {Program, Program + 0x2000, Program + 0x4000, Program + 0x6000};
  const ProgramView view{windows, Program, sizeof Program, 16};
  for (unsigned address = 0; address < 0x10000; address += 7) {
    table.LabelAt(address, view);
    if (const auto at = table.LineAt(address, view)) table.AddressesOfLine(*at, view);
  }
  return 0;
}
