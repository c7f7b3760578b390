// Ten seconds of Emulate under a real display (an X server, Xvfb too): the
// frame rate as the game window and as the cartridge count it, and the
// process's own CPU time for emulation and presentation together. With
// "viewers", the four hex viewers are open beside the game window and
// follow the machine meanwhile, as a debugger user would have them. With
// "execute" or "write", one breakpoint is armed that never stops the run:
// an execute one at $0000 or a write one on $2006 whose condition never
// holds.
//   emulate_measure [image.nes] [seconds] [viewers] [execute|write]
#include <sys/resource.h>

#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "debugger/breakpoints.h"
#include "debugger/tool_commands.h"
#include "debugger/view_memory.h"
#include "emulation/emulate.h"
#include "emulation/emulate_thread.h"
#include "platform/application.h"
#include "platform/ui_thread.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The demo cartridge counts its frames at $10-$11.
unsigned CartridgeFrames() {
  return CPU.Memory[0x10] | CPU.Memory[0x11] << 8;
}

void ArmBreakpoint(const std::string& which) {
  std::string message;
  if (which == "execute")
    Breakpoints.Add(*MakeBreakpoint("0000", "", cpu::watch::kExecute, &message));
  else if (which == "write")
    Breakpoints.Add(
        *MakeBreakpoint("2006", "value == $FF && A == $FF", cpu::watch::kWrite, &message));
}

// In a row to the right of the game window, as far as the screen has room,
// so that a screenshot shows them following.
void OpenViewersBesideTheGame() {
  ProcessEventsUntil([] { return hWndDD != nullptr; });
  WindowHandle left = hWndDD;
  for (auto [id, window] : {std::pair{207, &hWndCpuMem}, std::pair{208, &hWndPpuMem},
                            std::pair{209, &hWndStackMem}, std::pair{222, &hWndSpriteMem}}) {
    Debug_ViewMemory(nullptr, id);
    PlaceWindowBeside(*window, left);
    left = *window;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string image = argc > 1 ? argv[1] : ProgramDirectory() + "/../roms/demo.nes";
  const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
  bool withViewers = false;
  for (int arg = 3; arg < argc; ++arg) {
    if (std::string(argv[arg]) == "viewers")
      withViewers = true;
    else
      ArmBreakpoint(argv[arg]);
  }
  std::string reason;
  if (!DisplayAvailable(reason) || !StartApplication(argc, argv)) {
    std::fprintf(stderr, "emulate_measure: %s\n", reason.c_str());
    return 1;
  }
  SetBoardDirectory(ProgramDirectory() + "/../bin");
  if (const int code = LoadImageAndReset(image.c_str()); code != 0) {
    std::fprintf(stderr, "emulate_measure: %s: %s\n", image.c_str(), LoadErrorMessage(code));
    return 1;
  }
  const unsigned cartridgeBefore = CartridgeFrames();
  const double cpuBefore = CpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  Debug_Emulate(nullptr);
  if (withViewers) OpenViewersBesideTheGame();
  // The UI's own event loop, as in the program: polling would cost CPU time
  // of its own and blur the figure.
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
  PostEmulateMessage(WM_KEYDOWN, VK_ESCAPE);
  ProcessEventsUntil([] { return !EmulateThreadRunning(); });
  const double elapsed =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const double cpu = CpuSeconds() - cpuBefore;
  const unsigned long flips = GameWindowDisplay() ? GameWindowDisplay()->Shown().frame : 0;
  StopEmulationAndWait();

  std::printf("seconds %.2f, frames %lu (%.1f a second), cartridge frames %u, last figure \"%s\"\n",
              elapsed, flips, flips / elapsed, CartridgeFrames() - cartridgeBefore, FrameCount);
  std::printf("CPU time %.2f s = %.1f%% of one core\n", cpu, 100.0 * cpu / elapsed);
  UnloadBoard();
  StopApplication();
  return 0;
}
