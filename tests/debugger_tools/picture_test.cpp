// The picture views on their threads: the pattern view shows the pattern
// tables and palettes with the rendering time after the flip; the screen
// shot equals the runner's picture of the same state, whatever the game
// window's layer switches say; a key or the close box closes the surfaces;
// and the surface-owner and machine-owner refusals.
#include <QKeyEvent>
#include <QWidget>
#include <cstdlib>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "debugger/picture_compose.h"
#include "debugger/tool_commands.h"
#include "debugger/view_pictures.h"
#include "emulation/emulate.h"
#include "emulation/picture_png.h"
#include "ppu/dx.h"
#include "ppu/ppu.h"
#include "ppu/video_open.h"
#include "tests/debugger_tools/picture_probe.h"
#include "tests/debugger_tools/tools_fixture.h"

namespace {

constexpr int kFrames = 40;

class PictureViews : public DemoLoadedTest {
 protected:
  void TearDown() override {
    ClosePictureViews();
    DisplayBackground = 1;
    DisplaySprites = 1;
    DemoLoadedTest::TearDown();
  }
  // The picture a view shows once it has been flipped (and, for the pattern
  // view, its text drawn), in colours.
  static RgbPicture ShownBy(std::shared_ptr<PictureDisplay> (*display)()) {
    RgbPicture shown;
    EXPECT_TRUE(Eventually([&] { return ShownPicture(display(), shown) && Machine.Free(); }))
        << "no picture shown";
    return shown;
  }
  static QWidget* WindowTitled(const char* title) {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->isVisible() && widget->windowTitle() == title) return widget;
    return nullptr;
  }
};

// The same drawing on headless surfaces, as the reference.
RgbPicture HeadlessPatternTables() {
  UseHeadlessDisplay();
  EXPECT_EQ(OpenVideoSurfaces(nullptr), 0);
  ClearScreen(0);
  DrawPatternTables();
  DrawPalettes();
  DDrawFlip();
  RgbPicture picture = ScreenshotRgb();
  DirectDrawClose();
  return picture;
}

TEST_F(PictureViews, PatternViewShowsTheTablesWithTheTimeOnBlueBelow) {
  const RgbPicture reference = HeadlessPatternTables();
  Debug_ViewPatternTables(listing_);
  const RgbPicture shown = ShownBy(PatternViewDisplay);
  ASSERT_EQ(shown.rgb.size(), reference.rgb.size());
  const std::size_t textTop = 464 * SurfaceWidth * 3;
  EXPECT_TRUE(std::equal(shown.rgb.begin(), shown.rgb.begin() + textTop, reference.rgb.begin()));
  bool blue = false;  // the text's background, seen because it was printed after the flip
  for (std::size_t i = textTop; i + 2 < shown.rgb.size(); i += 3)
    blue = blue || (shown.rgb[i + 2] > 128 && shown.rgb[i] < 64 && shown.rgb[i + 1] < 64);
  EXPECT_TRUE(blue);
  EXPECT_TRUE(Eventually([] { return WindowTitled("View Pattern tables/Palettes") != nullptr; }));
  EXPECT_TRUE(Surfaces.HeldBy(SurfaceHolder::PatternView));
}

TEST_F(PictureViews, ScreenShotEqualsTheRunnersPictureWithLayersSwitchedOff) {
  const std::string png = "runner.png";  // in the scratch directory
  const std::string command = std::string(TAVIRO_PROGRAM_DIR_DEFAULT) + "/taviro-run --frames " +
                              std::to_string(kFrames) + " --screenshot " + png + " " +
                              TAVIRO_ROM_DIR "/demo.nes";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  RgbPicture runner;
  ASSERT_TRUE(LoadRgbPng(png.c_str(), runner));

  UseHeadlessDisplay();
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  for (int frame = 0; frame < kFrames; ++frame) NESMain();
  DirectDrawClose();
  DisplayBackground = 0;  // the game window's keys: ignored by the screen shot
  DisplaySprites = 0;
  Debug_ViewScreenShot(listing_);
  const RgbPicture shown = ShownBy(ScreenShotViewDisplay);
  EXPECT_EQ(shown.width, runner.width);
  EXPECT_TRUE(shown.rgb == runner.rgb) << "the screen shot differs from the runner's frame";
}

TEST_F(PictureViews, AnyKeyOrTheCloseBoxClosesTheSurfacesAndTheWindow) {
  Debug_ViewPatternTables(listing_);
  ShownBy(PatternViewDisplay);
  ASSERT_TRUE(Eventually([] { return WindowTitled("View Pattern tables/Palettes") != nullptr; }));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
  QApplication::sendEvent(WindowTitled("View Pattern tables/Palettes"), &press);
  EXPECT_TRUE(Eventually([] { return Surfaces.Free(); }));
  EXPECT_TRUE(Eventually([] { return WindowTitled("View Pattern tables/Palettes") == nullptr; }));

  Debug_ViewScreenShot(listing_);
  ShownBy(ScreenShotViewDisplay);
  ASSERT_TRUE(Eventually([] { return WindowTitled("View Screen Shot") != nullptr; }));
  WindowTitled("View Screen Shot")->close();
  EXPECT_TRUE(Eventually([] { return Surfaces.Free(); }));
  EXPECT_TRUE(messages.empty());
}

TEST_F(PictureViews, RefusedWhileTheSurfacesOrTheMachineAreHeld) {
  Debug_ViewPatternTables(listing_);
  ShownBy(PatternViewDisplay);
  Debug_ViewScreenShot(listing_);  // the pattern view has the surfaces
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(WindowTitled("View Screen Shot"), nullptr);
  ClosePictureViews();
  EXPECT_TRUE(Surfaces.Free());

  {
    MachineHeldBy run(MachineHolder::RunThread);
    Debug_ViewPatternTables(listing_);
    EXPECT_TRUE(Surfaces.Free());
  }
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].text, messages[0].text);
}

TEST_F(PictureViews, SurfacesThatFailToOpenAreReportedAndLeaveNoWindow) {
  DDrawFailAtStep(4);
  Debug_ViewScreenShot(listing_);
  EXPECT_TRUE(Eventually([this] { return !messages.empty(); }));
  EXPECT_EQ(messages[0].text, "Error Initializing DirectX\nCode(5)");
  EXPECT_EQ(messages[0].caption, "Taviro");
  EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
  EXPECT_TRUE(Eventually([] { return Surfaces.Free() && Machine.Free(); }));
  EXPECT_TRUE(Eventually([] { return WindowTitled("View Screen Shot") == nullptr; }));
}

TEST(RenderingTime, SixDecimalsInSeconds) {
  char text[40];
  FormatRenderingTime(text, 0.016);
  EXPECT_STREQ(text, "Rendering time 0.016000 sec");
}

}  // namespace
