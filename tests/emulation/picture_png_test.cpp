// Screenshots as PNG files: the palette applied, 640 x 480, read back equal.
#include "emulation/picture_png.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "ppu/dx.h"
#include "ppu/dx_surface.h"
#include "ppu/ppu.h"
#include "ppu/video_open.h"

namespace {

// A PNG chunk: length, type, data, CRC-32 of type and data.
void AppendChunk(std::vector<unsigned char>& file, const char* type,
                 const std::vector<unsigned char>& data) {
  auto put32 = [&file](std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
      file.push_back(static_cast<unsigned char>(v >> shift));
  };
  put32(static_cast<std::uint32_t>(data.size()));
  std::vector<unsigned char> covered(type, type + 4);
  covered.insert(covered.end(), data.begin(), data.end());
  std::uint32_t crc = 0xFFFFFFFF;
  for (unsigned char byte : covered) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  file.insert(file.end(), covered.begin(), covered.end());
  put32(crc ^ 0xFFFFFFFF);
}

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
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
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

  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
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

TEST_F(PicturePng, APictureTooLargeToHoldIsRefused) {
  // A header announcing 1,000,000 x 1,000,000 RGB pixels (the most libpng
  // accepts) and a few bytes of data. Its size wraps in libpng's 32-bit size
  // macro to some 2 GB, which were allocated and zeroed before the decoder
  // gave up on the picture.
  std::vector<unsigned char> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  AppendChunk(file, "IHDR", {0x00, 0x0F, 0x42, 0x40, 0x00, 0x0F, 0x42, 0x40, 8, 2, 0, 0, 0});
  AppendChunk(file, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  AppendChunk(file, "IEND", {});
  std::FILE* out = std::fopen(path_.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);

  RgbPicture picture;
  std::string error;
  EXPECT_FALSE(LoadRgbPng(path_.c_str(), picture, &error));
  EXPECT_NE(error.find("larger than 4096 x 4096"), std::string::npos) << error;
  EXPECT_EQ(picture.width, 0);
}

}  // namespace
