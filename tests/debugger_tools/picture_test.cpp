// The picture views' drawing: the screen shot composes the frame as the
// emulation does, whatever the game window's layer switches say, and equals
// the runner's picture of the same state.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "debugger/picture_compose.h"
#include "emulation/emulate.h"
#include "emulation/picture_png.h"
#include "ppu/display.h"
#include "ppu/dx.h"

namespace {

constexpr int kFrames = 40;

class PictureDrawing : public testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(TAVIRO_PROGRAM_DIR_DEFAULT);
    ASSERT_EQ(LoadImageAndReset(TAVIRO_ROM_DIR "/demo.nes"), 0);
    UseDisplay(nullptr);
    ASSERT_EQ(DDrawInit(nullptr, SurfaceWidth, SurfaceHeight, 8), 0);
  }
  void TearDown() override {
    DirectDrawClose();
    UnloadBoard();
    SetBoardDirectory("");
    DisplayBackground = 1;
    DisplaySprites = 1;
  }
};

TEST_F(PictureDrawing, ScreenShotEqualsTheRunnersPictureWithLayersSwitchedOff) {
  const std::filesystem::path png = std::filesystem::temp_directory_path() /
                                    ("taviro-shot-" + std::to_string(::getpid()) + ".png");
  const std::string command = std::string(TAVIRO_PROGRAM_DIR_DEFAULT) + "/taviro-run --frames " +
                              std::to_string(kFrames) + " --screenshot " + png.string() + " " +
                              TAVIRO_ROM_DIR "/demo.nes";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  RgbPicture runner;
  ASSERT_TRUE(LoadRgbPng(png.c_str(), runner));
  std::filesystem::remove(png);

  for (int frame = 0; frame < kFrames; ++frame) NESMain();
  DisplayBackground = 0;  // the game window's keys: ignored by the screen shot
  DisplaySprites = 0;
  ClearScreen(0x3F);
  DrawScreenShotPicture();
  DDrawFlip();
  const RgbPicture shot = ScreenshotRgb();
  ASSERT_EQ(shot.width, runner.width);
  EXPECT_TRUE(shot.rgb == runner.rgb) << "the screen shot differs from the runner's frame";
}

TEST(RenderingTime, SixDecimalsInSeconds) {
  char text[40];
  FormatRenderingTime(text, 0.016);
  EXPECT_STREQ(text, "Rendering time 0.016000 sec");
}

}  // namespace
