#pragma once
// The command line of taviro-run, the headless runner.

#include <optional>
#include <string>
#include <vector>

// One joypad-1 button held from frame first to frame last, both included.
struct ButtonHold {
  int button = 0;  // 0 A, 1 B, 2 Select, 3 Start, 4 Up, 5 Down, 6 Left, 7 Right
  unsigned long first = 0;
  unsigned long last = 0;
};

// Registers set after the reset; absent ones keep their reset values.
struct RegisterSettings {
  std::optional<unsigned short> PC;
  std::optional<unsigned char> S, P, A, X, Y;
};

struct RunOptions {
  std::string image;
  unsigned long frames = 60;
  std::optional<unsigned long> steps;  // instructions through StepCpu instead of frames
  RegisterSettings registers;
  std::string traceFile;
  std::string symbolsFile;  // labels for the trace, instead of IMAGE.dbg beside the image
  std::string screenshotFile;
  std::vector<ButtonHold> presses;
  std::string cpuDumpFile;
  std::string ppuDumpFile;
  std::string boardsDirectory;
  bool bench = false;
  bool skipWaitingLoops = true;  // --no-skip: execute every instruction of a waiting loop
  bool help = false;             // --help: print the usage and run nothing
};

// Fills options from argv; on a usage error returns false with the reason.
bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, std::string& error);

// Parts of the command line, usable on their own.
bool ParseRegisters(const std::string& text, RegisterSettings& registers, std::string& error);
bool ParsePresses(const std::string& text, std::vector<ButtonHold>& presses, std::string& error);

extern const char* const RunUsage;
