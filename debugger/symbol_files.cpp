#include "debugger/symbol_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Larger than any debug file a cartridge's link writes; a bigger file is
// not read into memory.
constexpr std::uintmax_t kLargestFile = 64u << 20;

std::string_view FirstRecord(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
      line.remove_suffix(1);
    if (!line.empty()) return line;
    at = end + 1;
  }
  return {};
}

}  // namespace

std::string SymbolFileError::Message() const {
  std::string text = file;
  if (line > 0) text += ", line " + std::to_string(line);
  return text + ": " + reason;
}

bool IsMadeUpName(std::string_view name) {
  return name.empty() || name.find('-') != std::string_view::npos;
}

bool ParseSymbolText(std::string_view text, SymbolTable& table, SymbolFileError& error) {
  const std::string_view first = FirstRecord(text);
  if (first.rfind("version\t", 0) == 0) return ParseDebugFile(text, table, error);
  if (first.rfind("al ", 0) == 0) return ParseLabelFile(text, table, error);
  error.line = first.empty() ? 0 : 1;
  error.reason = first.empty() ? "the file is empty"
                               : "neither an ld65 debug file (--dbgfile) nor a label file (-Ln)";
  return false;
}

bool ReadSymbolFile(const std::string& path, SymbolTable& table, SymbolFileError& error) {
  error.file = path;
  std::error_code code;
  const std::filesystem::path file(path);
  if (std::filesystem::is_directory(file, code)) {
    error.reason = "is a folder, not a symbol file";
    return false;
  }
  const std::uintmax_t size = std::filesystem::file_size(file, code);
  if (!code && size > kLargestFile) {
    error.reason = "too large for a symbol file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error.reason = std::strerror(errno != 0 ? errno : ENOENT);
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    error.reason = "could not be read";
    return false;
  }
  table.folder = file.parent_path().string();
  return ParseSymbolText(text.str(), table, error);
}
