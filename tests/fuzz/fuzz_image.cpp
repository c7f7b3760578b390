// Fuzzes everything a cartridge image reaches: the loader, the real board
// plug-ins, the load sequence, and a few frames in which the image's own
// program drives the ports, the data port, the boards and the renderers.
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "emulation/emulate.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"

namespace {

// The image is handed to the loader as a file, as a user would; an
// in-memory file keeps the disk out of the loop.
int ImageFile() {
  static const int fd = memfd_create("fuzz-image.nes", 0);
  return fd;
}

bool WriteImage(const uint8_t* data, size_t size) {
  const int fd = ImageFile();
  if (fd < 0 || ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0) return false;
  return write(fd, data, size) == static_cast<ssize_t>(size);
}

// libFuzzer keeps coverage counters inside every instrumented library and
// cannot cope with one being unloaded; holding our own reference keeps the
// boards mapped while the binding loads and unloads them per image.
void PinBoard(const char* name) {
  const std::string path = LocateBoardLibrary(name);
  if (path.empty() || dlopen(path.c_str(), RTLD_NOW | RTLD_NODELETE) == nullptr) {
    std::fprintf(stderr, "fuzz_image: cannot load %s beside %s\n", name,
                 ProgramDirectory().c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (const char* board :
       {"Board0", "Board1", "Board2", "Board3", "Board4", "Board7", "Board9", "Board30"})
    PinBoard(board);
  return OpenVideoSurfaces(nullptr);  // headless surfaces for NESMain
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!WriteImage(data, size)) return 0;
  char path[64];
  std::snprintf(path, sizeof path, "/proc/self/fd/%d", ImageFile());
  if (LoadImageAndReset(path) != 0) return 0;
  for (int frame = 0; frame < 3; ++frame) NESMain();
  return 0;
}
