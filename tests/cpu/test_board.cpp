#include "tests/cpu/test_board.h"

#include <cstring>

#include "cpu/opcode_table.h"
#include "io/memoryio.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

void CpuTest::SetUp() {
  ram_board::Bind();
  std::memset(&CPU, 0, sizeof CPU);
  CPU.S = 0xFF;
  NumScanlines = 240;
  PPU.Scanline = 0;
  Sprite0Scanline = 250;  // never reached by the visible counter
  HorV = 0;
  cpu::ZeroCycleOpsInFrame = 0;
}

void CpuTest::TearDown() {
  UseNoCartridge();
}

void CpuTest::Place(unsigned int address, std::initializer_list<unsigned char> bytes) {
  ram_board::Place(address, bytes);
}

void CpuTest::SetVector(unsigned int vector, unsigned int target) {
  ram_board::SetVector(vector, target);
}

unsigned int CpuTest::Execute(unsigned int address, std::initializer_list<unsigned char> code) {
  Place(address, code);
  CPU.PC = static_cast<unsigned short>(address);
  const unsigned int before = CPU.Cycles;
  StepCpu();
  return CPU.Cycles - before;
}
