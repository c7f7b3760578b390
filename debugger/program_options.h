#pragma once
// The command line of taviro, the debugger: [IMAGE], --symbols FILE, --help,
// --version.

#include <string>

struct ProgramOptions {
  std::string image;    // loaded at start, as Load ROM would load it
  std::string symbols;  // the image's symbol file, instead of IMAGE.dbg beside it
  bool help = false;
  bool version = false;
};

// Fills options from argv; on a usage error returns false with the reason.
bool ParseProgramOptions(int argc, const char* const* argv, ProgramOptions& options,
                         std::string& error);

extern const char* const ProgramUsage;
extern const char* const ProgramVersion;
