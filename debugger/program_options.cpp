#include "debugger/program_options.h"

#include <cstring>

const char* const ProgramUsage =
    "Usage: taviro [IMAGE] [--symbols FILE]\n"
    "       taviro -h | --help | -v | --version\n"
    "\n"
    "Opens the Taviro debugger. IMAGE, an iNES cartridge image (.nes), is loaded\n"
    "at start as the Load ROM command loads it; its board plug-in (board4.so for\n"
    "mapper 4) is looked for beside the program, then in ../lib/taviro.\n"
    "\n"
    "Boards shipped, by mapper number:\n"
    "  0 NROM   1 MMC1 (SxROM)   2 UxROM   3 CNROM   4 MMC3\n"
    "  7 AxROM  9 MMC2           30 UNROM 512\n"
    "\n"
    "  --symbols FILE the image's ld65 debug file (--dbgfile) or label file\n"
    "                 (-Ln); without it, IMAGE.dbg beside the image if there is one\n"
    "  -h, --help     print this text and stop\n"
    "  -v, --version  print the version and stop\n"
    "\n"
    "Without a display, taviro-run runs an image headless (taviro-run --help).\n";

const char* const ProgramVersion = TAVIRO_VERSION;

bool ParseProgramOptions(int argc, const char* const* argv, ProgramOptions& options,
                         std::string& error) {
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (!optionsEnded && std::strcmp(argument, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded &&
               (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0)) {
      options.help = true;
    } else if (!optionsEnded &&
               (std::strcmp(argument, "--version") == 0 || std::strcmp(argument, "-v") == 0)) {
      options.version = true;
    } else if (!optionsEnded && std::strcmp(argument, "--symbols") == 0) {
      if (i + 1 >= argc) {
        error = "--symbols needs a file";
        return false;
      }
      options.symbols = argv[++i];
    } else if (!optionsEnded && argument[0] == '-' && argument[1] != '\0') {
      error = std::string("unknown option ") + argument;
      return false;
    } else if (options.image.empty()) {
      options.image = argument;
    } else {
      error = std::string("more than one image: ") + argument;
      return false;
    }
  }
  return true;
}
