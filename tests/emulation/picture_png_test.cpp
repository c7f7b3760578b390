// Screenshots as PNG files: the palette applied, 640 x 480, read back equal.
#include "emulation/picture_png.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ppu/dx.h"
#include "ppu/dx_surface.h"
#include "ppu/ppu.h"

namespace {

class PicturePng : public ::testing::Test {
 protected:
  // Each test and each process writes its own file: ctest runs the cases of
  // this suite side by side, and other build trees run them too.
  void SetUp() override {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    path_ = testing::TempDir() + "taviro_" + test->name() + "_" + std::to_string(getpid()) + ".png";
  }
  void TearDown() override {
    DirectDrawClose();
    std::remove(path_.c_str());
  }
  std::string path_;
};

TEST_F(PicturePng, SavedScreenshotHoldsTheColoursAsShown) {
  ASSERT_EQ(DDrawInit(nullptr, 640, 480, 8), 0);
  ClearScreen(0x16);
  _DDSURFACEDESC desc;
  ASSERT_EQ(LockSurface(desc, lpDDSBack), 1);
  PutPixel(&desc, 639, 479, 0x21 + 128);  // a copy of colour $21
  PutPixel(&desc, 5, 7, 64);              // the backdrop slot
  UnlockSurface(desc, lpDDSBack);
  SetNESPalette(64, 0x30);
  DDrawFlip();

  std::string error;
  ASSERT_TRUE(SaveScreenshotPng(path_.c_str(), &error)) << error;
  RgbPicture loaded;
  ASSERT_TRUE(LoadRgbPng(path_.c_str(), loaded, &error)) << error;
  ASSERT_EQ(loaded.width, 640);
  ASSERT_EQ(loaded.height, 480);
  auto rgb = [&](int x, int y) {
    const unsigned char* p = &loaded.rgb[(y * 640 + x) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
  };
  EXPECT_EQ(rgb(0, 0), 0xF43404) << "colour $16";
  EXPECT_EQ(rgb(639, 479), 0x0494F4) << "colour $21";
  EXPECT_EQ(rgb(5, 7), 0xF4F4F4) << "entry 64 re-pointed to colour $30";
  EXPECT_EQ(loaded.rgb, ScreenshotRgb().rgb);
}

TEST_F(PicturePng, FailuresAreReportedNotHidden) {
  std::string error;
  EXPECT_FALSE(SaveScreenshotPng(path_.c_str(), &error));
  EXPECT_NE(error.find("not open"), std::string::npos) << error;

  ASSERT_EQ(DDrawInit(nullptr, 640, 480, 8), 0);
  EXPECT_FALSE(SaveScreenshotPng("/nonexistent-dir/x.png", &error));
  EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos) << error;

  RgbPicture picture;
  EXPECT_FALSE(LoadRgbPng("/nonexistent-dir/x.png", picture, &error));
  std::FILE* text = std::fopen(path_.c_str(), "w");
  ASSERT_NE(text, nullptr);
  std::fputs("not a picture", text);
  std::fclose(text);
  EXPECT_FALSE(LoadRgbPng(path_.c_str(), picture, &error));
  EXPECT_EQ(picture.width, 0);
}

}  // namespace
