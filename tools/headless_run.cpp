#include "tools/headless_run.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>

#include "cart/board_binding.h"
#include "cart/ines_check.h"
#include "cart/load_sequence.h"
#include "cart/rom.h"
#include "cart/state_file.h"
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
#include "ppu/video_open.h"
#include "tools/progress.h"
#include "tools/run_checks.h"
#include "tools/status_protocol.h"

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

// The longest disassembly line: address, three bytes, an indexed or
// indirect operand.
constexpr int kTraceTextWidth = 28;

// The disassembler's line for the instruction at PC, padded so that the
// register columns line up, then the registers as they are before it runs,
// then the label of the instruction's address when the image has one: last,
// so that readers of the columns before it see the same line either way.
void TraceInstruction(std::FILE* trace) {
  char line[kDisassemblyLineSize] = {};
  unsigned short pc = CPU.PC;
  DisplayInstruction(line);
  CPU.PC = pc;
  std::fprintf(trace, "%-*s A:%02X X:%02X Y:%02X P:%02X SP:%02X CYC:%u SL:%u", kTraceTextWidth,
               line, CPU.AC, CPU.XR, CPU.YR, CPU.FLAGS, CPU.S, CPU.Cycles, unsigned{PPU.Scanline});
  if (const SymbolLabel* label = CurrentLabelAt(pc))
    std::fprintf(trace, " %s", label->name.c_str());
  std::fputc('\n', trace);
}

// How far the run loop got.
struct RunProgress {
  unsigned long frames = 0;
  bool reachedPc = false;  // --until-pc met
  TestStatus testStatus = TestStatus::Unsigned;
};

bool AtStopAddress(const RunOptions& options) {
  return options.untilPc && CPU.PC == *options.untilPc;
}

// Frames are counted by the entries into vertical blank, as RunCpu counts them.
RunProgress RunSteps(const RunOptions& options, std::FILE* trace) {
  RunProgress run;
  HoldButtonsFor(run.frames, options.presses);
  for (unsigned long step = 0; step < *options.steps; ++step) {
    if (trace != nullptr) TraceInstruction(trace);
    bool wasVisible = NumScanlines == 240;
    StepCpu();
    if (wasVisible && NumScanlines != 240) HoldButtonsFor(++run.frames, options.presses);
    if (AtStopAddress(options)) {
      run.reachedPc = true;
      break;
    }
  }
  return run;
}

// One frame as RunCpu runs it, but an instruction at a time so that each can
// be traced and PC watched. The run loop records each visible line's scroll
// as the line ends; here the line has ended when StepCpu returns, with the
// same state. Returns true when PC reached --until-pc, wherever in the frame.
bool StepFrame(const RunOptions& options, std::FILE* trace) {
  for (;;) {
    if (trace != nullptr) TraceInstruction(trace);
    const bool visible = NumScanlines == 240;
    const unsigned char line = PPU.Scanline;
    StepCpu();
    const bool lineEnded = PPU.Scanline != line || NumScanlines != 240;
    if (visible && lineEnded) RecordScanlineScroll(line);
    if (AtStopAddress(options)) return true;
    if (visible && NumScanlines != 240) return false;  // vertical blank has begun
  }
}

// Without anyone to look at it, the picture is not composed: composing
// reads the machine and changes nothing in it.
RunProgress RunFrames(const RunOptions& options, std::FILE* trace, StatusWatch& watch) {
  const bool stepped = trace != nullptr || options.untilPc;
  const bool picture = options.WantsPicture();
  ProgressLine progress(stderr, options.frames);
  RunProgress run;
  while (run.frames < options.frames) {
    HoldButtonsFor(run.frames, options.presses);
    if (!stepped) {
      RunCpu();
    } else if (StepFrame(options, trace)) {
      ++run.frames;
      run.reachedPc = true;
      break;
    }
    if (picture) ComposeFrame();
    ++run.frames;
    if (options.testRom) {
      run.testStatus = watch.AfterFrame(run.frames);
      if (run.testStatus == TestStatus::Finished) break;
    }
    progress.Update(run.frames);
  }
  return run;
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
  if (!options.saveStateFile.empty()) {
    const StateFileError error = WriteStateFile(options.saveStateFile);
    if (!error.empty()) std::fprintf(errors, "%s\n", error.c_str());
    ok &= error.empty();
  }
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

void PrintWithNewline(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  if (!text.empty() && text.back() != '\n') std::fputc('\n', stdout);
}

int TestRomVerdict(const RunOptions& options, const RunProgress& run, const StatusWatch& watch) {
  if (run.testStatus == TestStatus::Unsigned) {
    std::printf(
        "timeout: the cartridge does not report through $6000 (no $DE $B0 $61 at $6001 after "
        "%lu frames)\n",
        run.frames);
    return kExitTimedOut;
  }
  if (!options.verbose) PrintWithNewline(watch.Text());
  if (run.testStatus == TestStatus::Running) {
    std::printf("timeout: no result after %lu frames%s\n", run.frames,
                watch.Text().empty() ? ", and no text" : "; the text so far is above");
    return kExitTimedOut;
  }
  if (watch.Result() == 0) return kExitPassed;
  std::printf("failed: code %d\n", watch.Result());
  return kExitFailed;
}

// The cartridge's result, the stop address, memory and picture, each as
// asked for; the worst of them.
int Verdict(const RunOptions& options, const RunProgress& run, const StatusWatch& watch,
            std::FILE* errors) {
  int status = kExitPassed;
  if (options.testRom) status = TestRomVerdict(options, run, watch);
  if (options.untilPc && !run.reachedPc) {
    std::printf("timeout: PC never reached $%04X in %lu %s\n", *options.untilPc,
                options.steps ? *options.steps : run.frames, options.steps ? "steps" : "frames");
    status = WorseExit(status, kExitTimedOut);
  }
  if (!CheckExpectations(options.expectations, stdout)) status = WorseExit(status, kExitFailed);
  if (!options.expectScreenshotFile.empty()) {
    switch (CheckGoldenPicture(options.expectScreenshotFile, options.diffFile, stdout, errors)) {
      case GoldenVerdict::Same:
        break;
      case GoldenVerdict::Different:
        status = WorseExit(status, kExitFailed);
        break;
      case GoldenVerdict::Unusable:
        status = WorseExit(status, kExitError);
        break;
    }
  }
  return status;
}

// The run itself, between a successful load and the outputs.
int RunLoaded(const RunOptions& options, std::FILE* errors, RunSummary& summary) {
  File trace;
  if (!options.traceFile.empty()) {
    trace.reset(std::fopen(options.traceFile.c_str(), "w"));
    if (!trace) {
      std::fprintf(errors, "Couldn't Open File for output: %s\n", options.traceFile.c_str());
      return kExitError;
    }
  }
  if (!options.loadStateFile.empty()) {
    const StateFileError error = ReadStateFile(options.loadStateFile);
    if (!error.empty()) {
      std::fprintf(errors, "%s: %s\n", options.loadStateFile.c_str(), error.c_str());
      return 1;
    }
  }
  ApplyRegisters(options.registers);
  cpu::SkipWaitingLoops = options.skipWaitingLoops;
  StatusWatch watch(options.verbose, stdout);
  auto start = std::chrono::steady_clock::now();
  const RunProgress run =
      options.steps ? RunSteps(options, trace.get()) : RunFrames(options, trace.get(), watch);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  bool ok = !trace || CloseOutput(trace, options.traceFile, errors);
  ok &= WriteOutputs(options, errors);
  if (options.bench) PrintBench(run.frames, elapsed.count());
  summary.frames = run.frames;
  summary.seconds = elapsed.count();
  if (run.testStatus == TestStatus::Finished) summary.resultCode = watch.Result();
  return WorseExit(ok ? kExitPassed : kExitError, Verdict(options, run, watch, errors));
}

}  // namespace

int WorseExit(int a, int b) {
  // Ranked from harmless to serious.
  constexpr int kRank[] = {kExitPassed, kExitFailed, kExitTimedOut, kExitUsage, kExitError};
  auto rank = [&](int status) {
    for (int i = 0; i < 5; ++i)
      if (kRank[i] == status) return i;
    return 5;
  };
  return rank(a) >= rank(b) ? a : b;
}

int RunHeadless(const RunOptions& options, std::FILE* errors, RunSummary* summary) {
  RunSummary ignored;
  RunSummary& result = summary != nullptr ? *summary : ignored;
  if (!options.boardsDirectory.empty()) SetBoardDirectory(options.boardsDirectory);
  int code = LoadImageAndReset(options.image.c_str());
  if (code != 0) {
    // A script's log must say which file and why, not only that it failed.
    if (code == RomLoadCouldNotOpen)
      std::fprintf(errors, "%s %s: %s\n", LoadErrorMessage(code), options.image.c_str(),
                   OpenFailureReason(options.image.c_str()).c_str());
    else
      std::fprintf(errors, "%s\n", LoadFailureText(code, options.image).c_str());
    return result.status = kExitError;
  }
  // A bad symbol file costs the labels, not the run.
  const std::string symbolsMessage = LoadSymbolsForImage(options.image, options.symbolsFile);
  if (!symbolsMessage.empty()) std::fprintf(errors, "%s\n", symbolsMessage.c_str());
  // Headless: no display is bound, so a flip returns at once.
  if (OpenVideoSurfaces(nullptr) != 0) {
    std::fprintf(errors, "Couldn't open the video surfaces\n");
    return result.status = kExitError;
  }
  result.status = RunLoaded(options, errors, result);
  DirectDrawClose();
  UnloadBoard();
  return result.status;
}
