// Hexadecimal fields read as a 32-bit strtol reads them: prefix, sign,
// white space, trailing junk, no digits, and saturation at both ends.
#include "debugger/hex_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(ParseHex32, ReadsDigitsSignAndPrefixUpToTheFirstNonDigit) {
  EXPECT_EQ(ParseHex32("2000"), 0x2000);
  EXPECT_EQ(ParseHex32("c0fF"), 0xC0FF);
  EXPECT_EQ(ParseHex32("  \t-1"), -1);
  EXPECT_EQ(ParseHex32("+10"), 0x10);
  EXPECT_EQ(ParseHex32("0x1F"), 0x1F);
  EXPECT_EQ(ParseHex32("-0X10"), -0x10);
  EXPECT_EQ(ParseHex32("1G"), 1);
  EXPECT_EQ(ParseHex32("12 34"), 0x12);
}

TEST(ParseHex32, TextWithoutDigitsIsZero) {
  EXPECT_EQ(ParseHex32(""), 0);
  EXPECT_EQ(ParseHex32("G"), 0);
  EXPECT_EQ(ParseHex32("-"), 0);
  EXPECT_EQ(ParseHex32("0x"), 0);  // the 0 is the number, "x" the junk after it
  EXPECT_EQ(ParseHex32("0xG"), 0);
}

TEST(ParseHex32, SaturatesAtTheSigned32BitLimits) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(ParseHex32("7FFFFFFF"), kMax);
  EXPECT_EQ(ParseHex32("80000000"), kMax);
  EXPECT_EQ(ParseHex32("123456789"), kMax);
  EXPECT_EQ(ParseHex32("FFFFFFFFFFFFFFFFFFFFFFFF"), kMax);
  EXPECT_EQ(ParseHex32("-80000000"), kMin);
  EXPECT_EQ(ParseHex32("-80000001"), kMin);
  EXPECT_EQ(ParseHex32("-FFFFFFFFFFFFFFFFFFFF"), kMin);
}

// A field's whole text must be the number: white space may stand around it,
// nothing else may follow it, and text without digits is none.
TEST(ParseWholeHex32, AcceptsOnlyTextThatIsANumber) {
  EXPECT_EQ(ParseWholeHex32(" 0x1F\t"), 0x1F);
  EXPECT_EQ(ParseWholeHex32("-1"), -1);
  EXPECT_EQ(ParseWholeHex32("123456789"), std::numeric_limits<std::int32_t>::max());
  for (const char* text : {"", "  ", "zz", "1G", "12 34", "-", "0x", "0xG", "$300"})
    EXPECT_EQ(ParseWholeHex32(text), std::nullopt) << '"' << text << '"';
}
