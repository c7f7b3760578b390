// Headers that announce no, one or 255 banks of each kind, and mapper
// numbers from both nibbles: each image is refused with its message or
// loads and runs a program that drives every bank register of its board.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "tests/hardening/image_trial.h"

namespace {

constexpr int kSweepFrames = 8;

Bytes SweepImage(unsigned int mapper, unsigned int programPages, unsigned int characterPages) {
  Bytes image = BlankImage(mapper, programPages, characterPages);
  // Character banks carry their 1 KB number, so a wrong copy is not all zeros.
  ImageLayout layout = LayoutOf(image);
  for (std::size_t i = 0; i < layout.characterSize; ++i)
    image[layout.characterStart + i] = static_cast<unsigned char>(i / 1024);
  if (programPages > 0) PlaceBankSweep(image, mapper);
  return image;
}

using Counts = std::tuple<unsigned int, unsigned int, unsigned int>;  // mapper, PRG, CHR

class BankCounts : public ::testing::TestWithParam<Counts> {};

TEST_P(BankCounts, RefusedWithoutProgramOtherwiseSweepsEveryBankRegister) {
  const auto [mapper, programPages, characterPages] = GetParam();
  const int expected = programPages == 0 ? kNoProgramData : kLoaded;
  ExpectImageHandledSafely(SweepImage(mapper, programPages, characterPages), expected,
                           kSweepFrames);
}

std::string CountsName(const ::testing::TestParamInfo<Counts>& info) {
  const auto [mapper, programPages, characterPages] = info.param;
  return "Mapper" + std::to_string(mapper) + "_Prg" + std::to_string(programPages) + "_Chr" +
         std::to_string(characterPages);
}

INSTANTIATE_TEST_SUITE_P(Hostile, BankCounts,
                         ::testing::Combine(::testing::ValuesIn(kShippedMappers),
                                            ::testing::Values(0u, 1u, 255u),
                                            ::testing::Values(0u, 1u, 255u)),
                         CountsName);

// Header bytes 6 and 7 as a file might carry them; bytes 8-15 are never read.
struct MapperCase {
  const char* name;
  unsigned char flags6;
  unsigned char flags7;
  const char* tail;  // bytes 8-15, or nullptr for zeros
  int expected;
};

// Test names (and CTest's) show the case, not the record's bytes and pointers.
void PrintTo(const MapperCase& c, std::ostream* out) {
  *out << c.name;
}

class MapperNumbers : public ::testing::TestWithParam<MapperCase> {};

TEST_P(MapperNumbers, OnlyTheShippedMappersFindAPlugIn) {
  const MapperCase& c = GetParam();
  const bool textTail = c.tail != nullptr && std::strlen(c.tail) > 4;  // reaches bytes 12-15
  const unsigned int mapper = (textTail ? 0 : (c.flags7 & 0xF0u)) | (c.flags6 >> 4);
  Bytes image = c.expected == kLoaded ? SweepImage(mapper, 2, 1) : BlankImage(mapper, 2, 1);
  image[6] = c.flags6;
  image[7] = c.flags7;
  for (int i = 0; c.tail != nullptr && c.tail[i] != 0 && i < 8; ++i)
    image[8 + i] = static_cast<unsigned char>(c.tail[i]);
  ExpectImageHandledSafely(image, c.expected, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Hostile, MapperNumbers,
    ::testing::Values(MapperCase{"Mapper0", 0x00, 0x00, nullptr, kLoaded},
                      MapperCase{"Mapper5", 0x50, 0x00, nullptr, kNoLibrary},
                      MapperCase{"Mapper30", 0xE0, 0x10, nullptr, kLoaded},
                      MapperCase{"Mapper4", 0x40, 0x00, nullptr, kLoaded},
                      MapperCase{"Mapper9", 0x90, 0x00, nullptr, kLoaded},
                      MapperCase{"Mapper64HighNibbleOnly", 0x00, 0x40, nullptr, kNoLibrary},
                      MapperCase{"Mapper144HighNibbleOnly", 0x00, 0x90, nullptr, kNoLibrary},
                      MapperCase{"Mapper68BothNibbles", 0x40, 0x40, nullptr, kNoLibrary},
                      MapperCase{"Mapper17BothNibbles", 0x10, 0x10, nullptr, kNoLibrary},
                      MapperCase{"Mapper73BothNibbles", 0x90, 0x40, nullptr, kNoLibrary},
                      MapperCase{"Mapper255", 0xF0, 0xF0, nullptr, kNoLibrary},
                      MapperCase{"Mapper4WithLowBitsOfByte7Set", 0x40, 0x0F, nullptr, kLoaded},
                      MapperCase{"Mapper9WithUnusedFlagBitsSet", 0x9B, 0x00, nullptr, kLoaded},
                      MapperCase{"Mapper4WithJunkAfterByte7", 0x41, 0x00, "DiskDude", kLoaded},
                      MapperCase{"JunkFromByte7OnLeavesByte6", 0x41, 'D', "iskDude!", kLoaded},
                      MapperCase{"JunkFromByte7OnWithoutBoard", 0x51, 'D', "iskDude!", kNoLibrary}),
    [](const ::testing::TestParamInfo<MapperCase>& info) { return std::string(info.param.name); });

TEST(HostileHeader, ImageWithoutSignatureStillLoads) {
  Bytes image = SweepImage(4, 2, 1);
  image[0] = image[1] = image[2] = image[3] = 0;
  ExpectImageHandledSafely(image, kLoaded, 2);
}

// With the trainer bit set on an image that has none, the first 512
// program bytes go to $7000, every area starts 512 bytes late and the last
// 512 bytes of character ROM (of program ROM without it) read as zero.
TEST(HostileHeader, TrainerFlagOnImagesWithoutTrainer) {
  for (const char* name : {"demo", "mmc2_test", "mmc3_test"}) {
    SCOPED_TRACE(name);
    Bytes image = ReadBytes(CartridgePath(name));
    ASSERT_GT(image.size(), kHeaderSize);
    image[6] |= 0x04;
    ExpectImageHandledSafely(image, kLoaded, 2);
  }
}

}  // namespace
