#include "debugger/memory_dump.h"

void WriteMemoryDump(std::FILE* out, const unsigned char* area, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (i % 16 == 0) {
      // Line breaks go between lines: the last line has none.
      if (i != 0) std::fputc('\n', out);
      std::fprintf(out, "$%04zX:", i);
    }
    std::fprintf(out, " %02X", area[i]);
  }
}
