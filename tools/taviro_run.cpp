// taviro-run: runs an NES image without a window, for regression scripts,
// traces and speed measurements.

#include <cstdio>

#include "tools/batch_run.h"
#include "tools/headless_run.h"
#include "tools/run_options.h"

int main(int argc, char** argv) {
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "taviro-run: %s\n%s", error.c_str(), RunUsage);
    return kExitUsage;
  }
  if (options.help) {
    std::fputs(RunUsage, stdout);
    return 0;
  }
  if (options.Batch()) return RunBatch(options);
  return RunHeadless(options, stderr);
}
