// The N/Z look-up table.

#include "cpu/flags.h"

namespace cpu {
namespace {

constexpr std::array<unsigned char, 256> BuildZNTable() {
  std::array<unsigned char, 256> table{};
  for (unsigned int value = 0; value < 256; ++value)
    table[value] = value == 0 ? flags::kZero : (value & 0x80 ? flags::kNegative : 0);
  return table;
}

}  // namespace
}  // namespace cpu

constinit const std::array<unsigned char, 256> ZNTable = cpu::BuildZNTable();
