// The ld65 label file: one "al ADDRESS .name" line per symbol, the address
// in hex. It knows no banks, so its labels show wherever their address is.
#include <sstream>
#include <string>

#include "debugger/symbol_files.h"

bool ParseLabelFile(std::string_view text, SymbolTable& table, SymbolFileError& error) {
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream words(line);
    std::string command, address, name, rest;
    if (!(words >> command)) continue;  // a blank line
    words >> address >> name >> rest;
    const bool hex = !address.empty() && address.size() <= 8 &&
                     address.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
    if (command != "al" || !hex || name.empty() || !rest.empty()) {
      error.line = number;
      error.reason = "expected \"al ADDRESS .name\"";
      return false;
    }
    if (name[0] == '.') name.erase(0, 1);
    const unsigned long value = std::stoul(address, nullptr, 16);
    if (value > 0xFFFF || IsMadeUpName(name)) continue;  // not a CPU address, or no real name
    SymbolLabel label;
    label.name = name;
    label.address = static_cast<unsigned>(value);
    label.cheapLocal = name[0] == '@';
    table.AddLabel(std::move(label));
  }
  return true;
}
