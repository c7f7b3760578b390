// The listing of the demo cartridge's whole program, $8000-$FFFF, as Load
// ROM and the end of every run rebuild it. Reports lines per second.

#include <benchmark/benchmark.h>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "debugger/disassembler.h"

namespace {

void BM_ListDemoProgram(benchmark::State& state) {
  SetBoardDirectory(TAVIRO_PROGRAM_DIR);
  if (LoadImageAndReset(TAVIRO_ROM_DIR "/demo.nes") != 0) {
    state.SkipWithError("the demo cartridge or board4.so is missing: build them first");
    return;
  }
  std::int64_t lines = 0;
  char line[kDisassemblyLineSize];
  for (auto _ : state) {
    CPU.PC = 0x8000;
    do {
      DisplayInstruction(line);
      ++lines;
    } while (CPU.PC >= 0x8000);
    benchmark::DoNotOptimize(line);
  }
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
  UnloadBoard();
}
BENCHMARK(BM_ListDemoProgram)->Unit(benchmark::kMillisecond);

}  // namespace
