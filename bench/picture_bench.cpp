// The picture: composing a busy frame, its layers one by one, and a whole
// frame of the frame function with a program running. Figures only.
#include <benchmark/benchmark.h>

#include <cstring>

#include "cpu/cpu.h"
#include "emulation/emulate.h"
#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"
#include "ppu/video_open.h"
#include "tests/support/ram_board.h"

namespace {

// Every tile opaque with all four colour numbers, every line with its own
// scroll record, 64 visible sprites: 32 behind, 32 in front, all flips.
void BuildBusyMachine() {
  std::memset(&PPU, 0, sizeof PPU);
  for (int t = 0; t < 512; ++t) {
    for (int r = 0; r < 8; ++r) {
      PPU.PPUMem[t * 16 + r] = static_cast<unsigned char>(0x55 ^ (t + r));
      PPU.PPUMem[t * 16 + 8 + r] = static_cast<unsigned char>(0x33 ^ (t * 3 + r));
    }
  }
  PrerenderPatternTiles(0, 0x2000);
  for (int a = 0x2000; a < 0x3000; ++a) PPU.PPUMem[a] = static_cast<unsigned char>(a * 7);
  for (int i = 0; i < 32; ++i) PPU.PPUMem[0x3F00 + i] = static_cast<unsigned char>(i * 5 % 64);
  for (int i = 0; i < 240; ++i) {
    ScanScrollH[i] = static_cast<unsigned char>(i * 3);
    ScanScrollV[i] = static_cast<unsigned char>(i % 240);
    ScanNameTable[i] = static_cast<unsigned char>(i / 60);
    ScanBackPattern[i] = (i & 1) << 12;
  }
  for (int n = 0; n < 64; ++n) {
    SPRRAM.SPR_RAM[4 * n] = static_cast<unsigned char>(8 + n * 3);
    SPRRAM.SPR_RAM[4 * n + 1] = static_cast<unsigned char>(n);
    SPRRAM.SPR_RAM[4 * n + 2] =
        static_cast<unsigned char>((n % 4) | ((n & 1) << 5) | (n & 0xC0) | ((n & 6) << 5));
    SPRRAM.SPR_RAM[4 * n + 3] = static_cast<unsigned char>(n * 4);
  }
  SPRRAM.Initialize();
  CPU.Memory[0x2000] = 0;
  CPU.Memory[0x2001] = 0x1E;
}

class OpenSurfaces {
 public:
  OpenSurfaces() { OpenVideoSurfaces(nullptr); }
  ~OpenSurfaces() { DirectDrawClose(); }
};

void BM_ComposeBusyFrame(benchmark::State& state) {
  BuildBusyMachine();
  OpenSurfaces surfaces;
  for (auto _ : state) {
    DrawBackgroundColor();
    DrawSpritesBack();
    BackGround.Draw();
    DrawSprites();
    DDrawFlip();
  }
  state.counters["frames/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComposeBusyFrame);

// The copy restores what the layers drew over: the background's rows are
// marked as drawn before each copy, as a frame's drawing leaves them.
void BM_BackdropCopy(benchmark::State& state) {
  BuildBusyMachine();
  OpenSurfaces surfaces;
  for (auto _ : state) {
    _DDSURFACEDESC drawn;
    LockSurfaceRows(drawn, lpDDSBack, 16, 464, 2, 64, 576);
    UnlockSurface(drawn, lpDDSBack);
    DrawBackgroundColor();
  }
}
BENCHMARK(BM_BackdropCopy);

void BM_BackgroundLayer(benchmark::State& state) {
  BuildBusyMachine();
  OpenSurfaces surfaces;
  for (auto _ : state) BackGround.Draw();
  state.counters["pixels/s"] =
      benchmark::Counter(state.iterations() * 256.0 * 224, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BackgroundLayer);

void BM_SpriteLayers(benchmark::State& state) {
  BuildBusyMachine();
  OpenSurfaces surfaces;
  for (auto _ : state) {
    DrawSpritesBack();
    DrawSprites();
  }
}
BENCHMARK(BM_SpriteLayers);

// A program that works through zero page, calls a subroutine and changes
// the horizontal scroll many times per line, on the RAM-only board.
using ram_board::Place;

void LoadProgram() {
  ram_board::Bind();
  std::memset(ram_board::program, 0xEA, sizeof ram_board::program);
  Place(0x8000, {0xA9, 0x1E, 0x8D, 0x01, 0x20,  // LDA #$1E; STA $2001
                 0xA9, 0x80, 0x8D, 0x00, 0x20,  // LDA #$80; STA $2000
                 0xA2, 0x00,                    // frame: LDX #0
                 0xB5, 0x20, 0x69, 0x03,        // add: LDA $20,X; ADC #3
                 0x95, 0x20, 0xE8,              // STA $20,X; INX
                 0xE0, 0x40, 0xD0, 0xF5,        // CPX #$40; BNE add
                 0x20, 0x30, 0x80,              // JSR scroll
                 0x4C, 0x0A, 0x80});            // JMP frame
  Place(0x8030, {0xE6, 0x30, 0xA5, 0x30,        // scroll: INC $30; LDA $30
                 0x8D, 0x05, 0x20, 0x60});      // STA $2005; RTS
  Place(0x8040, {0x40});                        // NMI: RTI
  Place(0xFFFA, {0x40, 0x80, 0x00, 0x80, 0x40, 0x80});
  ResetCpu();
}

void BM_CpuFrameOnly(benchmark::State& state) {
  BuildBusyMachine();
  LoadProgram();
  for (auto _ : state) RunCpu();
  UseNoCartridge();
}
BENCHMARK(BM_CpuFrameOnly);

void BM_NESMainFrame(benchmark::State& state) {
  BuildBusyMachine();
  LoadProgram();
  OpenSurfaces surfaces;
  std::strcpy(FrameCount, "FPS = 10000");
  for (auto _ : state) NESMain();
  state.counters["frames/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
  UseNoCartridge();
}
BENCHMARK(BM_NESMainFrame);

}  // namespace
