// What the history costs: its part of every frame (a snapshot every few
// frames, the presses recorded at the others) against the frame itself, on
// our demo and the outside cartridges beside the checkout; the memory a full
// ten-second history takes at its peak; Step Back and a Run back over the
// whole history, with the history full.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "cart/board_binding.h"
#include "cart/history.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "emulation/emulate.h"
#include "io/joystick.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"

namespace {

const char* const kCartridges[] = {
    TAVIRO_ROM_DIR "/demo.nes", TAVIRO_BENCH_ROM_DIR "/BladeBuster.nes",
    TAVIRO_BENCH_ROM_DIR "/high-hopes.nes", TAVIRO_BENCH_ROM_DIR "/rastesam4.nes",
    TAVIRO_BENCH_ROM_DIR "/smwstomp.nes"};

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::micro>(duration).count();
}

// Buttons change every few frames, so the programs do more than wait.
void PressFor(long frame) {
  for (int button = 0; button < 8; ++button) {
    if ((frame / 7 + button) % 3 == 0)
      Joy1.SetButton(button);
    else
      Joy1.ClearButton(button);
  }
}

bool Load(benchmark::State& state) {
  const std::string path = kCartridges[state.range(0)];
  state.SetLabel(std::filesystem::path(path).stem().string());
  if (!std::filesystem::is_regular_file(path)) {
    state.SkipWithError((path + " is not there").c_str());
    return false;
  }
  SetBoardDirectory(TAVIRO_PROGRAM_DIR);
  if (OpenVideoSurfaces(nullptr) != 0 || LoadImageAndReset(path.c_str()) != 0) {
    state.SkipWithError("the cartridge or its board did not load: build them first");
    return false;
  }
  return true;
}

void Unload() {
  DirectDrawClose();
  UnloadBoard();
}

// The frame (NESMain: CPU and picture) and the history's part timed apart.
void BM_HistoryPerFrame(benchmark::State& state) {
  if (!Load(state)) return;
  MachineHistory history;
  history.Start();
  Clock::duration frames{}, kept{};
  long frame = 0;
  for (auto _ : state) {
    PressFor(frame);
    const auto pressed = Clock::now();
    if (frame++ % 7 == 0) history.Pressed();  // as the game window does when a key changes
    const auto start = Clock::now();
    NESMain();
    const auto ran = Clock::now();
    history.RanFrame();
    kept += Clock::now() - ran + (start - pressed);
    frames += ran - start;
  }
  state.counters["frame_us"] = Microseconds(frames) / frame;
  state.counters["history_us"] = Microseconds(kept) / frame;
  state.counters["history_%"] = 100.0 * Microseconds(kept) / Microseconds(frames);
  state.counters["peak_MB"] = history.PeakBytes() / 1048576.0;
  state.counters["entries"] = static_cast<double>(history.Entries());
  Unload();
}
BENCHMARK(BM_HistoryPerFrame)->DenseRange(0, 4)->Iterations(3000)->Unit(benchmark::kMillisecond);

// A full history of frames run by the run loop; each Step Back replays the
// frames since the snapshot it lands after twice (to count their
// instructions, then one short).
void FillHistory(MachineHistory& history) {
  history.Start();
  for (long frame = 0; frame < 700; ++frame) {
    PressFor(frame);
    if (frame % 7 == 0) history.Pressed();
    NESMain();
    history.RanFrame();
  }
}

// Each iteration one Step Back; the slowest is what a user waits for.
void TimeStepBacks(benchmark::State& state, MachineHistory& history) {
  double slowest = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    if (!history.StepBack()) state.SkipWithError("Step Back refused");
    slowest = std::max(slowest, Microseconds(Clock::now() - start));
  }
  state.counters["slowest_ms"] = slowest / 1000;
}

void BM_StepBackInAFullHistory(benchmark::State& state) {
  if (!Load(state)) return;
  MachineHistory history;
  FillHistory(history);
  TimeStepBacks(state, history);
  Unload();
}
BENCHMARK(BM_StepBackInAFullHistory)
    ->DenseRange(0, 4)
    ->Iterations(200)
    ->Unit(benchmark::kMillisecond);

// After a Run to of about ten seconds' instructions, reported in the run
// thread's stretches: Step Back replays from the snapshot taken within the
// run's last stretch, not from the run's start.
void BM_StepBackAfterALongRun(benchmark::State& state) {
  if (!Load(state)) return;
  constexpr std::uint64_t kStretch = 1 << 19;
  MachineHistory history;
  history.Start();
  for (int stretch = 0; stretch < 12; ++stretch) {
    for (std::uint64_t i = 0; i < kStretch; ++i) StepCpu();
    history.Ran(kStretch);
  }
  TimeStepBacks(state, history);
  Unload();
}
BENCHMARK(BM_StepBackAfterALongRun)
    ->DenseRange(0, 4)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

// The far end: an address the program never runs, so Run back replays all
// ten seconds and then puts the machine back.
void BM_RunBackOverTheWholeHistory(benchmark::State& state) {
  if (!Load(state)) return;
  MachineHistory history;
  FillHistory(history);
  for (auto _ : state) benchmark::DoNotOptimize(history.RunBack(0x0001));
  Unload();
}
BENCHMARK(BM_RunBackOverTheWholeHistory)
    ->DenseRange(0, 4)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
