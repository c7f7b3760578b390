#pragma once
// The text layout of the debugger's memory dumps: 16 bytes a line,
// "$%04X:" with the offset from the start of the area, then " %02X" per byte;
// a line break before every line but the first, none after the last.

#include <cstddef>
#include <cstdio>

void WriteMemoryDump(std::FILE* out, const unsigned char* area, std::size_t length);
