// The runner's command line: what it accepts and what is a usage error.

#include "tools/run_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, RunOptions& options, std::string& error) {
  args.insert(args.begin(), "taviro-run");
  return ParseRunOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(RunOptions, DefaultsToSixtyFramesOfTheImage) {
  RunOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"game.nes"}, options, error)) << error;
  EXPECT_EQ(options.image, "game.nes");
  EXPECT_EQ(options.frames, 60u);
  EXPECT_FALSE(options.steps);
  EXPECT_FALSE(options.bench);
  EXPECT_TRUE(options.skipWaitingLoops);
  RunOptions exact;
  ASSERT_TRUE(Parse({"--no-skip", "game.nes"}, exact, error)) << error;
  EXPECT_FALSE(exact.skipWaitingLoops);
}

TEST(RunOptions, RegistersAreHexInAnyOrderAndCase) {
  RegisterSettings registers;
  std::string error;
  ASSERT_TRUE(ParseRegisters("PC=C000,S=FD,p=24,A=ff,X=0,Y=7f", registers, error)) << error;
  EXPECT_EQ(*registers.PC, 0xC000);
  EXPECT_EQ(*registers.S, 0xFD);
  EXPECT_EQ(*registers.P, 0x24);
  EXPECT_EQ(*registers.A, 0xFF);
  EXPECT_EQ(*registers.X, 0x00);
  EXPECT_EQ(*registers.Y, 0x7F);

  RegisterSettings partial;
  ASSERT_TRUE(ParseRegisters("A=1", partial, error));
  EXPECT_FALSE(partial.PC);
  EXPECT_FALSE(partial.X);
}

TEST(RunOptions, BadRegistersAreRefused) {
  for (const char* text : {"A=100", "PC=10000", "Q=1", "A=", "A", "A=1G", "PC=C000,,X=1", ""}) {
    RegisterSettings registers;
    std::string error;
    EXPECT_FALSE(ParseRegisters(text, registers, error)) << text;
    EXPECT_FALSE(error.empty());
  }
}

TEST(RunOptions, PressesNameAButtonAndAnInclusiveFrameRange) {
  std::vector<ButtonHold> presses;
  std::string error;
  ASSERT_TRUE(ParsePresses("start@30-35,A@100-140,right@7", presses, error)) << error;
  ASSERT_EQ(presses.size(), 3u);
  EXPECT_EQ(presses[0].button, 3);
  EXPECT_EQ(presses[0].first, 30u);
  EXPECT_EQ(presses[0].last, 35u);
  EXPECT_EQ(presses[1].button, 0);
  EXPECT_EQ(presses[2].button, 7);
  EXPECT_EQ(presses[2].first, 7u);
  EXPECT_EQ(presses[2].last, 7u);

  for (const char* text : {"jump@1-2", "a@", "a@5-3", "a@x", "a1-2", "a@-2"}) {
    std::vector<ButtonHold> refused;
    EXPECT_FALSE(ParsePresses(text, refused, error)) << text;
  }
}

TEST(RunOptions, TestHarnessOptions) {
  RunOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--test-rom", "--expect", "6000=0,$FFFC=$1a", "--until-pc", "$C123", "--jobs",
                     "3", "--junit", "r.xml", "a.nes", "b.nes"},
                    options, error))
      << error;
  EXPECT_EQ(options.frames, kTestRomFrames) << "a minute unless --frames says otherwise";
  EXPECT_EQ(options.images, (std::vector<std::string>{"a.nes", "b.nes"}));
  EXPECT_EQ(options.image, "a.nes");
  ASSERT_EQ(options.expectations.size(), 2u);
  EXPECT_EQ(options.expectations[1].address, 0xFFFC);
  EXPECT_EQ(options.expectations[1].value, 0x1A);
  EXPECT_EQ(*options.untilPc, 0xC123);
  EXPECT_EQ(options.jobs, 3u);
  EXPECT_TRUE(options.Batch());
  EXPECT_FALSE(options.WantsPicture());

  RunOptions timed;
  ASSERT_TRUE(Parse({"--frames", "100", "--test-rom", "a.nes"}, timed, error));
  EXPECT_EQ(timed.frames, 100u);
  RunOptions bench;
  ASSERT_TRUE(Parse({"--bench", "a.nes"}, bench, error));
  EXPECT_TRUE(bench.WantsPicture()) << "--bench draws every frame, as the game window does";
  ASSERT_TRUE(Parse({"--bench", "--no-picture", "a.nes"}, bench, error));
  EXPECT_FALSE(bench.WantsPicture());

  for (const char* text : {"6000", "6000=100", "10000=0", "x=1", "6000=1,"}) {
    std::vector<MemoryExpectation> refused;
    EXPECT_FALSE(ParseExpectations(text, refused, error)) << text;
  }
}

TEST(RunOptions, UsageErrors) {
  const std::vector<std::vector<const char*>> cases = {
      {},                                      // no image
      {"a.nes", "b.nes", "--trace", "t.txt"},  // two images, one trace
      {"--frames", "ten", "a.nes"},            // not a number
      {"--frames", "-5", "a.nes"},             // not a count
      {"--frames", "10", "--steps", "5", "a.nes"},
      {"--speed", "2", "a.nes"},  // unknown option
      {"a.nes", "--dump-cpu"},    // missing value
      {"--test-rom", "--steps", "5", "a.nes"},
      {"--diff", "d.png", "a.nes"},  // nothing to differ from
      {"--no-picture", "--screenshot", "s.png", "a.nes"},
      {"--jobs", "0", "a.nes"},
      {"--until-pc", "12345", "a.nes"},
  };
  for (const auto& args : cases) {
    RunOptions options;
    std::string error;
    EXPECT_FALSE(Parse(args, options, error)) << (args.empty() ? "" : args[0]);
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
