// One machine loading image after image, as a debugger session does: the
// board, the banks and the windows of each image are replaced by the next,
// refused images leave the harmless "no cartridge" board running frames,
// and nothing of an earlier image is touched after a later load.

#include <gtest/gtest.h>

#include <vector>

#include "tests/hardening/image_trial.h"

namespace {

constexpr int kFrames = 3;

Bytes Cut(Bytes file, std::size_t length) {
  file.resize(length);
  return file;
}

TEST(ReloadSequence, EveryKindOfImageAfterEveryOther) {
  const Bytes demo = ReadBytes(CartridgePath("demo"));
  const Bytes mmc2 = ReadBytes(CartridgePath("mmc2_test"));
  const Bytes mmc3 = ReadBytes(CartridgePath("mmc3_test"));
  ASSERT_GT(demo.size(), kHeaderSize);
  ASSERT_GT(mmc2.size(), kHeaderSize);
  ASSERT_GT(mmc3.size(), kHeaderSize);
  ExpectSequenceHandledSafely({demo,
                               Cut(mmc2, mmc2.size() / 2),
                               BlankImage(kNoBoardMapper, 2, 1),  // no plug-in
                               mmc3,
                               BlankImage(4, 0, 1),  // no program data
                               RandomImage(4, 255, 0, 7),
                               RandomImage(9, 1, 2, 8),
                               {},  // zero bytes
                               Cut(mmc3, kHeaderSize + 100),
                               OneOpcodeImage(9, 0x02),
                               demo},
                              kFrames);
}

// The same board again and again, its program ROM growing and shrinking,
// so windows and masks set up for one size never serve another.
TEST(ReloadSequence, SameBoardWithProgramSizesUpAndDown) {
  for (unsigned int mapper : kShippedMappers) {
    SCOPED_TRACE(mapper);
    ExpectSequenceHandledSafely({RandomImage(mapper, 8, 2, 1), RandomImage(mapper, 1, 0, 2),
                                 RandomImage(mapper, 255, 255, 3), RandomImage(mapper, 1, 1, 4),
                                 RandomImage(mapper, 2, 0, 5)},
                                kFrames);
  }
}

}  // namespace
