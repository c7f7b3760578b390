#include "cart/ines_check.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cart/rom.h"

namespace {

constexpr unsigned long long kTrainerSize = 512;
constexpr unsigned long long kProgramPageSize = 16384;
constexpr unsigned long long kCharacterPageSize = 8192;

unsigned long long SizeOf(std::FILE* file) {
  struct stat status {};
  if (::fstat(::fileno(file), &status) != 0) return 0;
  return static_cast<unsigned long long>(status.st_size);
}

}  // namespace

std::FILE* OpenImageFile(const char* path) {
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

bool IsInesImage(const unsigned char* header, unsigned long long fileSize) {
  if (fileSize < kInesHeaderSize || std::memcmp(header, "NES\x1A", 4) != 0) return false;
  const unsigned long long trainer = (header[6] & 0x04) ? kTrainerSize : 0;
  const unsigned long long announced =
      kInesHeaderSize + trainer + header[4] * kProgramPageSize + header[5] * kCharacterPageSize;
  return fileSize >= announced;
}

int CheckImageFile(const char* path) {
  std::FILE* file = OpenImageFile(path);
  if (file == nullptr) return RomLoadCouldNotOpen;
  unsigned char header[kInesHeaderSize] = {};
  const std::size_t got = std::fread(header, 1, sizeof header, file);
  const bool readFailed = std::ferror(file) != 0;
  const unsigned long long size = SizeOf(file);
  std::fclose(file);
  // A directory or /proc/self/mem opens but does not read: that is a file
  // that cannot be opened, not one that is no image.
  if (readFailed) return RomLoadCouldNotOpen;
  return got == sizeof header && IsInesImage(header, size) ? RomLoadOk : RomLoadNotAnImage;
}

std::string OpenFailureReason(const char* path) {
  struct stat status {};
  if (::stat(path, &status) != 0) return std::strerror(errno);
  if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(status.st_mode)) return "not a regular file";
  const int descriptor = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return std::strerror(errno);
  char byte;
  const bool readFailed = ::read(descriptor, &byte, 1) < 0;
  const int reason = errno;
  ::close(descriptor);
  return readFailed ? std::strerror(reason) : "read error";
}
