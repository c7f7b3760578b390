#include "cart/rom.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "cart/board_binding.h"
#include "cpu/cpu.h"

ROM ROMimage;

namespace {

constexpr unsigned int HeaderSize = 16;
constexpr unsigned int TrainerSize = 512;
constexpr unsigned int TrainerAddress = 0x7000;
constexpr unsigned int PRGPageSize = 16384;
constexpr unsigned int CHRPageSize = 8192;

// Image buffers are sized from the file, so running out of memory is a real
// possibility; it stops the program with the failed condition named, and
// does so in release builds too, where assert() would say nothing.
void Require(bool allocated, const char* condition, int line) {
  if (allocated) return;
  std::fprintf(stderr, "Assertion failed: %s, file rom, line %d\n", condition, line);
  std::abort();
}

unsigned char* Allocate(std::size_t size) {
  return new (std::nothrow) unsigned char[size];
}

// A file shorter than its header announces delivers fewer bytes than asked
// for; the rest reads as zero rather than as whatever was there before.
void ReadAvailable(std::FILE* file, unsigned char* into, std::size_t size) {
  std::size_t got = std::fread(into, 1, size, file);
  std::memset(into + got, 0, size - got);
}

// Only a regular file is an image. A FIFO or a device could block the
// first read forever (or never end), so the file is opened without waiting
// for a writer and looked at before anything is read from it.
std::FILE* OpenRegularFile(const char* path) {
  const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    return nullptr;
  }
  std::FILE* file = ::fdopen(descriptor, "rb");
  if (file == nullptr) ::close(descriptor);
  return file;
}

// Old dumping tools wrote their name into bytes 7-15 ("DiskDude!"). Where
// bytes 12-15 are not all zero and the header is not an NES 2.0 one (whose
// last bytes mean something), byte 7 is no header byte and the mapper
// number comes from byte 6 alone.
unsigned char MapperNumberOf(const unsigned char* header) {
  const bool nes20 = (header[7] & 0x0C) == 0x08;
  const bool tailInUse = (header[12] | header[13] | header[14] | header[15]) != 0;
  const unsigned char low = header[6] >> 4;
  if (tailInUse && !nes20) return low;
  return static_cast<unsigned char>((header[7] & 0xF0) + low);
}

}  // namespace

ROM::ROM()
    : Header(Allocate(HeaderSize)),
      PRG_ROM(nullptr),
      CHR_ROM(nullptr),
      MapperNumber(0),
      PRGROMPages(0),
      CHRROMPages(0) {
  Require(Header != nullptr, "Header != 0", __LINE__);
  std::memset(Header, 0, HeaderSize);
}

ROM::~ROM() {
  delete[] Header;
  delete[] PRG_ROM;
  delete[] CHR_ROM;
}

int ROM::load(const char* path) {
  // The board's windows point into the banks about to be released.
  UseNoCartridge();
  delete[] PRG_ROM;
  delete[] CHR_ROM;
  PRG_ROM = nullptr;
  CHR_ROM = nullptr;

  std::FILE* file = OpenRegularFile(path);
  if (file == nullptr) return RomLoadCouldNotOpen;

  // A read error is a file that could not be opened, not a header of zeros,
  // and like any file that cannot be opened it leaves the old header.
  unsigned char header[HeaderSize];
  ReadAvailable(file, header, HeaderSize);
  if (std::ferror(file)) {
    std::fclose(file);
    return RomLoadCouldNotOpen;
  }
  std::memcpy(Header, header, HeaderSize);
  PRGROMPages = Header[4];
  CHRROMPages = Header[5];
  MapperNumber = MapperNumberOf(Header);
  // Without program data no window can point anywhere: refuse the image
  // before a board gets to set up windows into an empty buffer.
  if (PRGROMPages == 0) {
    std::fclose(file);
    return RomLoadNoProgramData;
  }

  PRG_ROM = Allocate(std::size_t{PRGROMPages} * PRGPageSize);
  Require(PRG_ROM != nullptr, "PRG_ROM != 0", __LINE__);
  // A count of 0 still yields a valid, empty buffer.
  CHR_ROM = Allocate(std::size_t{CHRROMPages} * CHRPageSize);
  Require(CHR_ROM != nullptr, "CHR_ROM != 0", __LINE__);

  if (Header[6] & 0x04) ReadAvailable(file, &CPU.Memory[TrainerAddress], TrainerSize);
  ReadAvailable(file, PRG_ROM, std::size_t{PRGROMPages} * PRGPageSize);
  ReadAvailable(file, CHR_ROM, std::size_t{CHRROMPages} * CHRPageSize);
  std::fclose(file);

  return BindBoard(MapperNumber);
}
