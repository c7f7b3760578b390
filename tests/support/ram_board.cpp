#include "tests/support/ram_board.h"

#include <cstring>

#include "cpu/cpu.h"

namespace ram_board {

unsigned char program[0x8000];

namespace {

unsigned char Read(unsigned int address) {
  return program[address & 0x7FFF];
}
int Write(unsigned int address, unsigned char value) {
  program[address & 0x7FFF] = value;
  return 0;
}
int DataPortWrite(unsigned char) {
  return 0;
}
unsigned char DataPortRead() {
  return 0;
}
void EndScanline() {}

}  // namespace

void Bind() {
  std::memset(program, 0, sizeof program);
  for (int window = 0; window < 4; ++window) MemoryPage[window] = program + window * 0x2000;
  MapperCPURead = Read;
  MapperCPUWrite = Write;
  MapperPPURead = DataPortRead;
  MapperPPUWrite = DataPortWrite;
  MapperEndScan = EndScanline;
}

void Place(unsigned int address, std::initializer_list<unsigned char> bytes) {
  for (unsigned char byte : bytes) program[address++ & 0x7FFF] = byte;
}

void SetVector(unsigned int vector, unsigned int target) {
  Place(vector,
        {static_cast<unsigned char>(target & 0xFF), static_cast<unsigned char>(target >> 8)});
}

}  // namespace ram_board
