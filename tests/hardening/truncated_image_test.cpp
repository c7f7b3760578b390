// Our cartridges, and a crafted one with a trainer, cut short at every
// boundary of the iNES layout: inside the header, inside the trainer, at
// and inside the program and character areas, and with bytes past the end.
// A cut header reads as zeros, so it may lose the program count or the
// mapper; a cut area loads with its missing bytes zero.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "tests/hardening/image_trial.h"

namespace {

constexpr int kFrames = 4;
constexpr std::size_t kTrailing = std::numeric_limits<std::size_t>::max();

// Mapper 4 with a trainer of known bytes, running the bank sweep.
Bytes TrainerCartridge() {
  Bytes blank = BlankImage(4, 2, 1);
  blank[6] |= 0x04;
  Bytes image(blank.begin(), blank.begin() + kHeaderSize);
  for (std::size_t i = 0; i < kTrainerSize; ++i) image.push_back(static_cast<unsigned char>(i * 7));
  image.insert(image.end(), blank.begin() + kHeaderSize, blank.end());
  PlaceInLastBank(image, BankSweepProgram(4), kBankSweepInterruptEntry);
  return image;
}

Bytes CartridgeBytes(const std::string& name) {
  return name == "trainer_cart" ? TrainerCartridge() : ReadBytes(CartridgePath(name));
}

struct Cut {
  std::string cartridge;
  std::string label;
  std::size_t length;  // kTrailing: the whole file and 4 KB more
};

// Test names (and CTest's) show the cut, not the record's bytes and pointers.
void PrintTo(const Cut& cut, std::ostream* out) {
  *out << cut.cartridge << " " << cut.label;
}

std::vector<Cut> CutsOf(const std::string& cartridge) {
  const Bytes file = CartridgeBytes(cartridge);
  if (file.size() < kHeaderSize) return {{cartridge, "NotBuilt", 0}};
  const ImageLayout l = LayoutOf(file);
  const std::size_t programEnd = l.programStart + l.programSize;
  const std::size_t characterEnd = l.characterStart + l.characterSize;
  std::vector<Cut> cuts;
  auto add = [&](const char* label, std::size_t length) {
    bool seen =
        std::any_of(cuts.begin(), cuts.end(), [&](const Cut& c) { return c.length == length; });
    if (!seen) cuts.push_back({cartridge, label, length});
  };
  add("Empty", 0);
  add("SignatureOnly", 4);
  add("WithoutCharacterCount", 5);
  add("WithoutFlags", 6);
  add("WithoutHighNibble", 7);
  add("HeaderLessOne", 15);
  add("HeaderOnly", kHeaderSize);
  if (l.trainerSize != 0) {
    add("InsideTrainer", l.trainerStart + 100);
    add("TrainerLessOne", l.trainerStart + kTrainerSize - 1);
    add("TrainerOnly", l.trainerStart + kTrainerSize);
  }
  add("FirstProgramByte", l.programStart + 1);
  add("InsideFirstBank", l.programStart + 4000);
  add("FirstBankOnly", l.programStart + kProgramBankSize);
  add("HalfProgram", l.programStart + l.programSize / 2);
  add("WithoutLastBank", programEnd - kProgramBankSize);
  add("InsideVectors", programEnd - 5);
  add("ProgramLessOne", programEnd - 1);
  add("ProgramOnly", programEnd);
  add("FirstCharacterByte", l.characterStart + 1);
  add("InsideCharacters", l.characterStart + 1000);
  add("HalfCharacters", l.characterStart + l.characterSize / 2);
  add("CharactersLessOne", characterEnd - 1);
  add("Whole", characterEnd);
  add("TrailingBytes", kTrailing);
  return cuts;
}

class TruncatedImage : public ::testing::TestWithParam<Cut> {};

TEST_P(TruncatedImage, LoadsWithMissingBytesZeroOrIsRefused) {
  const Cut& cut = GetParam();
  Bytes file = CartridgeBytes(cut.cartridge);
  ASSERT_GE(file.size(), kHeaderSize) << cut.cartridge << " was not built";
  if (cut.length == kTrailing)
    file.insert(file.end(), 4096, 0xFF);
  else
    file.resize(cut.length);
  ExpectImageHandledSafely(file, kFrames);
}

std::string CutName(const ::testing::TestParamInfo<Cut>& info) {
  return info.param.cartridge + "_" + info.param.label;
}

INSTANTIATE_TEST_SUITE_P(Demo, TruncatedImage, ::testing::ValuesIn(CutsOf("demo")), CutName);
INSTANTIATE_TEST_SUITE_P(Mmc3Test, TruncatedImage, ::testing::ValuesIn(CutsOf("mmc3_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(Mmc2Test, TruncatedImage, ::testing::ValuesIn(CutsOf("mmc2_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(NromTest, TruncatedImage, ::testing::ValuesIn(CutsOf("nrom_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(Mmc1Test, TruncatedImage, ::testing::ValuesIn(CutsOf("mmc1_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(UxromTest, TruncatedImage, ::testing::ValuesIn(CutsOf("uxrom_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(CnromTest, TruncatedImage, ::testing::ValuesIn(CutsOf("cnrom_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(AxromTest, TruncatedImage, ::testing::ValuesIn(CutsOf("axrom_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(Unrom512Test, TruncatedImage, ::testing::ValuesIn(CutsOf("unrom512_test")),
                         CutName);
INSTANTIATE_TEST_SUITE_P(Trainer, TruncatedImage, ::testing::ValuesIn(CutsOf("trainer_cart")),
                         CutName);

}  // namespace
