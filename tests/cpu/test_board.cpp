#include "tests/cpu/test_board.h"

#include <cstring>

#include "io/memoryio.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

namespace test_board {

Calls calls;
unsigned char program[0x8000];

namespace {

int CPUWrite(unsigned int address, unsigned char value) {
  calls.cpu_writes.emplace_back(address, value);
  return 0;
}

unsigned char CPURead(unsigned int address) {
  calls.cpu_reads.push_back(address);
  return program[address & 0x7FFF];
}

int PPUWrite(unsigned char value) {
  calls.ppu_writes.push_back(value);
  CPU.Memory[0x2007] = value;
  return 0;
}

unsigned char PPURead() {
  ++calls.ppu_reads;
  return 0x5A;
}

void EndScan() {
  ++calls.end_scans;
  if (calls.on_end_scan) calls.on_end_scan();
}

}  // namespace

void Bind() {
  std::memset(program, 0, sizeof program);
  calls = Calls{};
  for (int window = 0; window < 4; ++window) MemoryPage[window] = program + window * 0x2000;
  MapperCPUWrite = CPUWrite;
  MapperCPURead = CPURead;
  MapperPPUWrite = PPUWrite;
  MapperPPURead = PPURead;
  MapperEndScan = EndScan;
}

}  // namespace test_board

void CpuTest::SetUp() {
  test_board::Bind();
  std::memset(&CPU, 0, sizeof CPU);
  CPU.S = 0xFF;
  NumScanlines = 240;
  PPU.Scanline = 0;
  Sprite0Scanline = 250;  // never reached by the visible counter
  HorV = 0;
}

void CpuTest::TearDown() {
  UseNoCartridge();
}

void CpuTest::Place(unsigned int address, std::initializer_list<unsigned char> bytes) {
  for (unsigned char byte : bytes) test_board::program[address++ & 0x7FFF] = byte;
}

void CpuTest::SetVector(unsigned int vector, unsigned int target) {
  Place(vector, {static_cast<unsigned char>(target), static_cast<unsigned char>(target >> 8)});
}

unsigned int CpuTest::Execute(unsigned int address, std::initializer_list<unsigned char> code) {
  Place(address, code);
  CPU.PC = static_cast<unsigned short>(address);
  const unsigned int before = CPU.Cycles;
  StepCpu();
  return CPU.Cycles - before;
}
