#pragma once
// Many images in one command: each runs in a process of its own (the
// machine is one per process), a few at a time; one line per image in the
// order given, the worst exit status, and a JUnit XML report on request.

#include <string>
#include <vector>

#include "tools/headless_run.h"
#include "tools/run_options.h"

// One image's run as the batch saw it.
struct ImageResult {
  std::string image;
  RunSummary summary;
  std::string output;  // what the run printed, stdout and stderr together
};

// "PASS", "FAIL code 3", "FAIL", "TIMEOUT" or "ERROR".
std::string VerdictText(const RunSummary& summary);

// The report CI services read; false (with the reason) when it cannot be written.
bool WriteJunitReport(const std::string& path, const std::vector<ImageResult>& results,
                      std::string& error);

// Runs every image of options; returns the worst exit status.
int RunBatch(const RunOptions& options);
