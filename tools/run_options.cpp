#include "tools/run_options.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <utility>

const char* const RunUsage =
    "usage: taviro-run [options] IMAGE\n"
    "  --frames N          run N frames (default 60)\n"
    "  --steps N           run N instructions instead of frames\n"
    "  --regs PC=C000,S=FD,P=24,A=00,X=00,Y=00\n"
    "                      set registers (hex) after the reset\n"
    "  --trace FILE        write one line per instruction before it runs\n"
    "  --symbols FILE      ld65 debug or label file whose labels end the trace lines\n"
    "                      (default: IMAGE.dbg beside the image, if there is one)\n"
    "  --screenshot FILE   save the picture after the run as PNG\n"
    "  --press BUTTON@FIRST-LAST,...\n"
    "                      hold joypad-1 buttons (a b select start up down left right)\n"
    "                      over frame ranges; frames count from 0\n"
    "  --dump-cpu FILE     write CPU memory $0000-$7FFF as the debugger dumps it\n"
    "  --dump-ppu FILE     write PPU memory $0000-$3FFF as the debugger dumps it\n"
    "  --boards DIR        look for board plug-ins in DIR\n"
    "  --bench             end with: frames N, seconds S, fps F, cycles/s C\n"
    "  --no-skip           execute waiting loops instruction by instruction\n"
    "  -h, --help          print this and stop\n"
    "boards shipped, by mapper: 0 NROM, 1 MMC1, 2 UxROM, 3 CNROM, 4 MMC3, 7 AxROM,\n"
    "  9 MMC2, 30 UNROM 512\n";

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  return parts;
}

bool ParseNumber(const std::string& text, int base, unsigned long limit, unsigned long& value) {
  if (text.empty() || text.size() > 16) return false;
  for (char c : text) {
    bool digit = base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                            : std::isdigit(static_cast<unsigned char>(c)) != 0;
    if (!digit) return false;
  }
  value = std::strtoul(text.c_str(), nullptr, base);
  return value <= limit;
}

std::string Uppercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

int ButtonIndex(const std::string& name) {
  static const char* const names[] = {"A", "B", "SELECT", "START", "UP", "DOWN", "LEFT", "RIGHT"};
  for (int i = 0; i < 8; ++i)
    if (Uppercase(name) == names[i]) return i;
  return -1;
}

bool ParseOneRegister(const std::string& item, RegisterSettings& registers, std::string& error) {
  std::size_t equals = item.find('=');
  std::string name = Uppercase(item.substr(0, equals));
  std::string digits = equals == std::string::npos ? "" : item.substr(equals + 1);
  unsigned long value = 0;
  unsigned long limit = name == "PC" ? 0xFFFF : 0xFF;
  if (!ParseNumber(digits, 16, limit, value)) {
    error = "bad register value: " + item;
    return false;
  }
  auto byte = static_cast<unsigned char>(value);
  if (name == "PC") {
    registers.PC = static_cast<unsigned short>(value);
  } else if (name == "S" || name == "SP") {
    registers.S = byte;
  } else if (name == "P") {
    registers.P = byte;
  } else if (name == "A") {
    registers.A = byte;
  } else if (name == "X") {
    registers.X = byte;
  } else if (name == "Y") {
    registers.Y = byte;
  } else {
    error = "unknown register: " + item;
    return false;
  }
  return true;
}

bool ParseOnePress(const std::string& item, std::vector<ButtonHold>& presses, std::string& error) {
  std::size_t at = item.find('@');
  ButtonHold hold;
  hold.button = ButtonIndex(item.substr(0, at));
  if (at == std::string::npos || hold.button < 0) {
    error = "bad button press: " + item;
    return false;
  }
  std::string range = item.substr(at + 1);
  std::size_t dash = range.find('-');
  std::string first = range.substr(0, dash);
  std::string last = dash == std::string::npos ? first : range.substr(dash + 1);
  if (!ParseNumber(first, 10, ~0UL, hold.first) || !ParseNumber(last, 10, ~0UL, hold.last) ||
      hold.last < hold.first) {
    error = "bad frame range: " + item;
    return false;
  }
  presses.push_back(hold);
  return true;
}

// The options that name a file or directory.
std::string* PathOption(const std::string& option, RunOptions& options) {
  if (option == "--trace") return &options.traceFile;
  if (option == "--symbols") return &options.symbolsFile;
  if (option == "--screenshot") return &options.screenshotFile;
  if (option == "--dump-cpu") return &options.cpuDumpFile;
  if (option == "--dump-ppu") return &options.ppuDumpFile;
  if (option == "--boards") return &options.boardsDirectory;
  return nullptr;
}

// An output written over the image would destroy it before it is read.
bool OutputsSpareTheImage(const RunOptions& options, std::string& error) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--trace", &options.traceFile},
      {"--screenshot", &options.screenshotFile},
      {"--dump-cpu", &options.cpuDumpFile},
      {"--dump-ppu", &options.ppuDumpFile},
  };
  for (const auto& [option, path] : outputs) {
    std::error_code ignored;
    if (!path->empty() &&
        (*path == options.image || std::filesystem::equivalent(*path, options.image, ignored))) {
      error = std::string(option) + " would overwrite the image: " + *path;
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseRegisters(const std::string& text, RegisterSettings& registers, std::string& error) {
  if (text.empty()) {
    error = "--regs needs a value";
    return false;
  }
  for (const std::string& item : Split(text, ','))
    if (!ParseOneRegister(item, registers, error)) return false;
  return true;
}

bool ParsePresses(const std::string& text, std::vector<ButtonHold>& presses, std::string& error) {
  if (text.empty()) {
    error = "--press needs a value";
    return false;
  }
  for (const std::string& item : Split(text, ','))
    if (!ParseOnePress(item, presses, error)) return false;
  return true;
}

bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, std::string& error) {
  bool framesGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--bench") {
      options.bench = true;
      continue;
    }
    if (option == "--no-skip") {
      options.skipWaitingLoops = false;
      continue;
    }
    if (option == "--help" || option == "-h") {
      options.help = true;
      return true;
    }
    if (option.rfind("--", 0) != 0) {
      if (!options.image.empty()) {
        error = "more than one image: " + option;
        return false;
      }
      options.image = option;
      continue;
    }
    if (i + 1 >= argc) {
      error = option + " needs a value";
      return false;
    }
    std::string value = argv[++i];
    unsigned long number = 0;
    if (option == "--frames" || option == "--steps") {
      if (!ParseNumber(value, 10, ~0UL, number)) {
        error = option + " needs a decimal count: " + value;
        return false;
      }
      if (option == "--frames") {
        options.frames = number;
        framesGiven = true;
      } else {
        options.steps = number;
      }
    } else if (option == "--regs") {
      if (!ParseRegisters(value, options.registers, error)) return false;
    } else if (option == "--press") {
      if (!ParsePresses(value, options.presses, error)) return false;
    } else if (std::string* path = PathOption(option, options)) {
      if (value.empty()) {
        error = option + " needs a file name";
        return false;
      }
      *path = value;
    } else {
      error = "unknown option: " + option;
      return false;
    }
  }
  if (options.image.empty()) {
    error = "no image given";
    return false;
  }
  if (framesGiven && options.steps) {
    error = "--frames and --steps exclude each other";
    return false;
  }
  return OutputsSpareTheImage(options, error);
}
