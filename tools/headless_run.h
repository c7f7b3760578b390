#pragma once
// One headless run of an image: load through the debugger's load sequence,
// set registers, run frames or single steps with the joypad presses, and
// write the trace, screenshot, dumps and benchmark line asked for.

#include <cstdio>

#include "tools/run_options.h"

// Returns the process exit status: 0, or 1 after a load or output failure
// (the message goes to errors).
int RunHeadless(const RunOptions& options, std::FILE* errors);
