// Images whose program is hostile rather than their header: random bytes
// behind a valid header, and program ROM made of one opcode, so that every
// vector points back into the same bytes.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "tests/hardening/image_trial.h"

namespace {

constexpr int kFrames = 6;

using RandomCase = std::tuple<unsigned int, unsigned int>;  // mapper, seed

class RandomProgram : public ::testing::TestWithParam<RandomCase> {};

// Sizes vary with the seed, from one program page (where windows repeat)
// to eight, with and without character ROM.
TEST_P(RandomProgram, RunsWithoutLeavingItsBuffers) {
  const auto [mapper, seed] = GetParam();
  static const unsigned int programPages[] = {1, 2, 4, 8};
  static const unsigned int characterPages[] = {0, 1, 2};
  ExpectImageHandledSafely(
      RandomImage(mapper, programPages[seed % 4], characterPages[seed % 3], seed), kLoaded,
      kFrames);
}

INSTANTIATE_TEST_SUITE_P(Hostile, RandomProgram,
                         ::testing::Combine(::testing::Values(4u, 9u), ::testing::Range(1u, 13u)),
                         [](const ::testing::TestParamInfo<RandomCase>& info) {
                           return "Mapper" + std::to_string(std::get<0>(info.param)) + "_Seed" +
                                  std::to_string(std::get<1>(info.param));
                         });

using OpcodeCase = std::tuple<unsigned int, unsigned char>;  // mapper, opcode

class OneOpcodeProgram : public ::testing::TestWithParam<OpcodeCase> {};

TEST_P(OneOpcodeProgram, RunsItsFrames) {
  const auto [mapper, opcode] = GetParam();
  ExpectImageHandledSafely(OneOpcodeImage(mapper, opcode), kLoaded, kFrames);
}

std::string OpcodeName(const ::testing::TestParamInfo<OpcodeCase>& info) {
  char name[32];
  std::snprintf(name, sizeof name, "Mapper%u_Opcode%02X", std::get<0>(info.param),
                std::get<1>(info.param));
  return name;
}

// BRK into itself, NOP, jumps and calls into the fill, returns off an empty
// stack, indirect jumps through RAM, stores into the board's registers and
// windows, reads of ports and of the board, read-modify-write of program
// ROM, an undocumented opcode that costs cycles, and undocumented opcodes
// that cost none (a program of nothing else must still end its frame).
INSTANTIATE_TEST_SUITE_P(Hostile, OneOpcodeProgram,
                         ::testing::Combine(::testing::Values(4u, 9u),
                                            ::testing::Values(0x00, 0xEA, 0x4C, 0x20, 0x40, 0x60,
                                                              0x6C, 0x8D, 0x9D, 0x91, 0xAD, 0xB1,
                                                              0x2C, 0xEE, 0x0E, 0xFF, 0x02, 0x80,
                                                              0x1A, 0x9F)),
                         OpcodeName);

class PortSweep : public ::testing::TestWithParam<unsigned int> {};

TEST_P(PortSweep, EveryValueThroughEveryPort) {
  Bytes image = RandomImage(GetParam(), 2, 1, 99);
  PlaceInLastBank(image, PortSweepProgram(), kBankSweepInterruptEntry);
  ExpectImageHandledSafely(image, kLoaded, 8);
}

INSTANTIATE_TEST_SUITE_P(Hostile, PortSweep, ::testing::Values(4u, 9u),
                         [](const ::testing::TestParamInfo<unsigned int>& info) {
                           return "Mapper" + std::to_string(info.param);
                         });

}  // namespace
