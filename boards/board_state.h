#pragma once
// Reading and writing a board's saved state: a byte string that starts with
// the board's own layout version, followed by its fields, each stored
// little-endian. Header-only because a plug-in links nothing of the program.

namespace board {

// Counts every byte it is given and stores those that fit, so one pass
// both measures the state and, with a large enough buffer, writes it.
class StateWriter {
 public:
  StateWriter(unsigned char* buffer, unsigned int size) : buffer_(buffer), size_(size) {}

  void Byte(unsigned int value) {
    if (buffer_ != nullptr && used_ < size_) buffer_[used_] = static_cast<unsigned char>(value);
    ++used_;
  }
  void Word32(unsigned int value) {
    for (int shift = 0; shift < 32; shift += 8) Byte(value >> shift);
  }
  unsigned int Used() const { return used_; }

 private:
  unsigned char* buffer_;
  unsigned int size_;
  unsigned int used_ = 0;
};

// Reads past the end give 0 and mark the state as unusable, so a board can
// read every field first and decide afterwards whether to take them.
class StateReader {
 public:
  StateReader(const unsigned char* buffer, unsigned int size)
      : buffer_(buffer), size_(buffer != nullptr ? size : 0) {}

  unsigned char Byte() {
    if (position_ >= size_) {
      intact_ = false;
      return 0;
    }
    return buffer_[position_++];
  }
  unsigned int Word32() {
    unsigned int value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<unsigned int>(Byte()) << shift;
    return value;
  }
  // `length` bytes in place, or nullptr (and unusable) when fewer are left.
  const unsigned char* Block(unsigned int length) {
    if (length > size_ - position_) {
      intact_ = false;
      position_ = size_;
      return nullptr;
    }
    const unsigned char* block = buffer_ + position_;
    position_ += length;
    return block;
  }
  // True when every field was there and nothing is left over.
  bool Complete() const { return intact_ && position_ == size_; }

 private:
  const unsigned char* buffer_;
  unsigned int size_;
  unsigned int position_ = 0;
  bool intact_ = true;
};

}  // namespace board

#include <cstring>

#include "boards/banks.h"
#include "boards/name_tables.h"

namespace board {

// A board whose whole state is one plain record saves it as it stands,
// after its layout number.
template <typename Record>
unsigned int SaveRecord(unsigned char* buffer, unsigned int size, unsigned char layout,
                        const Record& record) {
  const unsigned int length = 1 + sizeof(Record);
  if (buffer != nullptr && size >= length) {
    buffer[0] = layout;
    std::memcpy(buffer + 1, &record, sizeof(Record));
  }
  return length;
}

// Reads the record into `into` when the layout and length are right; the
// caller checks the fields before taking it.
template <typename Record>
bool ReadRecord(const unsigned char* buffer, unsigned int size, unsigned char layout,
                Record& into) {
  if (buffer == nullptr || size != 1 + sizeof(Record) || buffer[0] != layout) return false;
  std::memcpy(&into, buffer + 1, sizeof(Record));
  return true;
}

// The fields the shared helpers use as indices stay within their tables.
inline bool Plausible(const NameTables& tables) {
  return static_cast<unsigned int>(tables.mode) <= static_cast<unsigned int>(Mirroring::FourScreen);
}

inline bool Plausible(const CharacterRam& ram) {
  constexpr unsigned int kBanks = kCharacterRamMost / 0x1000;
  return ram.size <= kCharacterRamMost && ram.shown[0] < kBanks && ram.shown[1] < kBanks;
}

}  // namespace board
