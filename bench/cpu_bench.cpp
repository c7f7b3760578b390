// The processor's run loop on a mixed program: loads, stores, ALU, indexed
// and indirect modes, a port read, branches, JSR/RTS and an NMI handler
// every frame. Reports emulated instructions and cycles per second.

#include <benchmark/benchmark.h>

#include <cstring>

#include "cpu/cpu.h"
#include "tests/support/ram_board.h"

namespace {

using ram_board::Place;

void LoadProgram() {
  Place(0x8000, {
                    0xA2, 0xFF,        // LDX #$FF
                    0x9A,              // TXS
                    0xA9, 0x80,        // LDA #$80
                    0x8D, 0x00, 0x20,  // STA $2000      NMI on
                    0xA9, 0x00,        // LDA #$00
                    0x85, 0x30,        // STA $30
                    0xA9, 0x03,        // LDA #$03
                    0x85, 0x31,        // STA $31        ($30) -> $0300
                });
  Place(0x8010, {
                    0xA0, 0x20,        // main:  LDY #$20
                    0xB9, 0x00, 0x02,  // inner: LDA $0200,Y
                    0x18,              //        CLC
                    0x69, 0x03,        //        ADC #$03
                    0x99, 0x00, 0x02,  //        STA $0200,Y
                    0x51, 0x30,        //        EOR ($30),Y
                    0x91, 0x30,        //        STA ($30),Y
                    0x20, 0x40, 0x80,  //        JSR sub
                    0x88,              //        DEY
                    0xD0, 0xED,        //        BNE inner
                    0xEE, 0x00, 0x04,  //        INC $0400
                    0x4C, 0x10, 0x80,  //        JMP main
                });
  Place(0x8040, {
                    0xA6, 0x10,  // sub:  LDX $10
                    0xE8,        //       INX
                    0x86, 0x10,  //       STX $10
                    0xC9, 0x80,  //       CMP #$80
                    0x90, 0x01,  //       BCC keep
                    0x4A,        //       LSR A
                    0x48,        // keep: PHA
                    0x68,        //       PLA
                    0x60,        //       RTS
                });
  Place(0x8060, {
                    0x48,              // nmi: PHA
                    0xAD, 0x02, 0x20,  //      LDA $2002
                    0xE6, 0x40,        //      INC $40
                    0x68,              //      PLA
                    0x40,              //      RTI
                });
  Place(0xFFFA, {0x60, 0x80, 0x00, 0x80, 0x60, 0x80});
}

void BindBoardAndReset() {
  ram_board::Bind();
  LoadProgram();
  std::memset(CPU.Memory, 0, sizeof CPU.Memory);
  ResetCpu();
}

void StepUntilPhaseEnds(long long& instructions) {
  const unsigned char phase = NumScanlines;
  do {
    StepCpu();
    ++instructions;
  } while (NumScanlines == phase);
}

// The same frames again through the single step, counting instructions: the
// run loop itself counts nothing, so its figure is not disturbed. A frame of
// the run loop is the vertical blank and then the visible lines.
long long CountInstructions(long long frames) {
  BindBoardAndReset();
  long long from_reset = 0;
  StepUntilPhaseEnds(from_reset);
  long long instructions = 0;
  for (long long frame = 0; frame < frames; ++frame) {
    StepUntilPhaseEnds(instructions);
    StepUntilPhaseEnds(instructions);
  }
  return instructions;
}

constexpr double kCyclesPerFrame = 262.0 * 112.0;

void BM_RunCpuFrames(benchmark::State& state) {
  BindBoardAndReset();
  RunCpu();  // from reset to the first vertical blank
  long long frames = 0;
  for (auto _ : state) {
    RunCpu();
    ++frames;
  }
  const long long instructions = CountInstructions(frames);
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
  state.counters["cycles/s"] = benchmark::Counter(static_cast<double>(frames) * kCyclesPerFrame,
                                                  benchmark::Counter::kIsRate);
  state.counters["instructions/s"] =
      benchmark::Counter(static_cast<double>(instructions), benchmark::Counter::kIsRate);
  UseNoCartridge();
}
BENCHMARK(BM_RunCpuFrames)->Unit(benchmark::kMicrosecond);

}  // namespace
