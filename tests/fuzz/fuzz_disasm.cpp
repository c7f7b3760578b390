// Fuzzes the disassembler: listings of arbitrary bytes at arbitrary
// addresses and index registers. Every line must fit its 30 characters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "cpu/cpu.h"
#include "debugger/disassembler.h"

namespace {
unsigned char Program[4][0x2000];
}

// Layout: PCL PCH X Y, then program bytes repeated over the windows.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const uint8_t* program = data + 4;
  const size_t length = size - 4;
  for (size_t i = 0; i < sizeof Program; ++i) (&Program[0][0])[i] = program[i % length];
  for (int i = 0; i < 4; ++i) MemoryPage[i] = Program[i];
  CPU.PC = static_cast<unsigned short>(data[0] | data[1] << 8);
  CPU.XR = data[2];
  CPU.YR = data[3];
  for (int line = 0; line < 100; ++line) {
    char text[36];
    std::memset(text, 0x7F, sizeof text);
    DisplayInstruction(text);
    if (std::memchr(text, 0, sizeof text) == nullptr || std::strlen(text) > 30) std::abort();
  }
  UseNoCartridge();
  return 0;
}
