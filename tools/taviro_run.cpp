// taviro-run: runs an NES image without a window, for regression scripts,
// traces and speed measurements.

#include <cstdio>

#include "tools/headless_run.h"
#include "tools/run_options.h"

int main(int argc, char** argv) {
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "taviro-run: %s\n%s", error.c_str(), RunUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(RunUsage, stdout);
    return 0;
  }
  return RunHeadless(options, stderr);
}
