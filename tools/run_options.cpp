#include "tools/run_options.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <utility>

const char* const RunUsage =
    "usage: taviro-run [options] IMAGE...\n"
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
    "  --load-state FILE   put the machine in a saved state before the run\n"
    "  --save-state FILE   save the machine's state after the run\n"
    "  --bench             end with: frames N, seconds S, fps F, cycles/s C\n"
    "  --no-skip           execute waiting loops instruction by instruction\n"
    "  --no-picture        compose no picture, even with --bench\n"
    "  --test-rom          read the cartridge's status at $6000 after each frame;\n"
    "                      --frames is the timeout (default 3600, one minute)\n"
    "  --verbose           with --test-rom: print the status text as it grows\n"
    "  --expect ADDR=VALUE,...\n"
    "                      check CPU memory (hex) after the run\n"
    "  --until-pc ADDR     end the run when PC reaches ADDR (hex); --frames is the timeout\n"
    "  --expect-screenshot GOLDEN.png\n"
    "                      compare the last picture with one saved by --screenshot\n"
    "  --diff FILE.png     with --expect-screenshot: mark the differing pixels\n"
    "  --jobs N            run several images N at a time (default: one per core)\n"
    "  --junit FILE        write a JUnit XML report of the images' results\n"
    "  -h, --help          print this and stop\n"
    "boards shipped, by mapper: 0 NROM, 1 MMC1, 2 UxROM, 3 CNROM, 4 MMC3, 7 AxROM,\n"
    "  9 MMC2, 30 UNROM 512\n"
    "exit status: 0 passed, 1 load or output error, 2 usage error,\n"
    "             3 failed (result code, --expect, --expect-screenshot), 4 timeout\n";

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();  // "A=1," ends in nothing
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

bool ParseOneExpectation(const std::string& item, std::vector<MemoryExpectation>& expectations,
                         std::string& error) {
  std::size_t equals = item.find('=');
  unsigned long address = 0, value = 0;
  std::string where = item.substr(0, equals);
  if (!where.empty() && where[0] == '$') where.erase(0, 1);
  std::string what = equals == std::string::npos ? "" : item.substr(equals + 1);
  if (!what.empty() && what[0] == '$') what.erase(0, 1);
  if (!ParseNumber(where, 16, 0xFFFF, address) || !ParseNumber(what, 16, 0xFF, value)) {
    error = "bad expectation (ADDR=VALUE in hex): " + item;
    return false;
  }
  expectations.push_back({static_cast<unsigned short>(address), static_cast<unsigned char>(value)});
  return true;
}

// Options that take no value; false when option is none of them.
bool ParseFlag(const std::string& option, RunOptions& options) {
  bool* flag = option == "--bench"        ? &options.bench
               : option == "--test-rom"   ? &options.testRom
               : option == "--verbose"    ? &options.verbose
               : option == "--no-picture" ? &options.noPicture
                                          : nullptr;
  if (flag != nullptr) {
    *flag = true;
    return true;
  }
  if (option == "--no-skip") {
    options.skipWaitingLoops = false;
    return true;
  }
  return false;
}

// The options that name a file or directory.
std::string* PathOption(const std::string& option, RunOptions& options) {
  if (option == "--expect-screenshot") return &options.expectScreenshotFile;
  if (option == "--diff") return &options.diffFile;
  if (option == "--junit") return &options.junitFile;
  if (option == "--trace") return &options.traceFile;
  if (option == "--symbols") return &options.symbolsFile;
  if (option == "--screenshot") return &options.screenshotFile;
  if (option == "--dump-cpu") return &options.cpuDumpFile;
  if (option == "--dump-ppu") return &options.ppuDumpFile;
  if (option == "--boards") return &options.boardsDirectory;
  if (option == "--load-state") return &options.loadStateFile;
  if (option == "--save-state") return &options.saveStateFile;
  return nullptr;
}

// An output written over the image would destroy it before it is read.
bool OutputsSpareTheImage(const RunOptions& options, std::string& error) {
  const std::pair<const char*, const std::string*> outputs[] = {
      {"--trace", &options.traceFile},
      {"--screenshot", &options.screenshotFile},
      {"--dump-cpu", &options.cpuDumpFile},
      {"--dump-ppu", &options.ppuDumpFile},
      {"--diff", &options.diffFile},
      {"--junit", &options.junitFile},
      {"--save-state", &options.saveStateFile},
  };
  for (const std::string& image : options.images) {
    for (const auto& [option, path] : outputs) {
      std::error_code ignored;
      if (!path->empty() &&
          (*path == image || std::filesystem::equivalent(*path, image, ignored))) {
        error = std::string(option) + " would overwrite the image: " + *path;
        return false;
      }
    }
  }
  return true;
}

// Combinations that cannot mean anything.
bool OptionsFitTogether(const RunOptions& options, bool framesGiven, std::string& error) {
  const bool picture = !options.screenshotFile.empty() || !options.expectScreenshotFile.empty();
  if (framesGiven && options.steps)
    error = "--frames and --steps exclude each other";
  else if (options.testRom && options.steps)
    error = "--test-rom runs frames: it excludes --steps";
  else if (!options.diffFile.empty() && options.expectScreenshotFile.empty())
    error = "--diff needs --expect-screenshot";
  else if (options.noPicture && picture)
    error = "--no-picture excludes --screenshot and --expect-screenshot";
  else if (options.Batch() && (!options.traceFile.empty() || !options.screenshotFile.empty() ||
                               !options.cpuDumpFile.empty() || !options.ppuDumpFile.empty() ||
                               !options.diffFile.empty()))
    error =
        "with several images, --trace, --screenshot, --diff and the dumps would overwrite "
        "each other";
  return error.empty();
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

bool ParseExpectations(const std::string& text, std::vector<MemoryExpectation>& expectations,
                       std::string& error) {
  if (text.empty()) {
    error = "--expect needs a value";
    return false;
  }
  for (const std::string& item : Split(text, ','))
    if (!ParseOneExpectation(item, expectations, error)) return false;
  return true;
}

bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, std::string& error) {
  bool framesGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (ParseFlag(option, options)) continue;
    if (option == "--help" || option == "-h") {
      options.help = true;
      return true;
    }
    // "-x" is a mistyped option, not an image named "-x".
    if (option.size() > 1 && option[0] == '-' && option[1] != '-') {
      error = "unknown option: " + option;
      return false;
    }
    if (option.rfind("--", 0) != 0) {
      options.images.push_back(option);
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
    } else if (option == "--expect") {
      if (!ParseExpectations(value, options.expectations, error)) return false;
    } else if (option == "--until-pc") {
      if (!value.empty() && value[0] == '$') value.erase(0, 1);
      if (!ParseNumber(value, 16, 0xFFFF, number)) {
        error = "--until-pc needs a hex address: " + value;
        return false;
      }
      options.untilPc = static_cast<unsigned short>(number);
    } else if (option == "--jobs") {
      if (!ParseNumber(value, 10, 1024, number) || number == 0) {
        error = "--jobs needs a count from 1 to 1024: " + value;
        return false;
      }
      options.jobs = static_cast<unsigned int>(number);
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
  if (options.images.empty()) {
    error = "no image given";
    return false;
  }
  options.image = options.images.front();
  if (options.testRom && !framesGiven) options.frames = kTestRomFrames;
  return OptionsFitTogether(options, framesGiven, error) && OutputsSpareTheImage(options, error);
}
