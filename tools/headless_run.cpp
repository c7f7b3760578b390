#include "tools/headless_run.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "cpu/waiting_loop.h"
#include "debugger/disassembler.h"
#include "debugger/loaded_symbols.h"
#include "debugger/memory_dump.h"
#include "emulation/emulate.h"
#include "emulation/picture_png.h"
#include "io/joystick.h"
#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/ppu.h"

namespace {

constexpr unsigned long CyclesPerFrame = 262 * 112;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Closes an output the runner wrote and says whether every byte reached
// it: a full disk shows only in a later write or in the close, so both
// count. On failure prints one line naming the file and the reason.
bool CloseOutput(File& file, const std::string& path, std::FILE* errors) {
  errno = 0;
  bool written = std::fflush(file.get()) == 0 && !std::ferror(file.get());
  int reason = errno;
  if (std::fclose(file.release()) != 0 && written) {
    written = false;
    reason = errno;
  }
  if (!written)
    std::fprintf(errors, "Couldn't write %s: %s\n", path.c_str(),
                 reason != 0 ? std::strerror(reason) : "write error");
  return written;
}

void ApplyRegisters(const RegisterSettings& registers) {
  if (registers.PC) CPU.PC = *registers.PC;
  if (registers.S) CPU.S = *registers.S;
  if (registers.P) CPU.FLAGS = *registers.P;
  if (registers.A) CPU.AC = *registers.A;
  if (registers.X) CPU.XR = *registers.X;
  if (registers.Y) CPU.YR = *registers.Y;
}

void HoldButtonsFor(unsigned long frame, const std::vector<ButtonHold>& presses) {
  if (presses.empty()) return;
  for (int button = 0; button < 8; ++button) Joy1.ClearButton(button);
  for (const ButtonHold& hold : presses)
    if (frame >= hold.first && frame <= hold.last) Joy1.SetButton(hold.button);
}

// The disassembler's line for the instruction at PC, then the registers as
// they are before it runs, then the label of the instruction's address when
// the image has one: last, so that readers of the columns before it see the
// same line with or without symbols.
void TraceInstruction(std::FILE* trace) {
  char line[kDisassemblyLineSize] = {};
  unsigned short pc = CPU.PC;
  DisplayInstruction(line);
  CPU.PC = pc;
  std::fprintf(trace, "%s A:%02X X:%02X Y:%02X P:%02X SP:%02X CYC:%u SL:%u", line, CPU.AC, CPU.XR,
               CPU.YR, CPU.FLAGS, CPU.S, CPU.Cycles, unsigned{PPU.Scanline});
  if (const SymbolLabel* label = CurrentLabelAt(pc))
    std::fprintf(trace, " %s", label->name.c_str());
  std::fputc('\n', trace);
}

// Frames are counted by the entries into vertical blank, as RunCpu counts them.
unsigned long RunSteps(const RunOptions& options, std::FILE* trace) {
  unsigned long frame = 0;
  HoldButtonsFor(frame, options.presses);
  for (unsigned long step = 0; step < *options.steps; ++step) {
    if (trace != nullptr) TraceInstruction(trace);
    bool wasVisible = NumScanlines == 240;
    StepCpu();
    if (wasVisible && NumScanlines != 240) HoldButtonsFor(++frame, options.presses);
  }
  return frame;
}

// One frame as RunCpu runs it, but an instruction at a time so that each can
// be traced. The run loop records each visible line's scroll as the line
// ends; here the line has ended when StepCpu returns, with the same state.
void RunTracedFrame(std::FILE* trace) {
  for (;;) {
    TraceInstruction(trace);
    const bool visible = NumScanlines == 240;
    const unsigned char line = PPU.Scanline;
    StepCpu();
    if (!visible) continue;
    if (PPU.Scanline != line || NumScanlines != 240) RecordScanlineScroll(line);
    if (NumScanlines != 240) return;  // vertical blank has begun
  }
}

unsigned long RunFrames(const RunOptions& options, std::FILE* trace) {
  for (unsigned long frame = 0; frame < options.frames; ++frame) {
    HoldButtonsFor(frame, options.presses);
    if (trace == nullptr) {
      NESMain();
    } else {
      RunTracedFrame(trace);
      ComposeFrame();
    }
  }
  return options.frames;
}

bool WriteDump(const std::string& path, const unsigned char* area, std::size_t length,
               std::FILE* errors) {
  File out(std::fopen(path.c_str(), "w"));
  if (!out) {
    std::fprintf(errors, "Couldn't Open File for output: %s\n", path.c_str());
    return false;
  }
  WriteMemoryDump(out.get(), area, length);
  return CloseOutput(out, path, errors);
}

bool WriteOutputs(const RunOptions& options, std::FILE* errors) {
  bool ok = true;
  if (!options.cpuDumpFile.empty())
    ok &= WriteDump(options.cpuDumpFile, CPU.Memory, 0x8000, errors);
  if (!options.ppuDumpFile.empty())
    ok &= WriteDump(options.ppuDumpFile, PPU.PPUMem, 0x4000, errors);
  std::string error;
  if (!options.screenshotFile.empty() &&
      !SaveScreenshotPng(options.screenshotFile.c_str(), &error)) {
    std::fprintf(errors, "Couldn't save the screenshot %s: %s\n", options.screenshotFile.c_str(),
                 error.c_str());
    ok = false;
  }
  return ok;
}

void PrintBench(unsigned long frames, double seconds) {
  double fps = seconds > 0 ? frames / seconds : 0;
  std::printf("frames %lu, seconds %.3f, fps %.0f, cycles/s %.0f\n", frames, seconds, fps,
              fps * CyclesPerFrame);
}

// The run itself, between a successful load and the outputs.
int RunLoaded(const RunOptions& options, std::FILE* errors) {
  File trace;
  if (!options.traceFile.empty()) {
    trace.reset(std::fopen(options.traceFile.c_str(), "w"));
    if (!trace) {
      std::fprintf(errors, "Couldn't Open File for output: %s\n", options.traceFile.c_str());
      return 1;
    }
  }
  ApplyRegisters(options.registers);
  cpu::SkipWaitingLoops = options.skipWaitingLoops;
  auto start = std::chrono::steady_clock::now();
  unsigned long frames =
      options.steps ? RunSteps(options, trace.get()) : RunFrames(options, trace.get());
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  bool ok = !trace || CloseOutput(trace, options.traceFile, errors);
  ok &= WriteOutputs(options, errors);
  if (options.bench) PrintBench(frames, elapsed.count());
  return ok ? 0 : 1;
}

}  // namespace

int RunHeadless(const RunOptions& options, std::FILE* errors) {
  if (!options.boardsDirectory.empty()) SetBoardDirectory(options.boardsDirectory);
  int code = LoadImageAndReset(options.image.c_str());
  if (code != 0) {
    std::fprintf(errors, "%s\n", LoadFailureText(code).c_str());
    return 1;
  }
  // A bad symbol file costs the labels, not the run.
  const std::string symbolsMessage = LoadSymbolsForImage(options.image, options.symbolsFile);
  if (!symbolsMessage.empty()) std::fprintf(errors, "%s\n", symbolsMessage.c_str());
  // Headless: no display is bound, so a flip returns at once.
  if (DDrawInit(nullptr, SurfaceWidth, SurfaceHeight, 8) != 0) {
    std::fprintf(errors, "Couldn't open the video surfaces\n");
    return 1;
  }
  int status = RunLoaded(options, errors);
  DirectDrawClose();
  UnloadBoard();
  return status;
}
