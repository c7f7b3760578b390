#pragma once
// Status register bits and the N/Z update every result goes through.

#include "cpu/bus.h"

namespace cpu {

namespace flags {
constexpr unsigned char kCarry = 0x01;
constexpr unsigned char kZero = 0x02;
constexpr unsigned char kInterrupt = 0x04;
constexpr unsigned char kDecimal = 0x08;
constexpr unsigned char kBreak = 0x10;
constexpr unsigned char kOverflow = 0x40;
constexpr unsigned char kNegative = 0x80;
}  // namespace flags

// One table look-up instead of two tests.
[[gnu::always_inline]] inline void SetZN(Hot& h, unsigned char result) {
  h.FLAGS = (h.FLAGS & ~(flags::kZero | flags::kNegative)) | ZNTable[result];
}

[[gnu::always_inline]] inline void SetFlag(Hot& h, unsigned char bit, bool on) {
  h.FLAGS = on ? (h.FLAGS | bit) : (h.FLAGS & ~bit);
}

}  // namespace cpu
