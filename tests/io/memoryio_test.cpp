// The register ports, reached the way the CPU reaches them: through the
// data-write and data-read routes.
#include "io/memoryio.h"

#include <gtest/gtest.h>

#include "cpu/cpu.h"
#include "io/joystick.h"
#include "ppu/background.h"
#include "ppu/spriteram.h"

namespace {

class Ports : public ::testing::Test {
 protected:
  void SetUp() override {
    HorV = 0;
    first_last = 0;
    WriteAddress = 0;
    AlreadyRead2007 = 1;
    BackGround.HScroll = BackGround.VScroll = 0;
  }
};

TEST_F(Ports, ScrollPairSetsHorizontalThenVertical) {
  write_mem(0x2005, 0x10);
  write_mem(0x2005, 0x20);
  EXPECT_EQ(BackGround.GetHScroll(), 0x10);
  EXPECT_EQ(BackGround.GetVScroll(), 0x20);
  EXPECT_EQ(HorV, 0);
  EXPECT_EQ(CPU.Memory[0x2005], 0x20);

  write_mem(0x2005, 0x30);
  write_mem(0x2005, 0xF0);  // 240 and above is not a vertical scroll
  EXPECT_EQ(BackGround.GetHScroll(), 0x30);
  EXPECT_EQ(BackGround.GetVScroll(), 0x20);
  EXPECT_EQ(HorV, 0);
}

TEST_F(Ports, StatusReadResetsOnlyTheScrollToggle) {
  write_mem(0x2005, 0x11);
  CPU.Memory[0x2002] = 0;
  read_mem(0x2002);
  write_mem(0x2005, 0x22);
  EXPECT_EQ(BackGround.GetHScroll(), 0x22) << "the second write is horizontal again";

  write_mem(0x2006, 0x3F);
  EXPECT_EQ(WriteAddress, 0x3F00);
  read_mem(0x2002);
  EXPECT_EQ(first_last, 1) << "the status read leaves the address toggle alone";
  write_mem(0x2006, 0x10);
  EXPECT_EQ(WriteAddress, 0x3F10);
}

TEST_F(Ports, AddressPairSetsLatchAndPrimesDataPort) {
  write_mem(0x2006, 0x21);
  EXPECT_EQ(AlreadyRead2007, 1) << "one write leaves the read flag alone";
  write_mem(0x2006, 0x08);
  EXPECT_EQ(WriteAddress, 0x2108);
  EXPECT_EQ(AlreadyRead2007, 0);
  EXPECT_EQ(CPU.Memory[0x2006], 0x08);

  write_mem(0x2006, 0xFF);  // the high byte is not masked to 14 bits
  EXPECT_EQ(WriteAddress, 0xFF00);
}

TEST_F(Ports, StatusReadClearsVerticalBlankAfterReturningIt) {
  CPU.Memory[0x2002] = 0xC0;
  EXPECT_EQ(read_mem(0x2002), 0xC0);
  EXPECT_EQ(CPU.Memory[0x2002], 0x40) << "sprite-0 bit survives the read";
  EXPECT_EQ(read_mem(0x2002), 0x40);
  EXPECT_EQ(CPU.Memory[0x2002], 0x40);
}

TEST_F(Ports, ControlWriteSelectsBackgroundPatternTable) {
  write_mem(0x2000, 0x90);
  EXPECT_EQ(BackGround.GetTable(), 0x1000);
  EXPECT_EQ(CPU.Memory[0x2000], 0x90);
  write_mem(0x2000, 0x80);
  EXPECT_EQ(BackGround.GetTable(), 0);
}

TEST_F(Ports, SpritePortsReachSpriteMemory) {
  for (int i = 0; i < 256; ++i) CPU.Memory[0x0200 + i] = static_cast<unsigned char>(i ^ 0x5A);
  write_mem(0x2003, 5);
  write_mem(0x4014, 0x02);
  EXPECT_EQ(CPU.Memory[0x4014], 0x02);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(SPRRAM.SPR_RAM[i], i ^ 0x5A);
  EXPECT_EQ(SPRRAM.Address, 5) << "DMA neither uses nor moves the OAM address";

  write_mem(0x2004, 0x77);
  EXPECT_EQ(SPRRAM.SPR_RAM[5], 0x77);
  EXPECT_EQ(read_mem(0x2004), SPRRAM.SPR_RAM[6]);
  EXPECT_EQ(SPRRAM.Address, 6) << "a data read does not advance the address";
}

TEST_F(Ports, EachPadIsStrobedThroughItsOwnPort) {
  Joy1.SetButton(0);
  Joy2.SetButton(1);
  write_mem(0x4016, 1);
  write_mem(0x4016, 0);
  write_mem(0x4017, 1);
  write_mem(0x4017, 0);
  EXPECT_EQ(read_mem(0x4016), 1);
  EXPECT_EQ(read_mem(0x4017), 0);
  EXPECT_EQ(read_mem(0x4017), 1);

  write_mem(0x4016, 1);
  write_mem(0x4016, 0);  // restarts pad 1 only
  EXPECT_EQ(read_mem(0x4016), 1);
  EXPECT_EQ(read_mem(0x4017), 0) << "pad 2 goes on from its third entry";
  Joy1.ClearButton(0);
  Joy2.ClearButton(1);
}

}  // namespace
