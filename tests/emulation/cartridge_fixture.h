#pragma once
// A test that runs one cartridge whole on its real board: skipped when an
// outside cartridge is not beside the checkout, with the video surfaces open
// and the board unloaded afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cart/board_binding.h"
#include "emulation/emulate.h"
#include "ppu/dx.h"
#include "ppu/video_open.h"
#include "tests/cart/ines_image.h"
#include "tests/emulation/cartridges.h"

class CartridgeTest : public ::testing::TestWithParam<Cartridge> {
 protected:
  void SetUp() override {
    path_ = CartridgePath(GetParam());
    if (GetParam().outside && !std::filesystem::is_regular_file(path_))
      GTEST_SKIP() << path_ << " is not there";
    SetBoardDirectory(ProgramBuildDirectory());
    ASSERT_EQ(OpenVideoSurfaces(nullptr), 0);
  }
  void TearDown() override {
    DirectDrawClose();
    UnloadBoard();
    SetBoardDirectory("");
  }

  std::string path_;
};
