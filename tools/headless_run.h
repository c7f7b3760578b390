#pragma once
// One headless run of an image: load through the debugger's load sequence,
// set registers, run frames or single steps with the joypad presses, and
// write the trace, screenshot, dumps and benchmark line asked for; then
// check the cartridge's status, memory and picture against what was asked.

#include <cstdio>

#include "tools/run_options.h"

// The exit statuses of taviro-run.
constexpr int kExitPassed = 0;
constexpr int kExitError = 1;  // a load or output failure, an unusable golden picture
constexpr int kExitUsage = 2;
constexpr int kExitFailed = 3;    // a result code, an --expect or a picture that differs
constexpr int kExitTimedOut = 4;  // no result, or PC never at --until-pc, within the frames

// The more serious of two exit statuses: an error, then a timeout, then a failure.
int WorseExit(int a, int b);

// What a batch reports of each image.
struct RunSummary {
  int status = kExitError;
  int resultCode = -1;  // the cartridge's result code under --test-rom, once finished
  unsigned long frames = 0;
  double seconds = 0;
};

// Returns the process exit status (the messages go to errors, the
// verdicts and the cartridge's text to stdout).
int RunHeadless(const RunOptions& options, std::FILE* errors, RunSummary* summary = nullptr);
