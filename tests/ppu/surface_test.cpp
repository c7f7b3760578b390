// The video surfaces: opening and its failure codes, closing, locks, fills,
// the flip and its display answers, the palette, and text.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ppu/background.h"
#include "ppu/display.h"
#include "ppu/dx.h"
#include "ppu/dx_surface.h"
#include "ppu/font.h"
#include "ppu/ppu.h"
#include "ppu/video_open.h"

namespace {

class Surfaces : public ::testing::Test {
 protected:
  void TearDown() override {
    DirectDrawClose();
    UseDisplay(nullptr);
  }
};

TEST_F(Surfaces, EachFailingStepHasItsCode) {
  const struct {
    int step, code;
  } steps[] = {{1, 1}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {7, 7}, {8, 8}, {9, 9}};
  for (const auto& s : steps) {
    DDrawFailAtStep(s.step);
    EXPECT_EQ(DDrawInit(nullptr, 640, 480, 8), s.code) << "step " << s.step;
    EXPECT_NE(ddrval, DD_OK);
    EXPECT_EQ(DDrawRunning, 0);
    EXPECT_EQ(lpDD != nullptr, s.step > 1) << "what was created stays for the close";
    DirectDrawClose();
    EXPECT_EQ(lpDD, nullptr);
    EXPECT_EQ(lpDDSPrimary, nullptr);
  }
  EXPECT_EQ(DDrawInit(nullptr, 640, 480, 8), 0) << "the hook fails one opening only";
}

TEST_F(Surfaces, ModesOtherThan640x480x8CannotBeSet) {
  EXPECT_EQ(DDrawInit(nullptr, 800, 600, 8), 4);
  DirectDrawClose();
  EXPECT_EQ(DDrawInit(nullptr, 640, 480, 16), 4);
  DirectDrawClose();
  EXPECT_EQ(DDrawRunning, 0);
}

TEST_F(Surfaces, OpeningPreparesSurfacesPaletteAndBackColour) {
  SetNESPalette(64, 0x0F);  // closed: only the program's copy changes
  EXPECT_EQ(ShadowPal[64].peRed, 0);
  EXPECT_EQ(lpDDPal, nullptr);

  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  EXPECT_EQ(DDrawRunning, 1);
  ASSERT_NE(lpDDSPrimary, nullptr);
  ASSERT_NE(lpDDSBack, nullptr);
  ASSERT_NE(lpDDSBackColor, nullptr);
  ASSERT_NE(lpDDPal, nullptr);
  EXPECT_NE(lpDDSPrimary, lpDDSBack);
  EXPECT_EQ(ShadowPal[64].peRed, 0x94) << "rebuilt: entry 64 is colour $00 again";
  EXPECT_EQ(lpDDPal->entries[64].peRed, 0x94);
  EXPECT_EQ(lpDDPal->entries[64 + 0x21].peBlue, 0xF4) << "v + 64 shows colour v";
  EXPECT_EQ(lpDDPal->entries[255].peRed, 0);
  EXPECT_EQ(lpDDPal->entries[0x30].peFlags, 4);

  for (int y = 0; y < SurfaceHeight; ++y) {
    for (int x = 0; x < SurfaceWidth; ++x) {
      const bool picture = y % 2 == 0 && y >= 16 && y <= 462 && x >= 64 && x < 576;
      ASSERT_EQ(lpDDSBackColor->At(x, y), picture ? 64 : 0) << x << "," << y;
    }
  }

  SetNESPalette(64, 0x21);  // open: the live palette follows
  EXPECT_EQ(lpDDPal->entries[64].peGreen, 0x94);
  EXPECT_EQ(lpDDPal->entries[64].peBlue, 0xF4);
}

TEST_F(Surfaces, ClosingTwiceOrWhileClosedIsHarmless) {
  DirectDrawClose();
  EXPECT_EQ(DDrawRunning, 0);
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  DirectDrawClose();
  DirectDrawClose();
  EXPECT_EQ(DDrawRunning, 0);
  EXPECT_EQ(lpDD, nullptr);
  EXPECT_EQ(lpDDSBack, nullptr);

  SetNESPalette(64, 0x30);  // after the close: the copy only
  EXPECT_EQ(ShadowPal[64].peRed, 0xF4);
  _DDSURFACEDESC desc;
  EXPECT_EQ(LockSurface(desc, lpDDSBack), 0);
  ClearScreen(3);
  DDrawFlip();
  PrintText("closed", 0, 0, 0xFFFFFF, 0);
  PutPixelDD(1, 1, 0xFFFFFF);
  BackGround.Draw();
  DrawBackgroundColor();
}

TEST_F(Surfaces, LockGivesBaseAndPitchAndExcludesASecondLock) {
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  _DDSURFACEDESC desc;
  ASSERT_EQ(LockSurface(desc, lpDDSBack), 1);
  EXPECT_EQ(desc.dwSize, 108u);
  EXPECT_GE(desc.lPitch, 640);
  PutPixel(&desc, 639, 479, 7);
  PutPixel(&desc, 640, 0, 9);  // off the surface: dropped
  PutPixel(&desc, -1, 5, 9);
  EXPECT_EQ(static_cast<unsigned char*>(desc.lpSurface)[479 * desc.lPitch + 639], 7);
  EXPECT_EQ(lpDDSBack->At(639, 479), 7);
  EXPECT_EQ(lpDDSBack->Row(0)[640], 0) << "the padding after row 0 is not the surface";

  _DDSURFACEDESC second;
  EXPECT_EQ(LockSurface(second, lpDDSBack), 0);
  EXPECT_EQ(ddrval, DDERR_SURFACEBUSY);
  UnlockSurface(desc, lpDDSBack);
  EXPECT_EQ(LockSurface(second, lpDDSBack), 1);
  UnlockSurface(second, lpDDSBack);
}

TEST_F(Surfaces, ClearScreenFillsFrontAndBack) {
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  ClearScreen(0x105);  // a pixel is one byte: the low byte fills
  for (const DirectDrawSurface* s : {lpDDSPrimary, lpDDSBack})
    for (int y = 0; y < SurfaceHeight; ++y)
      for (int x = 0; x < SurfaceWidth; ++x) ASSERT_EQ(s->At(x, y), 5);
}

// A display that answers flips from a script and records what it was shown.
class ScriptedDisplay : public Display {
 public:
  std::vector<long> answers;
  std::vector<unsigned char> shownFirstPixels;
  int flips = 0, restores = 0, refreshes = 0, cursorHidden = 0;

  long Flip(const DisplayPicture& picture) override {
    const long answer = flips < static_cast<int>(answers.size()) ? answers[flips] : DD_OK;
    ++flips;
    if (answer == DD_OK) shownFirstPixels.push_back(picture.pixels[0]);
    return answer;
  }
  long Restore() override {
    ++restores;
    return DD_OK;
  }
  void Refresh(const DisplayPicture&) override { ++refreshes; }
  void HideCursor() override { ++cursorHidden; }
};

void PaintBack(unsigned char value) {
  _DDSURFACEDESC desc;
  ASSERT_EQ(LockSurface(desc, lpDDSBack), 1);
  for (int y = 0; y < SurfaceHeight; ++y)
    std::memset(static_cast<unsigned char*>(desc.lpSurface) + y * desc.lPitch, value, 640);
  UnlockSurface(desc, lpDDSBack);
}

TEST_F(Surfaces, FlipShowsTheBackBufferAndRetriesWhileStillDrawing) {
  ScriptedDisplay display;
  display.answers = {DDERR_WASSTILLDRAWING, DDERR_WASSTILLDRAWING, DD_OK};
  UseDisplay(&display);
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  EXPECT_EQ(display.cursorHidden, 1);
  ClearScreen(0);
  PaintBack(42);
  DDrawFlip();
  EXPECT_EQ(display.flips, 3);
  EXPECT_EQ(ddrval, DD_OK);
  ASSERT_EQ(display.shownFirstPixels.size(), 1u);
  EXPECT_EQ(display.shownFirstPixels[0], 42);
  EXPECT_EQ(lpDDSPrimary->At(100, 100), 42) << "the drawn picture is now in front";
  EXPECT_EQ(lpDDSBack->At(100, 100), 0) << "the old front is the next back buffer";
}

TEST_F(Surfaces, LostSurfacesCostOneFrameAndAreRestored) {
  ScriptedDisplay display;
  display.answers = {DDERR_SURFACELOST};
  UseDisplay(&display);
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  ClearScreen(0);
  PaintBack(42);
  DDrawFlip();
  EXPECT_EQ(display.flips, 1) << "no retry for this frame";
  EXPECT_EQ(display.restores, 1);
  EXPECT_EQ(lpDDSPrimary->At(0, 0), 0) << "the frame was not shown";
  _DDSURFACEDESC desc;
  ASSERT_EQ(LockSurface(desc, lpDDSBack), 1) << "restored surfaces lock again";
  UnlockSurface(desc, lpDDSBack);
  DDrawFlip();
  EXPECT_EQ(display.flips, 2);
  EXPECT_EQ(lpDDSPrimary->At(0, 0), 42);
}

TEST_F(Surfaces, OtherFlipFailuresGiveUpAtOnce) {
  ScriptedDisplay display;
  display.answers = {DDERR_GENERIC};
  UseDisplay(&display);
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  DDrawFlip();
  EXPECT_EQ(display.flips, 1);
  EXPECT_EQ(ddrval, DDERR_GENERIC);
  EXPECT_EQ(display.restores, 0);

  _DDSURFACEDESC desc;  // a locked back buffer cannot be flipped
  ASSERT_EQ(LockSurface(desc, lpDDSBack), 1);
  DDrawFlip();
  EXPECT_EQ(display.flips, 1);
  EXPECT_EQ(ddrval, DDERR_SURFACEBUSY);
  UnlockSurface(desc, lpDDSBack);
}

TEST_F(Surfaces, SetPaletteChangesOneLiveEntry) {
  tagPALETTEENTRY entry{1, 2, 3, 4};
  EXPECT_EQ(SetPalette(5, &entry), 0) << "no palette while closed";
  ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  EXPECT_EQ(SetPalette(5, &entry), 1);
  EXPECT_EQ(lpDDPal->entries[5].peGreen, 2);
  EXPECT_EQ(lpDDPal->entries[6].peGreen, NESPalette[6 * 4 + 1]);
  EXPECT_EQ(SetPalette(256, &entry), 0);
  EXPECT_EQ(SetPalette(-1, &entry), 0);
}

class Text : public Surfaces {
 protected:
  void SetUp() override {
    UseDisplay(&display);
    ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
    ClearScreen(0xEE);
  }
  ScriptedDisplay display;
};

// The nearest palette entries: white is $30 (F4F4F4), black is $0D (000000,
// the first of the black entries), pure blue is $02 (1434F4).
constexpr unsigned char kWhite = 0x30;
constexpr unsigned char kBlack = 0x0D;
constexpr unsigned char kBlue = 0x02;

TEST_F(Text, EmptyStringDrawsNothing) {
  PrintText("", 0, 0, 0xFFFFFF, 0);
  for (int y = 0; y < SurfaceHeight; ++y)
    for (int x = 0; x < SurfaceWidth; ++x) ASSERT_EQ(lpDDSPrimary->At(x, y), 0xEE);
  EXPECT_EQ(display.refreshes, 0);
  PrintText(nullptr, 0, 0, 0xFFFFFF, 0);
}

TEST_F(Text, GlyphsInTheNearestColoursOnTheFrontSurface) {
  PrintText("HI", 4, 10, 0xFFFFFF, 0xFF0000);
  // 'H' row 0 is "#...#": ink at glyph columns 0 and 4, each two pixels wide.
  const unsigned char expectedRow0[12] = {kWhite, kWhite, kBlue,  kBlue,  kBlue, kBlue,
                                          kBlue,  kBlue,  kWhite, kWhite, kBlue, kBlue};
  for (int dy = 0; dy < 2; ++dy)
    for (int dx = 0; dx < 12; ++dx)
      EXPECT_EQ(lpDDSPrimary->At(4 + dx, 10 + dy), expectedRow0[dx]) << dx << "," << dy;
  // 'H' row 3 is "#####".
  for (int dx = 0; dx < 10; ++dx) EXPECT_EQ(lpDDSPrimary->At(4 + dx, 16), kWhite) << dx;
  // 'I' row 0 is ".###.", in the second cell.
  EXPECT_EQ(lpDDSPrimary->At(16, 10), kBlue);
  EXPECT_EQ(lpDDSPrimary->At(18, 10), kWhite);
  EXPECT_EQ(lpDDSPrimary->At(24, 10), kBlue);
  EXPECT_EQ(lpDDSPrimary->At(3, 10), 0xEE) << "nothing left of the text";
  EXPECT_EQ(lpDDSPrimary->At(28, 10), 0xEE) << "nothing right of the two cells";
  EXPECT_EQ(lpDDSPrimary->At(4, 26), 0xEE) << "nothing below the cells";
  EXPECT_EQ(lpDDSBack->At(4, 10), 0xEE) << "text goes to the front surface";
  EXPECT_EQ(display.refreshes, 1);

  PrintText("x", 0, 0, 0x000000, 0xFFFFFF);
  EXPECT_EQ(lpDDSPrimary->At(0, 0), kWhite);
  EXPECT_EQ(lpDDSPrimary->At(0, 4), kBlack);
}

TEST_F(Text, TextIsCutAtTheSurfaceEdges) {
  PrintText("WWWWWWWWWW", 600, 470, 0xFFFFFF, 0);
  PrintText("W", -6, -8, 0xFFFFFF, 0);
  EXPECT_EQ(lpDDSPrimary->At(639, 479), kBlack);
  EXPECT_EQ(lpDDSPrimary->At(0, 0), kBlack) << "'W' row 4, column 3 is paper";
  EXPECT_EQ(lpDDSPrimary->At(0, 7), kBlack);
  EXPECT_EQ(lpDDSPrimary->At(6, 0), 0xEE);
  EXPECT_EQ(lpDDSPrimary->Row(479)[640], 0) << "the padding stays clean";
}

TEST_F(Text, PutPixelDDUsesTheNearestEntryOnTheBackBuffer) {
  PutPixelDD(10, 20, 0xFFFFFF);
  PutPixelDD(640, 20, 0xFFFFFF);
  PutPixelDD(10, -1, 0xFFFFFF);
  EXPECT_EQ(lpDDSBack->At(10, 20), kWhite);
  EXPECT_EQ(lpDDSPrimary->At(10, 20), 0xEE);
}

TEST(Font, UnknownCharactersShowAsABox) {
  for (int row = 0; row < 14; ++row) EXPECT_TRUE(FontPixel(0x01, 0, row)) << row;
  EXPECT_FALSE(FontPixel(0x01, 2, 4));
  EXPECT_FALSE(FontPixel(' ', 0, 0));
  EXPECT_FALSE(FontPixel('A', 10, 2)) << "two blank columns between characters";
  EXPECT_TRUE(FontPixel('g', 2, 15)) << "descender row";
}

}  // namespace
