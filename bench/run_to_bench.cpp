// Run to's loop (the single step, the stop-address compare and the stop
// request at every instruction) against the run loop RunCpu, both over the
// demo cartridge with its real board plug-in. Reports instructions per
// second; Run to should stay within a factor of 2 of RunCpu. Each with no
// breakpoint, one execute breakpoint and one write breakpoint.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "debugger/armed_breakpoints.h"
#include "debugger/breakpoints.h"
#include "debugger/run_loop.h"

namespace {

constexpr std::uint64_t kInstructionsPerRun = 10'000'000;
// The demo never executes in zero page, so a run to $0000 ends only by count.
constexpr unsigned short kNeverReached = 0x0000;

bool LoadDemo(benchmark::State& state) {
  SetBoardDirectory(TAVIRO_PROGRAM_DIR);
  if (LoadImageAndReset(TAVIRO_ROM_DIR "/demo.nes") != 0) {
    state.SkipWithError("the demo cartridge or board4.so is missing: build them first");
    return false;
  }
  return true;
}

// Argument 0: no breakpoint; 1: one execute breakpoint at an address the
// demo never executes; 2: one write breakpoint on $2006, which the demo
// writes every frame, with a condition that never holds, so every write pays
// the check and the run goes on.
void ArmOne(BreakpointList& list, long long which) {
  std::string message;
  if (which == 1)
    list.Add(*MakeBreakpoint("0000", "", cpu::watch::kExecute, &message));
  else if (which == 2)
    list.Add(*MakeBreakpoint("2006", "value == $FF && A == $FF", cpu::watch::kWrite, &message));
}

void BM_RunToDemo(benchmark::State& state) {
  if (!LoadDemo(state)) return;
  BreakpointList list;
  ArmOne(list, state.range(0));
  ArmedBreakpoints armed(list);
  const std::atomic<bool> stopRequest{false};
  std::uint64_t instructions = 0;
  for (auto _ : state)
    instructions += RunToAddress(kNeverReached, stopRequest, kInstructionsPerRun);
  state.counters["instructions/s"] =
      benchmark::Counter(static_cast<double>(instructions), benchmark::Counter::kIsRate);
  UnloadBoard();
}
BENCHMARK(BM_RunToDemo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void StepUntilPhaseEnds(std::uint64_t& instructions) {
  const unsigned char phase = NumScanlines;
  do {
    StepCpu();
    ++instructions;
  } while (NumScanlines == phase);
}

// RunCpu counts nothing, so the same frames are stepped again afterwards
// from the same reset to count their instructions.
std::uint64_t CountInstructions(long long frames) {
  ResetNES();
  std::uint64_t fromReset = 0;
  StepUntilPhaseEnds(fromReset);
  std::uint64_t instructions = 0;
  for (long long frame = 0; frame < frames; ++frame) {
    StepUntilPhaseEnds(instructions);
    StepUntilPhaseEnds(instructions);
  }
  return instructions;
}

void BM_RunCpuDemo(benchmark::State& state) {
  if (!LoadDemo(state)) return;
  BreakpointList list;
  ArmOne(list, state.range(0));
  std::optional<ArmedBreakpoints> armed(std::in_place, list);
  RunCpu();  // from reset to the first vertical blank
  long long frames = 0;
  for (auto _ : state) {
    RunCpu();
    ++frames;
  }
  armed.reset();
  const std::uint64_t instructions = CountInstructions(frames);
  state.counters["instructions/s"] =
      benchmark::Counter(static_cast<double>(instructions), benchmark::Counter::kIsRate);
  UnloadBoard();
}
BENCHMARK(BM_RunCpuDemo)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
