// Fuzzes the processor: program bytes behind the four windows and initial
// registers, on a RAM-only board whose data port and scanline hook are live.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "cpu/cpu.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"

namespace {

unsigned char Program[4][0x2000];
unsigned int IrqEvery = 0;
unsigned int LinesSeen = 0;

int WriteProgram(unsigned int address, unsigned char value) {
  Program[(address >> 13) & 3][address & 0x1FFF] = value;
  return 0;
}
unsigned char ReadProgram(unsigned int address) {
  return Program[(address >> 13) & 3][address & 0x1FFF];
}
int WriteVram(unsigned char value) {
  PPU.PPUMem[WriteAddress & 0x3FFF] = value;
  if ((WriteAddress & 0x3FFF) < 0x2000)
    PrerenderPatternTiles(WriteAddress & 0x3FFF, (WriteAddress & 0x3FFF) + 1);
  WriteAddress = static_cast<unsigned short>(WriteAddress + ((CPU.Memory[0x2000] & 4) ? 32 : 1));
  return 1;
}
unsigned char ReadVram() {
  const unsigned char value = PPU.PPUMem[WriteAddress & 0x3FFF];
  WriteAddress = static_cast<unsigned short>(WriteAddress + 1);
  return value;
}
void EndScanline() {
  if (IrqEvery != 0 && ++LinesSeen % IrqEvery == 0) GenerateIRQ();
}

void BindRamBoard() {
  for (int i = 0; i < 4; ++i) MemoryPage[i] = Program[i];
  MapperCPUWrite = WriteProgram;
  MapperCPURead = ReadProgram;
  MapperPPUWrite = WriteVram;
  MapperPPURead = ReadVram;
  MapperEndScan = EndScanline;
}

}  // namespace

// Layout: A X Y S P PCL PCH IRQ-period, then program bytes repeated over
// the 32 KB of windows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 9) return 0;
  BindRamBoard();
  const uint8_t* program = data + 8;
  const size_t length = size - 8;
  for (size_t i = 0; i < sizeof Program; ++i) (&Program[0][0])[i] = program[i % length];
  ResetCpu();
  CPU.AC = data[0];
  CPU.XR = data[1];
  CPU.YR = data[2];
  CPU.S = data[3];
  CPU.FLAGS = data[4];
  CPU.PC = static_cast<unsigned short>(data[5] | data[6] << 8);
  IrqEvery = data[7];
  LinesSeen = 0;
  for (int i = 0; i < 3000; ++i) StepCpu();
  RunCpu();
  UseNoCartridge();
  return 0;
}
