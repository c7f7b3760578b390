#include "debugger/dump_menu.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/machine_controller.h"
#include "debugger/memory_dump.h"
#include "platform/message_box.h"
#include "ppu/ppu.h"

namespace {

constexpr int kListing = 201;

enum class DumpResult { Written, OpenFailed, WriteFailed };

// Writes the file whole and closes it before anything is reported: a full
// disk or a failing close must not be confirmed as a dump. The stream's
// error flag is sticky, so one look after the last write checks them all.
DumpResult WriteDumpFile(const char* name, const std::function<void(std::FILE*)>& body) {
  std::FILE* out = std::fopen(name, "w");
  if (out == nullptr) return DumpResult::OpenFailed;
  body(out);
  const bool written = std::ferror(out) == 0;
  const bool closed = std::fclose(out) == 0;
  return written && closed ? DumpResult::Written : DumpResult::WriteFailed;
}

void ReportDump(WindowHandle hdWnd, DumpResult result, const std::string& confirmation) {
  switch (result) {
    case DumpResult::OpenFailed:
      ShowMessage(hdWnd, "Couldn't Open File for output", "Error", MessageIcon::None);
      break;
    case DumpResult::WriteFailed:
      ShowMessage(hdWnd, "Couldn't write file", "Error", MessageIcon::Stop);
      break;
    case DumpResult::Written:
      ShowMessage(hdWnd, confirmation, ":-)", MessageIcon::None);
      break;
  }
}

// The area is copied in one look at the machine, so a dump taken during a
// run holds the bytes of one moment; the file is written afterwards.
void DumpMemory(WindowHandle hdWnd, const char* file, const unsigned char* area, std::size_t length,
                const std::string& confirmation) {
  std::vector<unsigned char> copy(length);
  machine::Inspect([&] { std::copy(area, area + length, copy.begin()); });
  const DumpResult result =
      WriteDumpFile(file, [&](std::FILE* out) { WriteMemoryDump(out, copy.data(), length); });
  ReportDump(hdWnd, result, confirmation);
}

}  // namespace

// Every listing line as the listing shows it, after a space, each with its
// line break.
void Debug_DumpROM(WindowHandle hdWnd) {
  const DumpResult result = WriteDumpFile(kRomDumpFile, [&](std::FILE* out) {
    const int lines = ListBoxCount(hdWnd, kListing);
    for (int i = 0; i < lines; ++i)
      std::fprintf(out, " %s\n", ListBoxGetText(hdWnd, kListing, i).value_or("").c_str());
  });
  ReportDump(hdWnd, result, std::string("ROM dumped to '") + kRomDumpFile + "'");
}

void Debug_DumpCPUMem(WindowHandle hdWnd) {
  DumpMemory(hdWnd, kCpuDumpFile, CPU.Memory, 0x8000,
             std::string("CPU MEMORY dumped to '") + kCpuDumpFile + "'");
}

void Debug_DumpPPUMem(WindowHandle hdWnd) {
  DumpMemory(hdWnd, kPpuDumpFile, PPU.PPUMem, 0x4000,
             std::string("PPU MEMORY dumped to '") + kPpuDumpFile + "'");
}

// The stack page is labelled from its own start: $0000-$00F0.
void Debug_DumpStack(WindowHandle hdWnd) {
  DumpMemory(hdWnd, kStackDumpFile, CPU.Memory + 0x100, 0x100,
             std::string("Stack dumped to '") + kStackDumpFile + "'");
}
