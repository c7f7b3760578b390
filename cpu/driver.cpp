// The scanline and frame driver: the two ways into instruction execution,
// the end of every scanline, vertical blank with its NMI, reset and IRQ.

#include "cpu/driver.h"

#include <cstring>

#include "cpu/bus.h"
#include "cpu/flags.h"
#include "cpu/opcode_table.h"
#include "cpu/waiting_loop.h"
#include "cpu/watch.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/ppu.h"
#include "ppu/ppu_registers.h"
#include "ppu/spriteram.h"

constinit unsigned char NumScanlines = cpu::kVisibleScanlines;

namespace cpu {
namespace {

using ppu_register::kControl;
using ppu_register::kNmiOnVerticalBlank;
using ppu_register::kSprite0Hit;
using ppu_register::kStatus;
using ppu_register::kVerticalBlank;
constexpr unsigned int kInterruptCycles = 7;
constexpr unsigned int kNmiVector = 0xFFFA;
constexpr unsigned int kResetVector = 0xFFFC;
constexpr unsigned int kIrqVector = 0xFFFE;

// The pushed PC is the address of the next instruction, so RTI returns there.
void PushInterruptFrame() {
  Push(static_cast<unsigned char>(CPU.PC >> 8));
  Push(static_cast<unsigned char>(CPU.PC));
  Push(CPU.FLAGS);
}

// Unlike a real 6502, the NMI leaves the interrupt-disable bit as it was.
void EnterNmi() {
  PushInterruptFrame();
  CPU.Cycles += kInterruptCycles;
  CPU.PC = static_cast<unsigned short>(Fetch16(kNmiVector));
}

// Returns true when the line that just ended began vertical blank.
template <bool RecordScroll>
bool EndScanline() {
  CPU.Cycles -= kCyclesPerScanline;
  const bool visible = NumScanlines == kVisibleScanlines;
  if (RecordScroll && visible) SetScanlineScroll();
  ++PPU.Scanline;
  MapperEndScan();
  if (visible) {
    // The sprite-0 hit is up for exactly the one line the prediction names.
    if (PPU.Scanline == Sprite0Scanline)
      CPU.Memory[kStatus] |= kSprite0Hit;
    else
      CPU.Memory[kStatus] &= ~kSprite0Hit;
  }
  if (PPU.Scanline < NumScanlines) return false;

  PPU.Scanline = 0;
  if (!visible) {
    CPU.Memory[kStatus] &= ~kVerticalBlank;
    NumScanlines = kVisibleScanlines;
    HorV = 0;
    return false;
  }
  // The NMI is decided only here: enabling it later in vertical blank gives
  // none in this frame.
  CPU.Memory[kStatus] |= kVerticalBlank;
  ZeroCycleOpsInFrame = 0;
  if (CPU.Memory[kControl] & kNmiOnVerticalBlank) EnterNmi();
  NumScanlines = kBlankingScanlines;
  return true;
}

// Every instruction whose count reached a line's worth ends here, and so
// does one that met a breakpoint: its stop mark comes off before anyone sees
// the count. True when the run loop must end: vertical blank has begun or a
// breakpoint asked for a stop.
template <bool RecordScroll>
bool EndInstruction() {
  bool stop = watch::TakeStopMark();
  if (CPU.Cycles < kCyclesPerScanline) return stop;
  const bool blanking = EndScanline<RecordScroll>();
  stop |= watch::TakeStopMark();  // the interrupt pushes can meet a watch too
  return blanking || stop;
}

}  // namespace

void EndScanlineStep() {
  EndInstruction<false>();
}

bool EndScanlineRun() {
  return EndInstruction<true>();
}

}  // namespace cpu

void StepCpu() {
  OpcodeJumpTable[cpu::Fetch(CPU.PC)]();
}

// Nothing but the start of vertical blank stops the loop, or a breakpoint
// that was hit: no stop flag per instruction, and a test of the execute
// watches only while there are some.
void RunCpu() {
  if (cpu::watch::AnyExecute())
    cpu::RunUntilVerticalBlank<true>();
  else
    cpu::RunUntilVerticalBlank<false>();
}

void ResetCpu() {
  CPU.AC = 0;
  CPU.XR = 0;
  CPU.YR = 0;
  CPU.S = 0;
  CPU.FLAGS = 0;
  // $7000-$7FFF keep their contents, so a trainer loaded there survives.
  std::memset(CPU.Memory, 0, 0x7000);
  CPU.PC = static_cast<unsigned short>(cpu::Fetch16(cpu::kResetVector));
  // A new image, or new program bytes in the same memory, may hold a waiting
  // loop where the last one held a busy one.
  cpu::ForgetNonWaitingLoops();
  cpu::ZeroCycleOpsInFrame = 0;
  NumScanlines = cpu::kVisibleScanlines;
  CPU.Cycles = 0;
  PPU.Scanline = 0;
}

// Unconditional: whether an IRQ may be taken is the caller's decision.
void GenerateIRQ() {
  cpu::PushInterruptFrame();
  CPU.FLAGS |= cpu::flags::kInterrupt;
  CPU.Cycles += cpu::kInterruptCycles;
  CPU.PC = static_cast<unsigned short>(cpu::Fetch16(cpu::kIrqVector));
}
