// taviro-run as a CI step: the $6000 status protocol on our own status
// cartridges, --expect and --until-pc on the demo, golden pictures, and
// several images in one command. Every exit path is taken once.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "emulation/picture_png.h"
#include "tests/tools/runner_fixture.h"

namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(Runner, TestRomThatPassesExits0WithItsText) {
  EXPECT_EQ(Run("--test-rom " + Rom("status_pass")), 0) << out << err;
  EXPECT_EQ(out, "All 1 tests passed\n");
}

TEST_F(Runner, TestRomThatFailsExits3WithItsCode) {
  EXPECT_EQ(Run("--test-rom " + Rom("status_fail")), 3) << err;
  EXPECT_EQ(out, "Sprite overflow\nFailed #3\nfailed: code 3\n");
}

TEST_F(Runner, ResetAskedForIsGivenAfterATenthOfASecondAndTheRunGoesOn) {
  // The cartridge shows its first text, asks, and passes after the reset;
  // --verbose shows both texts as they come.
  EXPECT_EQ(Run("--test-rom --verbose " + Rom("status_reset")), 0) << out << err;
  EXPECT_EQ(out, "Press reset...\nReset seen\nPassed\n");
  // It asks after 2 frames and finishes 2 frames after its restart: the
  // reset must not come before 7 frames of 16.4 ms have passed.
  EXPECT_EQ(Run("--test-rom --frames 9 " + Rom("status_reset")), 4) << out;
  EXPECT_EQ(Run("--test-rom --frames 13 " + Rom("status_reset")), 0) << out;
}

TEST_F(Runner, TestRomThatNeverFinishesTimesOutWithItsTextSoFar) {
  EXPECT_EQ(Run("--test-rom --frames 30 " + Rom("status_forever")), 4) << err;
  EXPECT_TRUE(Has(out, "Still running\n")) << out;
  EXPECT_TRUE(Has(out, "timeout: no result after 30 frames")) << out;
}

TEST_F(Runner, CartridgeWithoutTheSignatureIsATimeoutThatSaysSo) {
  EXPECT_EQ(Run("--test-rom --frames 20 " + Rom("demo")), 4);
  EXPECT_TRUE(Has(out, "does not report through $6000")) << out;
}

// The word at $FFFC of an NROM-sized image: the last four bytes of its
// 32 KB program but two.
unsigned int ResetVector(const std::string& path) {
  const std::string image = ReadFile(path);
  const std::size_t end = 16 + 16384 * static_cast<unsigned char>(image[4]);
  return static_cast<unsigned char>(image[end - 4]) | static_cast<unsigned char>(image[end - 3])
                                                          << 8;
}

TEST_F(Runner, ExpectedBytesMatchOrEachMismatchIsPrinted) {
  // The demo's player walks right from (120, 160): $14 = 120 + 10 = $82.
  const std::string walk = "--frames 30 --press right@5-14 ";
  EXPECT_EQ(Run(walk + "--expect 14=82,15=A0 " + Rom("demo")), 0) << out;
  EXPECT_EQ(out, "");
  EXPECT_EQ(Run(walk + "--expect 14=80,15=A0,0015=a1 " + Rom("demo")), 3);
  EXPECT_EQ(out, "$0014: expected $80, found $82\n$0015: expected $A1, found $A0\n");

  // The reset vector, read through the program window.
  char vector[32];
  std::snprintf(vector, sizeof vector, "FFFC=%02X,FFFD=%02X",
                ResetVector(Rom("status_pass")) & 0xFF, ResetVector(Rom("status_pass")) >> 8);
  EXPECT_EQ(Run("--frames 1 --expect " + std::string(vector) + " " + Rom("status_pass")), 0) << out;
}

TEST_F(Runner, UntilPcStopsWhereTheProgramArrivesOrTimesOut) {
  // The reset handler at $8000 begins with SEI and CLD.
  EXPECT_EQ(Run("--until-pc 8002 --trace " + File("trace.txt") + " " + Rom("status_pass")), 0)
      << out << err;
  EXPECT_EQ(Lines(ReadFile(File("trace.txt"))).size(), 2u);
  EXPECT_EQ(Run("--until-pc 0000 --frames 3 " + Rom("demo")), 4);
  EXPECT_EQ(out, "timeout: PC never reached $0000 in 3 frames\n");
  EXPECT_EQ(Run("--until-pc 0000 --steps 50 " + Rom("demo")), 4);
  EXPECT_EQ(out, "timeout: PC never reached $0000 in 50 steps\n");
}

class GoldenPicture : public Runner {
 protected:
  // The demo run that tests/tools/golden/demo_frame90.png shows.
  int RunDemoAgainst(const std::string& golden, const std::string& more = "") {
    return Run("--frames 90 --press right@20-60,up@40-50 --expect-screenshot '" + golden + "' " +
               more + Rom("demo"));
  }
};

TEST_F(GoldenPicture, SamePictureIsAMatch) {
  EXPECT_EQ(RunDemoAgainst(Golden("demo_frame90.png")), 0) << out << err;
  EXPECT_EQ(out, "");
}

TEST_F(GoldenPicture, OnePixelChangedIsCountedAndMarkedInTheDiff) {
  RgbPicture golden;
  ASSERT_TRUE(LoadRgbPng(Golden("demo_frame90.png").c_str(), golden));
  const std::size_t changed = (123 * 640 + 45) * 3;
  golden.rgb[changed] ^= 0x80;
  ASSERT_TRUE(SaveRgbPng(File("golden.png").c_str(), golden));

  EXPECT_EQ(RunDemoAgainst(File("golden.png"), "--diff " + File("diff.png") + " "), 3) << err;
  EXPECT_EQ(out, "picture differs from " + File("golden.png") + " in 1 pixels\n");
  RgbPicture diff;
  ASSERT_TRUE(LoadRgbPng(File("diff.png").c_str(), diff));
  ASSERT_EQ(diff.rgb.size(), golden.rgb.size());
  long red = 0;
  for (std::size_t i = 0; i < diff.rgb.size(); i += 3)
    red += diff.rgb[i] == 0xFF && diff.rgb[i + 1] == 0 && diff.rgb[i + 2] == 0;
  EXPECT_EQ(red, 1);
  EXPECT_EQ(diff.rgb[changed], 0xFF);
}

TEST_F(GoldenPicture, GoldenOfAnotherSizeOrNotAPictureIsAnError) {
  RgbPicture small{16, 8, std::vector<unsigned char>(16 * 8 * 3, 0)};
  ASSERT_TRUE(SaveRgbPng(File("small.png").c_str(), small));
  EXPECT_EQ(RunDemoAgainst(File("small.png")), 1);
  EXPECT_TRUE(Has(err, "it is 16 x 8, the picture 640 x 480")) << err;

  TempFile notPng(std::vector<unsigned char>{'N', 'E', 'S', 0x1A});
  EXPECT_EQ(RunDemoAgainst(notPng.path()), 1);
  EXPECT_TRUE(Has(err, "Couldn't use the golden picture")) << err;
}

TEST_F(Runner, ManyImagesKeepTheirOrderAndTheWorstResultIsTheExit) {
  const std::string images = Rom("status_forever") + " " + Rom("status_pass") + " " +
                             Rom("status_fail") + " " + Rom("status_reset");
  EXPECT_EQ(Run("--test-rom --frames 60 --jobs 2 " + images), 4) << err;
  std::vector<std::string> lines;
  for (const std::string& line : Lines(out))
    if (line.rfind("    ", 0) != 0) lines.push_back(line);  // the failures' own output
  ASSERT_EQ(lines.size(), 4u) << out;
  const char* verdicts[] = {"TIMEOUT", "PASS", "FAIL code 3", "PASS"};
  const char* names[] = {"status_forever.nes", "status_pass.nes", "status_fail.nes",
                         "status_reset.nes"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i].rfind(verdicts[i], 0), 0u) << lines[i];
    EXPECT_TRUE(Has(lines[i], names[i])) << lines[i];
  }
  EXPECT_TRUE(Has(lines[0], "    60 frames")) << lines[0];
  EXPECT_TRUE(Has(out, "    failed: code 3\n")) << "a failure's output follows its line";

  EXPECT_EQ(Run("--test-rom --jobs 2 " + Rom("status_pass") + " " + Rom("status_fail")), 3);
  EXPECT_EQ(Run("--test-rom " + Rom("status_pass") + " " + File("missing.nes")), 1);
  EXPECT_TRUE(Has(out, "ERROR")) << out;
}

}  // namespace
