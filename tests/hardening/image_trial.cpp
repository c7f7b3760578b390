#include "tests/hardening/image_trial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cart/rom.h"
#include "cpu/cpu.h"
#include "debugger/disassembler.h"
#include "emulation/emulate.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"
#include "tests/hardening/child_process.h"

namespace {

// Generous, for the sanitizer build: a case takes milliseconds otherwise.
constexpr std::chrono::seconds kDeadline{20};

bool SameBytes(const unsigned char* loaded, const Bytes& expected) {
  return expected.empty() || std::memcmp(loaded, expected.data(), expected.size()) == 0;
}

void ExpectAreasAsInFile(const Bytes& image) {
  const ImageLayout layout = LayoutOf(image);
  ASSERT_EQ(ROMimage.PRGROMPages * kProgramPageSize, layout.programSize);
  ASSERT_EQ(ROMimage.CHRROMPages * kCharacterPageSize, layout.characterSize);
  EXPECT_TRUE(SameBytes(ROMimage.PRG_ROM, AreaOf(image, layout.programStart, layout.programSize)))
      << "program ROM differs from the file (bytes past its end must read as zero)";
  EXPECT_TRUE(
      SameBytes(ROMimage.CHR_ROM, AreaOf(image, layout.characterStart, layout.characterSize)))
      << "character ROM differs from the file (bytes past its end must read as zero)";
  if (layout.trainerSize != 0) {
    EXPECT_TRUE(SameBytes(&CPU.Memory[0x7000], AreaOf(image, layout.trainerStart, kTrainerSize)))
        << "the trainer is not at $7000-$71FF";
  }
}

// Every window must show 8 KB of the program ROM, or the core fetches
// instructions from outside it.
void ExpectWindowsInsideProgram(const char* when) {
  const auto first = reinterpret_cast<std::uintptr_t>(ROMimage.PRG_ROM);
  const auto end = first + ROMimage.PRGROMPages * kProgramPageSize;
  for (int window = 0; window < 4; ++window) {
    const auto start = reinterpret_cast<std::uintptr_t>(MemoryPage[window]);
    EXPECT_TRUE(start >= first && start + kProgramBankSize <= end)
        << "window " << window << " lies outside the program ROM " << when;
  }
}

// What the debugger shows once an image is in: the NMI vector from the
// last program bank (window 3 after the load), the header's mirroring, and
// a listing from the reset address, one instruction of 1-3 bytes per line
// of at most 30 characters.
void ExpectDebuggerView(const Bytes& image) {
  const ImageLayout layout = LayoutOf(image);
  // NROM, CNROM and AxROM show the first 32 KB of an oversized image, the
  // MMC1 the last bank of its first 256 KB; the other boards the last bank.
  std::size_t shownEnd = layout.programSize;
  if (layout.mapper == 0 || layout.mapper == 3 || layout.mapper == 7)
    shownEnd = std::min<std::size_t>(shownEnd, 32768);
  if (layout.mapper == 1) shownEnd = std::min<std::size_t>(shownEnd, 16 * kProgramPageSize);
  const Bytes vectors = AreaOf(image, layout.programStart + shownEnd - 6, 6);
  char nmi[32];
  std::snprintf(nmi, sizeof nmi, "NMI Vect. = %04X", vectors[0] | (vectors[1] << 8));
  EXPECT_EQ(NMIVectorText(), nmi);
  const bool vertical = AreaOf(image, 0, kHeaderSize)[6] & 1;
  EXPECT_EQ(MirroringText(), vertical ? "Mirroring = Vert" : "Mirroring = Hoiz");

  const unsigned short start = CPU.PC;
  for (int line = 0; line < 256; ++line) {
    char text[kDisassemblyLineSize] = {};
    const unsigned short pc = CPU.PC;
    DisplayInstruction(text);
    const unsigned int length = static_cast<unsigned short>(CPU.PC - pc);
    EXPECT_LE(std::strlen(text), 30u) << text;
    ASSERT_TRUE(length >= 1 && length <= 3) << "listing line " << text << " took " << length;
  }
  CPU.PC = start;
}

void PrepareMachine() {
  SetBoardDirectory(BuiltProgramDirectory());
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
}

// After a refusal the machine is on the "no cartridge" board, or for a file
// that is no image on the cartridge loaded before; the frames then show
// that either is harmless, whatever the refused image left behind.
void TryImage(const std::string& path, const Bytes& image, int expectedResult, int frames,
              bool framesAfterRefusal) {
  const bool loadedBefore = ImageLoaded();
  const int result = LoadImageAndReset(path.c_str());
  ASSERT_EQ(result, expectedResult) << LoadErrorMessage(result);
  if (result != kLoaded) {
    EXPECT_STRNE(LoadErrorMessage(result), "");
    // A file that is no image is refused before the loaded one is given up.
    EXPECT_EQ(ImageLoaded(), result == kNotAnImage && loadedBefore);
    if (framesAfterRefusal)
      for (int frame = 0; frame < frames; ++frame) NESMain();
    return;
  }
  ExpectAreasAsInFile(image);
  ExpectWindowsInsideProgram("after the load");
  ExpectDebuggerView(image);
  for (int frame = 0; frame < frames; ++frame) NESMain();
  ExpectWindowsInsideProgram("after the frames");
}

int TrialResult() {
  return ::testing::Test::HasFailure() ? 3 : 0;
}

void ExpectCleanEnd(const ChildEnd& end) {
  EXPECT_TRUE(end.ExitedWith(0)) << "the trial ended with " << end.Describe()
                                 << (end.exitCode == 3 ? " (its checks failed, see above)" : "");
}

}  // namespace

void ExpectImageHandledSafely(const Bytes& image, int expectedResult, int frames) {
  ScratchDirectory scratch;
  const std::string path = scratch.Write("image.nes", image);
  ExpectCleanEnd(RunInChild(
      [&] {
        PrepareMachine();
        if (!::testing::Test::HasFatalFailure())
          TryImage(path, image, expectedResult, frames, false);
        return TrialResult();
      },
      kDeadline));
}

void ExpectSequenceHandledSafely(const std::vector<Bytes>& images, int frames) {
  ScratchDirectory scratch;
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < images.size(); ++i)
    paths.push_back(scratch.Write("image" + std::to_string(i) + ".nes", images[i]));
  ExpectCleanEnd(RunInChild(
      [&] {
        PrepareMachine();
        for (std::size_t i = 0; i < images.size() && !::testing::Test::HasFatalFailure(); ++i) {
          SCOPED_TRACE("image " + std::to_string(i) + " of the sequence");
          TryImage(paths[i], images[i], ExpectedLoadResult(images[i]), frames, true);
        }
        return TrialResult();
      },
      kDeadline));
}
