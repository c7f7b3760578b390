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

// One byte of CPU memory checked after the run (--expect).
struct MemoryExpectation {
  unsigned short address = 0;
  unsigned char value = 0;
};

struct RunOptions {
  std::string image;                   // the first image; the only one outside a batch
  std::vector<std::string> images;     // every image, in the order given
  unsigned long frames = 60;           // with --test-rom, --until-pc: the timeout
  std::optional<unsigned long> steps;  // instructions through StepCpu instead of frames
  RegisterSettings registers;
  std::string traceFile;
  std::string symbolsFile;  // labels for the trace, instead of IMAGE.dbg beside the image
  std::string screenshotFile;
  std::vector<ButtonHold> presses;
  std::string cpuDumpFile;
  std::string ppuDumpFile;
  std::string boardsDirectory;
  std::string loadStateFile;  // restored after the load, before the registers are set
  std::string saveStateFile;  // written after the run, before the other outputs
  bool bench = false;
  bool skipWaitingLoops = true;  // --no-skip: execute every instruction of a waiting loop
  bool help = false;             // --help: print the usage and run nothing
  bool testRom = false;          // --test-rom: read the $6000 status protocol
  bool verbose = false;          // --verbose: the status text as it grows
  bool noPicture = false;        // --no-picture: never compose, even for --bench
  std::vector<MemoryExpectation> expectations;
  std::optional<unsigned short> untilPc;
  std::string expectScreenshotFile;
  std::string diffFile;
  unsigned int jobs = 0;  // --jobs: processes at a time in a batch; 0 = one per core
  std::string junitFile;

  // Several images, or a report over them: each image runs in a process of its own.
  bool Batch() const { return images.size() > 1 || !junitFile.empty() || jobs != 0; }
  // Whether anyone looks at the picture; otherwise frames are not composed.
  bool WantsPicture() const {
    return !screenshotFile.empty() || !expectScreenshotFile.empty() || (bench && !noPicture);
  }
};

// The default timeout of --test-rom: one emulated minute.
constexpr unsigned long kTestRomFrames = 3600;

// Fills options from argv; on a usage error returns false with the reason.
bool ParseRunOptions(int argc, const char* const* argv, RunOptions& options, std::string& error);

// Parts of the command line, usable on their own.
bool ParseRegisters(const std::string& text, RegisterSettings& registers, std::string& error);
bool ParsePresses(const std::string& text, std::vector<ButtonHold>& presses, std::string& error);
bool ParseExpectations(const std::string& text, std::vector<MemoryExpectation>& expectations,
                       std::string& error);

extern const char* const RunUsage;
