// One frame of the frame function, with a program running: CPU, backdrop,
// layers, flip and the frame-rate text, headless.
#include <gtest/gtest.h>

#include <cstring>

#include "cpu/cpu.h"
#include "emulation/emulate.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/dx_surface.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"
#include "ppu/video_open.h"
#include "tests/support/ram_board.h"

namespace {

// The program: copies a sprite table to $0200 and DMAs it, shows both
// layers with the NMI on, then every frame waits for the sprite-0 flag and
// scrolls the rest of the frame by 64 pixels. The NMI counts frames at $10
// and puts the scroll back to 0 for the top of the next frame.
void PlaceProgram() {
  using ram_board::Place;
  Place(0x8000, {0xA9, 0x00, 0x8D, 0x01, 0x20,          // LDA #0; STA $2001
                 0xA2, 0x00,                            // LDX #0
                 0xBD, 0x00, 0x81,                      // copy: LDA $8100,X
                 0x9D, 0x00, 0x02,                      // STA $0200,X
                 0xE8, 0xD0, 0xF7,                      // INX; BNE copy
                 0xA9, 0x02, 0x8D, 0x14, 0x40,          // LDA #2; STA $4014
                 0xA9, 0x1E, 0x8D, 0x01, 0x20,          // LDA #$1E; STA $2001
                 0xA9, 0x80, 0x8D, 0x00, 0x20,          // LDA #$80; STA $2000
                 0x2C, 0x02, 0x20, 0x50, 0xFB,          // hit: BIT $2002; BVC hit
                 0xA9, 0x40, 0x8D, 0x05, 0x20,          // LDA #64; STA $2005
                 0xA9, 0x00, 0x8D, 0x05, 0x20,          // LDA #0; STA $2005
                 0x2C, 0x02, 0x20, 0x70, 0xFB,          // gone: BIT $2002; BVS gone
                 0x4C, 0x1F, 0x80});                    // JMP hit
  Place(0x8040, {0xE6, 0x10,                            // INC $10
                 0xAD, 0x02, 0x20,                      // LDA $2002
                 0xA9, 0x00, 0x8D, 0x05, 0x20,          // LDA #0; STA $2005
                 0x8D, 0x05, 0x20,                      // STA $2005
                 0x40});                                // RTI
  std::memset(ram_board::program + 0x0100, 0xFF, 256);  // all sprites hidden (Y = 255)
  Place(0x8100, {99, 1, 0x00, 200});                    // sprite 0: line 100, x 200
  Place(0x8104, {150, 2, 0x00, 100});                   // sprite 1: line 151, x 100
  ram_board::SetVector(0xFFFA, 0x8040);
  ram_board::SetVector(0xFFFC, 0x8000);
  ram_board::SetVector(0xFFFE, 0x8040);
}

// Tile 1 solid colour 1, tile 2 solid colour 2; $2000 holds tile 1 in column
// 0 and tile 2 in column 8 of every row; palettes chosen by hand.
void PlacePicture() {
  std::memset(&PPU, 0, sizeof PPU);
  std::memset(PPU.PPUMem + 0x10, 0xFF, 8);
  std::memset(PPU.PPUMem + 0x28, 0xFF, 8);
  PrerenderPatternTiles(0, 0x2000);
  for (int row = 0; row < 30; ++row) {
    PPU.PPUMem[0x2000 + row * 32] = 1;
    PPU.PPUMem[0x2000 + row * 32 + 8] = 2;
  }
  const unsigned char palettes[] = {0x21, 0x16, 0x27, 0x18};
  std::memcpy(PPU.PPUMem + 0x3F00, palettes, 4);
  PPU.PPUMem[0x3F11] = 0x30;
  PPU.PPUMem[0x3F12] = 0x2A;
}

constexpr unsigned char kBackdrop = 64;

class FrameFunction : public ::testing::Test {
 protected:
  void SetUp() override {
    ram_board::Bind();
    PlaceProgram();
    PlacePicture();
    ResetCpu();
    SPRRAM.Address = 0;
    SPRRAM.Initialize();
    BackGround.HScroll = BackGround.VScroll = 0;
    HorV = 0;
    DisplayBackground = DisplaySprites = 1;
    Frames = 0;
    FrameCount[0] = '\0';
    ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
    ClearScreen(0);
  }
  void TearDown() override {
    DirectDrawClose();
    UseNoCartridge();
  }
  // NES pixel of the visible picture (the front surface after the flip).
  static unsigned char Shown(int line, int x) {
    const unsigned char left = lpDDSPrimary->At(64 + 2 * x, 2 * line);
    EXPECT_EQ(left, lpDDSPrimary->At(65 + 2 * x, 2 * line));
    return left;
  }
};

TEST_F(FrameFunction, AFrameShowsTheProgramsSplitScrollAndSprites) {
  for (int frame = 1; frame <= 3; ++frame) {
    NESMain();
    EXPECT_EQ(Frames, static_cast<unsigned int>(frame));
    EXPECT_EQ(CPU.Memory[0x10], frame - 1) << "the NMI handler runs at the next frame's start";
    EXPECT_EQ(Shown(8, 0), 0x16) << frame;
    EXPECT_EQ(Shown(99, 0), 0x16) << "above the sprite-0 line: no scroll";
    EXPECT_EQ(Shown(99, 64), 0x27);
    EXPECT_EQ(Shown(99, 8), kBackdrop);
    EXPECT_EQ(Shown(100, 0), 0x27) << "from the sprite-0 line on: scrolled by 64";
    EXPECT_EQ(Shown(100, 64), kBackdrop);
    EXPECT_EQ(Shown(231, 7), 0x27);
    EXPECT_EQ(Shown(100, 200), 0x30) << "sprite 0";
    EXPECT_EQ(Shown(107, 207), 0x30);
    EXPECT_EQ(Shown(151, 100), 0x2A) << "sprite 1, colour 2 of sprite palette 0";
    EXPECT_EQ(lpDDPal->entries[64].peBlue, 0xF4) << "backdrop $21 in entry 64";
    EXPECT_EQ(lpDDSPrimary->At(0, 0), 0) << "no frame-rate text during the first second";
  }
}

TEST_F(FrameFunction, LayerSwitchesHideTheirLayers) {
  DisplayBackground = 0;
  NESMain();
  EXPECT_EQ(Shown(99, 0), kBackdrop);
  EXPECT_EQ(Shown(100, 200), 0x30);
  DisplayBackground = 1;
  DisplaySprites = 0;
  NESMain();
  EXPECT_EQ(Shown(99, 0), 0x16);
  EXPECT_EQ(Shown(100, 200), kBackdrop);
  EXPECT_EQ(CPU.Memory[0x10], 1) << "the program runs whatever is shown";
}

TEST_F(FrameFunction, FrameRateTextIsDrawnOnTheShownPicture) {
  std::strcpy(FrameCount, "FPS = 60");
  NESMain();
  // 'F' row 0 is "#####": white ($30) across the first ten columns.
  for (int x = 0; x < 10; ++x) EXPECT_EQ(lpDDSPrimary->At(x, 0), 0x30) << x;
  EXPECT_EQ(lpDDSPrimary->At(10, 0), 0x0D) << "black background between characters";
  EXPECT_EQ(lpDDSBack->At(0, 0), 0) << "the back buffer never gets the text";
  EXPECT_EQ(Shown(99, 0), 0x16);
}

}  // namespace
