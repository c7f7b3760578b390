// The breakpoint condition language and the breakpoint address field, on
// tables of good and bad texts; the bad ones with the place of their error.

#include "debugger/condition.h"

#include <gtest/gtest.h>

#include <string>

#include "debugger/breakpoints.h"

namespace {

unsigned char PeekIndex(unsigned int address) {
  return static_cast<unsigned char>(address & 0xFF);  // every byte holds its address' low byte
}

ConditionInputs Machine() {
  ConditionInputs in;
  in.a = 0x3F;
  in.x = 0x05;
  in.y = 0x02;
  in.s = 0xFD;
  in.p = 0xC1;  // N, V and C set
  in.pc = 0xC012;
  in.value = 0x80;
  in.scanline = 201;
  in.peek = PeekIndex;
  return in;
}

struct Good {
  const char* text;
  bool holds;
};

TEST(ConditionLanguage, GoodExpressionsEvaluateOverTheMachine) {
  const Good table[] = {
      {"", true},
      {"   ", true},
      {"A == $3F", true},
      {"a == 63", true},
      {"A != 0x3f", false},
      {"X < 8 && Y >= 2", true},
      {"X < 5 || Y > 2", false},
      {"[$0300+X] == 5", true},
      {"[$0300 + x] == [$0305]", true},
      {"[$FFFF + 2] == 1", true},  // the address wraps at 16 bits
      {"C && N && V", true},
      {"!C || Z", false},
      {"!Z", true},
      {"I | D", false},
      {"value & $80", true},
      {"(value & $7F) == 0", true},
      {"PC == $C012 && scanline > 200", true},
      {"(A | X) == $3F", true},
      {"A & X == 5", true},  // == binds tighter than &, as in C
      {"0x10 + 2 == 18", true},
      {"S == $FD && SP == 253", true},
      {"P == $C1", true},
      {"A - $40 < 0", true},  // no wrap: values are plain numbers
      {"Scanline <= 201 && scanline >= 201", true},
  };
  for (const Good& row : table) {
    ConditionError error;
    const std::optional<Condition> condition = Condition::Parse(row.text, &error);
    ASSERT_TRUE(condition) << row.text << ": " << DescribeConditionError(error);
    EXPECT_EQ(condition->Holds(Machine()), row.holds) << row.text;
  }
}

struct Bad {
  std::string text;
  std::size_t position;
  const char* message;
};

TEST(ConditionLanguage, MalformedExpressionsAreRefusedWithTheirPlace) {
  const Bad table[] = {
      {"A ==", 4, "expected a value"},
      {"A = 3", 2, "use '=='"},
      {"(A == 1", 7, "expected ')'"},
      {"[$0300", 6, "expected ']'"},
      {"foo == 1", 0, "unknown name 'foo'"},
      {"A == valu", 5, "unknown name 'valu'"},
      {"$", 1, "expected hexadecimal digits"},
      {"A == $G0", 6, "not a hexadecimal digit"},
      {"12a", 2, "not a decimal digit"},
      {"A == 1 )", 7, "unexpected ')'"},
      {"A == 1 2", 7, "unexpected '2'"},
      {"$100000000", 0, "number too large"},
      {"A &&& X", 4, "expected a value, not '&'"},
      {"A == #3", 5, "expected a value, not '#'"},
      {std::string(70, '(') + "A", 64, "nested too deeply"},
  };
  for (const Bad& row : table) {
    ConditionError error;
    EXPECT_FALSE(Condition::Parse(row.text, &error)) << row.text;
    EXPECT_EQ(error.position, row.position) << row.text;
    EXPECT_NE(error.message.find(row.message), std::string::npos)
        << row.text << ": " << error.message;
  }
}

TEST(ConditionLanguage, AVeryLongChainIsRefusedNotEvaluatedDeep) {
  std::string text = "1";
  for (int i = 0; i < 2000; ++i) text += "+1";
  ConditionError error;
  EXPECT_FALSE(Condition::Parse(text, &error));
  EXPECT_EQ(error.message, "condition too long");
}

TEST(BreakpointAddress, OneAddressOrARangeInHexadecimal) {
  struct Row {
    const char* text;
    unsigned int first, last;
  };
  const Row good[] = {{"2006", 0x2006, 0x2006},     {"$2000-$2007", 0x2000, 0x2007},
                      {"0xC000", 0xC000, 0xC000},   {" c012 ", 0xC012, 0xC012},
                      {"0 - FFFF", 0x0000, 0xFFFF}, {"$10-10", 0x10, 0x10}};
  for (const Row& row : good) {
    ConditionError error;
    const std::optional<AddressRange> range = ParseBreakpointAddress(row.text, &error);
    ASSERT_TRUE(range) << row.text << ": " << error.message;
    EXPECT_EQ(range->first, row.first) << row.text;
    EXPECT_EQ(range->last, row.last) << row.text;
  }
  const Bad bad[] = {
      {"", 0, "expected a hexadecimal address"},
      {"zz", 0, "expected a hexadecimal address"},
      {"12345", 0, "at most four"},
      {"$2007-$2000", 6, "ends before it starts"},
      {"2000-", 5, "expected a hexadecimal address"},
      {"20 06", 3, "unexpected '0'"},
  };
  for (const Bad& row : bad) {
    ConditionError error;
    EXPECT_FALSE(ParseBreakpointAddress(row.text, &error)) << row.text;
    EXPECT_EQ(error.position, row.position) << row.text;
    EXPECT_NE(error.message.find(row.message), std::string::npos)
        << row.text << ": " << error.message;
  }
}

TEST(BreakpointAddress, TheMessageNamesTheFieldAndTheColumn) {
  std::string message;
  EXPECT_FALSE(MakeBreakpoint("2006", "A ==", cpu::watch::kWrite, &message));
  EXPECT_EQ(message, "Condition: column 5: expected a value");
  EXPECT_FALSE(MakeBreakpoint("zz", "", cpu::watch::kWrite, &message));
  EXPECT_EQ(message, "Address: column 1: expected a hexadecimal address");
  EXPECT_FALSE(MakeBreakpoint("2006", "", 0, &message));
  EXPECT_EQ(message, "Choose Execute, Read or Write (or several)");
}

}  // namespace
