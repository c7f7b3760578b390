#pragma once

namespace cpu {

// The scanline bookkeeping the instruction handlers end in, once Cycles has
// reached a line's worth.

constexpr unsigned int kCyclesPerScanline = 112;
constexpr unsigned char kVisibleScanlines = 240;
constexpr unsigned char kBlankingScanlines = 22;

// Executes instructions until vertical blank begins, or until a watch asks
// for a stop: RunCpu's loop. CheckExecute looks up the execute watches
// before every instruction.
template <bool CheckExecute>
void RunUntilVerticalBlank();

// The single step: never records the scroll of the line.
void EndScanlineStep();

// The run loop: records the scroll of visible lines. Returns true when
// vertical blank has just begun or a watch asked for a stop, which ends the
// run loop.
bool EndScanlineRun();

}  // namespace cpu
