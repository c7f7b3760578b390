#pragma once
// Crafts iNES files for the tests: a header from its numbers, program banks
// whose 8 KB halves and character banks whose 1 KB parts carry their own
// number, written to a temporary file that goes away with the object.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// A mapper number no board plug-in ships for (the MMC5's).
constexpr unsigned int kMapperWithoutBoard = 5;

struct InesImage {
  unsigned char header[16] = {'N', 'E', 'S', 0x1A, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  std::vector<unsigned char> trainer;
  std::vector<unsigned char> prg;
  std::vector<unsigned char> chr;

  // Mapper in both nibbles, banks numbered: byte 0 of every 8 KB program
  // bank holds its number, and so does every byte of every 1 KB character
  // bank (so any 4 KB or 1 KB bank is recognised at any offset).
  static InesImage Numbered(unsigned int mapper, unsigned int prgPages, unsigned int chrPages) {
    InesImage image;
    image.header[4] = static_cast<unsigned char>(prgPages);
    image.header[5] = static_cast<unsigned char>(chrPages);
    image.header[6] = static_cast<unsigned char>((mapper & 0x0F) << 4);
    image.header[7] = static_cast<unsigned char>(mapper & 0xF0);
    image.prg.assign(prgPages * 16384, 0);
    for (std::size_t i = 0; i < image.prg.size(); ++i)
      image.prg[i] = static_cast<unsigned char>(i % 251);
    for (std::size_t bank = 0; bank < image.prg.size() / 8192; ++bank)
      image.prg[bank * 8192] = static_cast<unsigned char>(bank);
    image.chr.assign(chrPages * 8192, 0);
    for (std::size_t i = 0; i < image.chr.size(); ++i)
      image.chr[i] = static_cast<unsigned char>(i / 1024);
    return image;
  }

  std::vector<unsigned char> Bytes() const {
    std::vector<unsigned char> bytes(header, header + 16);
    bytes.insert(bytes.end(), trainer.begin(), trainer.end());
    bytes.insert(bytes.end(), prg.begin(), prg.end());
    bytes.insert(bytes.end(), chr.begin(), chr.end());
    return bytes;
  }
};

class TempFile {
 public:
  explicit TempFile(const std::vector<unsigned char>& bytes) {
    char pattern[] = "/tmp/taviro-test-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) std::abort();
    path_ = pattern;
    std::size_t written = 0;
    while (written < bytes.size()) {
      ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
      if (n <= 0) std::abort();
      written += static_cast<std::size_t>(n);
    }
    close(fd);
  }
  ~TempFile() { std::remove(path_.c_str()); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const char* path() const { return path_.c_str(); }

 private:
  std::string path_;
};

// A directory that goes away with the object.
class TempDirectory {
 public:
  TempDirectory() {
    char pattern[] = "/tmp/taviro-dir-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    path_ = pattern;
  }
  ~TempDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Where the build puts the program (and the real plug-ins) and the test plug-ins.
inline std::string ProgramBuildDirectory() {
  const char* dir = std::getenv("TAVIRO_PROGRAM_DIR");
  return dir != nullptr ? dir : TAVIRO_PROGRAM_DIR_DEFAULT;
}
