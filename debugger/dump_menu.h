#pragma once
// The Dump menu: the code listing, CPU memory, PPU memory or the stack page
// written to a text file of fixed name in the current directory. Declared
// with the other tool commands in debugger/tool_commands.h:
//   Debug_DumpROM, Debug_DumpCPUMem, Debug_DumpPPUMem, Debug_DumpStack.

#include "debugger/tool_commands.h"

// The files the dumps write.
inline constexpr const char* kRomDumpFile = "TaviroROM.dmp";
inline constexpr const char* kCpuDumpFile = "TaviroCPU.dmp";
inline constexpr const char* kPpuDumpFile = "TaviroPPU.dmp";
inline constexpr const char* kStackDumpFile = "TaviroStk.dmp";
