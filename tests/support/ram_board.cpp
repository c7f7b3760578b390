#include "tests/support/ram_board.h"

#include <cstring>

#include "cpu/cpu.h"

namespace ram_board {

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

void Place(unsigned int address, std::initializer_list<unsigned char> bytes) {
  for (unsigned char byte : bytes) {
    address &= 0xFFFF;
    if (address < 0x8000)
      CPU.Memory[address] = byte;
    else
      program[address & 0x7FFF] = byte;
    ++address;
  }
}

void SetVector(unsigned int vector, unsigned int target) {
  Place(vector,
        {static_cast<unsigned char>(target & 0xFF), static_cast<unsigned char>(target >> 8)});
}

}  // namespace ram_board
