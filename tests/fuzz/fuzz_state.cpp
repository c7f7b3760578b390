// Fuzzes the state-file reader: each input is tried as a whole file (magic,
// version, image, checksums) and as the machine snapshot inside a file with
// correct checksums, so that the snapshot's own checks are reached too. A
// state that is taken then runs a frame, to show the machine it gives is
// one the core and the renderers can run. Every input starts from the same
// machine: the demo cartridge after 30 frames.
//
// FUZZ_STATE_SEED=FILE writes that machine's snapshot to FILE first, as a
// seed for the corpus.
#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cart/machine_snapshot.h"
#include "cart/state_file.h"
#include "emulation/emulate.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"

namespace {

std::vector<unsigned char> Start;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz_state: %s\n", what.c_str());
  std::abort();
}

void WriteSeed(const char* path) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr || std::fwrite(Start.data(), 1, Start.size(), out) != Start.size())
    Fail(std::string("cannot write the seed ") + path);
  std::fclose(out);
}

void RunIfTaken(bool taken) {
  if (taken) NESMain();
  if (RestoreMachine(Start.data(), Start.size()) != SnapshotRefusal::None)
    Fail("the starting machine was not taken back");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Kept mapped for libFuzzer's coverage counters, as in fuzz_image.
  const std::string board = LocateBoardLibrary("Board4");
  if (board.empty() || dlopen(board.c_str(), RTLD_NOW | RTLD_NODELETE) == nullptr)
    Fail("cannot load board4 beside " + ProgramDirectory());
  const std::string demo = ProgramDirectory() + "/../roms/demo.nes";
  if (OpenVideoSurfaces(nullptr) != 0 || LoadImageAndReset(demo.c_str()) != 0)
    Fail("cannot start " + demo);
  for (int frame = 0; frame < 30; ++frame) NESMain();
  if (SaveMachine(Start) != SnapshotRefusal::None) Fail("the demo has no snapshot");
  if (const char* seed = std::getenv("FUZZ_STATE_SEED")) WriteSeed(seed);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunIfTaken(RestoreStateFile(data, size).empty());
  const std::vector<unsigned char> file =
      EncodeStateFile(std::vector<unsigned char>(data, data + size));
  RunIfTaken(RestoreStateFile(file.data(), file.size()).empty());
  return 0;
}
