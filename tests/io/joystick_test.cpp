#include "io/joystick.h"

#include <gtest/gtest.h>

namespace {

enum Button { A, B, Select, Start, Up, Down, Left, Right };

Joystick StrobedPad() {
  Joystick pad(0x4016);
  pad.write(1);
  pad.write(0);
  return pad;
}

TEST(Joystick, ReportsButtonsInHardwareOrderAfterStrobe) {
  Joystick pad = StrobedPad();
  pad.SetButton(A);
  pad.SetButton(Start);
  pad.SetButton(Right);
  const unsigned char expected[8] = {1, 0, 0, 1, 0, 0, 0, 1};
  for (unsigned char bit : expected) EXPECT_EQ(pad.read(), bit);
}

TEST(Joystick, ReportWrapsAfterTwentyFourReads) {
  Joystick pad = StrobedPad();
  pad.SetButton(A);
  EXPECT_EQ(pad.read(), 1);
  for (int i = 1; i < 24; ++i) EXPECT_EQ(pad.read(), 0) << "read " << i + 1;
  EXPECT_EQ(pad.read(), 1) << "read 25 returns A again";
}

TEST(Joystick, OnlyAZeroAfterAOneRestartsTheReport) {
  Joystick pad(0x4016);
  pad.SetButton(B);
  pad.read();    // index 1
  pad.write(0);  // a 0 without a preceding 1 changes nothing
  EXPECT_EQ(pad.read(), 1);
  pad.write(0xFF);  // $FF acts as 1
  pad.write(0xFF);
  pad.write(0xFE);  // $FE acts as 0: restart once
  EXPECT_EQ(pad.BitIndex, 0);
  EXPECT_FALSE(pad.StrobeOnNext);
}

TEST(Joystick, ConstructorKeepsOnlyTheTwoPadPorts) {
  EXPECT_EQ(Joystick(0x4017).Port, 0x4017u);
  EXPECT_EQ(Joystick(0x1234).Port, 0x4016u);
  EXPECT_EQ(Joy1.Port, 0x4016u);
  EXPECT_EQ(Joy2.Port, 0x4017u);
}

}  // namespace
