#include "cart/state_file.h"

#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "cart/machine_snapshot.h"

namespace {

constexpr char kMagic[8] = {'T', 'A', 'V', 'I', 'R', 'O', 'S', 'T'};
constexpr std::size_t kHeaderSize = 24;
// Far above any snapshot (the CPU and PPU memories and a program ROM of at
// most 4 MB), so a huge file is refused before it is read.
constexpr long kLargestStateFile = 8L << 20;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

void PutWord32(std::vector<unsigned char>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<unsigned char>(value >> shift));
}

std::uint32_t GetWord32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
}

std::uint32_t Crc32(const unsigned char* bytes, std::size_t size) {
  return static_cast<std::uint32_t>(crc32_z(crc32(0L, Z_NULL, 0), bytes, size));
}

std::string Hex32(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

std::string Reason(int error) {
  return error != 0 ? std::strerror(error) : "write error";
}

}  // namespace

std::vector<unsigned char> EncodeStateFile(const std::vector<unsigned char>& snapshot) {
  std::vector<unsigned char> file(kMagic, kMagic + sizeof kMagic);
  PutWord32(file, kStateFileVersion);
  PutWord32(file, LoadedImageChecksum());
  PutWord32(file, static_cast<std::uint32_t>(snapshot.size()));
  PutWord32(file, Crc32(snapshot.data(), snapshot.size()));
  file.insert(file.end(), snapshot.begin(), snapshot.end());
  return file;
}

StateFileError RestoreStateFile(const unsigned char* bytes, std::size_t size) {
  if (size < sizeof kMagic || std::memcmp(bytes, kMagic, sizeof kMagic) != 0)
    return "This is not a Taviro state file";
  if (size < kHeaderSize) return "The state file is truncated: its header is cut short";
  const std::uint32_t version = GetWord32(bytes + 8);
  if (version > kStateFileVersion)
    return "The state file is of version " + std::to_string(version) +
           ", newer than this Taviro reads (version " + std::to_string(kStateFileVersion) + ")";
  if (version != kStateFileVersion)
    return "The state file is of unknown version " + std::to_string(version);
  const std::uint32_t image = GetWord32(bytes + 12);
  if (image != LoadedImageChecksum())
    return "The state file belongs to another ROM image (image checksum " + Hex32(image) +
           ", the loaded image has " + Hex32(LoadedImageChecksum()) + ")";
  const std::uint32_t length = GetWord32(bytes + 16);
  if (size - kHeaderSize < length)
    return "The state file is truncated: " + std::to_string(size - kHeaderSize) + " of its " +
           std::to_string(length) + " bytes of machine state are there";
  if (size - kHeaderSize > length) return "The state file is corrupted: bytes follow its end";
  const unsigned char* body = bytes + kHeaderSize;
  if (Crc32(body, length) != GetWord32(bytes + 20))
    return "The state file is corrupted: its checksum does not match its contents";
  const SnapshotRefusal refusal = RestoreMachine(body, length);
  if (refusal != SnapshotRefusal::None) return SnapshotRefusalText(refusal);
  return {};
}

StateFileError WriteStateFile(const std::string& path) {
  std::vector<unsigned char> snapshot;
  const SnapshotRefusal refusal = SaveMachine(snapshot);
  if (refusal != SnapshotRefusal::None) return SnapshotRefusalText(refusal);
  const std::vector<unsigned char> file = EncodeStateFile(snapshot);
  File out(std::fopen(path.c_str(), "wb"));
  if (!out) return "Couldn't Open File for output: " + path;
  errno = 0;
  bool written = std::fwrite(file.data(), 1, file.size(), out.get()) == file.size() &&
                 std::fflush(out.get()) == 0;
  int reason = errno;
  if (std::fclose(out.release()) != 0 && written) {
    written = false;
    reason = errno;
  }
  if (!written) return "Couldn't write " + path + ": " + Reason(reason);
  return {};
}

StateFileError ReadStateFile(const std::string& path) {
  File in(std::fopen(path.c_str(), "rb"));
  if (!in) return "Couldn't open the state file " + path + ": " + Reason(errno);
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (bytes.size() > static_cast<std::size_t>(kLargestStateFile))
      return "This is not a Taviro state file: it is far too large";
  }
  if (std::ferror(in.get())) return "Couldn't read the state file " + path + ": " + Reason(errno);
  return RestoreStateFile(bytes.data(), bytes.size());
}
