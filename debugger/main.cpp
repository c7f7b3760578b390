// taviro: the debugger. Options first (they need no display), then the
// display, then the dialog.
#include <cstdio>
#include <string>

#include "debugger/program_options.h"
#include "debugger/taviro.h"
#include "platform/application.h"

int main(int argc, char** argv) {
  ProgramOptions options;
  std::string error;
  if (!ParseProgramOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "taviro: %s\n%s", error.c_str(), ProgramUsage);
    return 2;
  }
  if (options.help) {
    std::fputs(ProgramUsage, stdout);
    return 0;
  }
  if (options.version) {
    std::printf("taviro %s\n", ProgramVersion);
    return 0;
  }
  // Qt aborts the process when it cannot reach a display.
  std::string reason;
  if (!DisplayAvailable(reason)) {
    std::fprintf(stderr, "taviro: %s\n", reason.c_str());
    return 1;
  }
  if (!StartApplication(argc, argv)) {
    std::fprintf(stderr, "taviro: the application could not start\n");
    return 1;
  }
  const int result = WinMain(options.image, options.symbols);
  StopApplication();
  return result == 1 ? 0 : 1;
}
