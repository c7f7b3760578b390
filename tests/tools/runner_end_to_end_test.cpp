// taviro-run as a user runs it: the built program on our own cartridges,
// its trace, dumps, screenshot, benchmark line and exit statuses.

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "emulation/picture_png.h"
#include "tests/cart/ines_image.h"
#include "tests/tools/runner_fixture.h"

namespace {

TEST_F(Runner, TracesEachInstructionBeforeItRuns) {
  ASSERT_EQ(Run("--steps 8 --trace " + File("trace.txt") + " " + Rom("mmc2_test")), 0) << err;
  // From the reset code at $E020 and the 6502's flags and cycle counts; the
  // debug file beside the image names the reset code.
  const std::vector<std::string> expected = {
      "E020: 78         SEI         A:00 X:00 Y:00 P:00 SP:00 CYC:0 SL:0 reset",
      "E021: D8         CLD         A:00 X:00 Y:00 P:04 SP:00 CYC:2 SL:0",
      "E022: A2 FF      LDX #$FF    A:00 X:00 Y:00 P:04 SP:00 CYC:4 SL:0",
      "E024: 9A         TXS         A:00 X:FF Y:00 P:84 SP:00 CYC:6 SL:0",
      "E025: A9 00      LDA #$00    A:00 X:FF Y:00 P:84 SP:FF CYC:8 SL:0",
      "E027: 8D 00 20   STA $2000   A:00 X:FF Y:00 P:06 SP:FF CYC:10 SL:0",
      "E02A: 8D 01 20   STA $2001   A:00 X:FF Y:00 P:06 SP:FF CYC:14 SL:0",
      "E02D: AD 10 80   LDA $8010   A:00 X:FF Y:00 P:06 SP:FF CYC:18 SL:0",
  };
  EXPECT_EQ(Lines(ReadFile(File("trace.txt"))), expected);
}

TEST_F(Runner, RegistersAreSetAfterTheReset) {
  ASSERT_EQ(Run("--regs PC=E022,A=12,X=34,Y=56,P=24,S=FD --steps 2 --trace " + File("t.txt") + " " +
                Rom("mmc2_test")),
            0)
      << err;
  std::vector<std::string> lines = Lines(ReadFile(File("t.txt")));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "E022: A2 FF      LDX #$FF    A:12 X:34 Y:56 P:24 SP:FD CYC:0 SL:0");
  EXPECT_EQ(lines[1], "E024: 9A         TXS         A:12 X:FF Y:56 P:A4 SP:FD CYC:2 SL:0");
}

TEST_F(Runner, CpuDumpHasTheDebuggerLayoutAndTheCartridgeReport) {
  ASSERT_EQ(Run("--frames 4 --dump-cpu " + File("cpu.dmp") + " " + Rom("mmc2_test")), 0) << err;
  std::string dump = ReadFile(File("cpu.dmp"));
  std::vector<std::string> lines = Lines(dump);
  ASSERT_EQ(lines.size(), 2048u);
  for (const std::string& line : lines) ASSERT_EQ(line.size(), 54u) << line;
  EXPECT_NE(dump.back(), '\n');
  EXPECT_EQ(lines.back().substr(0, 6), "$7FF0:");
  EXPECT_EQ(lines[0x30], "$0300: 00 05 06 03 03 02 00 05 05 06 05 05 03 06 5A A5");
  EXPECT_EQ(lines[0x3F], "$03F0: 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 A5");
  EXPECT_EQ(lines[0x130], lines[0x30].replace(1, 4, "1300")) << "RAM mirror";
}

TEST_F(Runner, PpuDumpMatchesTheGoldenFileByteForByte) {
  // Lower table bank 3, upper table bank 6, the two mirrored name-table
  // pairs the cartridge wrote, everything else zero.
  ASSERT_EQ(Run("--frames 4 --dump-ppu " + File("ppu.dmp") + " " + Rom("mmc2_test")), 0) << err;
  std::vector<std::string> dump = Lines(ReadFile(File("ppu.dmp")));
  std::vector<std::string> golden = Lines(ReadFile(Golden("mmc2_test_ppu.dump.txt")));
  ASSERT_EQ(golden.size(), 1024u);
  ASSERT_EQ(dump.size(), golden.size());
  for (std::size_t i = 0; i < golden.size(); ++i) ASSERT_EQ(dump[i], golden[i]);
  EXPECT_EQ(ReadFile(File("ppu.dmp")), ReadFile(Golden("mmc2_test_ppu.dump.txt")));
}

TEST_F(Runner, JoypadPressesOverFrameRangesMoveTheDemoPlayer) {
  // The player starts at (120, 160) and walks a pixel per frame, two with A.
  ASSERT_EQ(Run("--frames 30 --press right@5-14,down@5-7,a@10-14,left@20 --dump-cpu " +
                File("cpu.dmp") + " " + Rom("demo")),
            0)
      << err;
  std::string line = Lines(ReadFile(File("cpu.dmp")))[1];
  // $14 = 120 + 5 + 2 x 5 - 1, $15 = 160 + 3.
  EXPECT_EQ(line.substr(18, 6), " 86 A3") << line;
}

TEST_F(Runner, DemoScreenshotMatchesTheGoldenPicture) {
  ASSERT_EQ(Run("--frames 90 --press right@20-60,up@40-50 --screenshot " + File("shot.png") + " " +
                Rom("demo")),
            0)
      << err;
  RgbPicture shot, golden;
  std::string error;
  ASSERT_TRUE(LoadRgbPng(File("shot.png").c_str(), shot, &error)) << error;
  ASSERT_TRUE(LoadRgbPng(Golden("demo_frame90.png").c_str(), golden, &error)) << error;
  EXPECT_EQ(shot.width, 640);
  EXPECT_EQ(shot.height, 480);
  EXPECT_TRUE(shot.rgb == golden.rgb) << "the picture changed: review " << File("shot.png");
}

TEST_F(Runner, TracedFramesDrawTheSamePictureAsUntracedOnes) {
  // The demo splits its picture with the scanline IRQ and scrolls, so every
  // line's scroll record must be taken as the run loop takes it.
  ASSERT_EQ(Run("--frames 90 --press right@20-60,up@40-50 --trace " + File("frames.txt") +
                " --screenshot " + File("shot.png") + " " + Rom("demo")),
            0)
      << err;
  RgbPicture shot, golden;
  std::string error;
  ASSERT_TRUE(LoadRgbPng(File("shot.png").c_str(), shot, &error)) << error;
  ASSERT_TRUE(LoadRgbPng(Golden("demo_frame90.png").c_str(), golden, &error)) << error;
  EXPECT_TRUE(shot.rgb == golden.rgb) << "review " << File("shot.png");

  const std::vector<std::string> lines = Lines(ReadFile(File("frames.txt")));
  ASSERT_GT(lines.size(), 90u * 100);
  ASSERT_EQ(Run("--steps 3 --trace " + File("steps.txt") + " " + Rom("demo")), 0) << err;
  const std::vector<std::string> steps = Lines(ReadFile(File("steps.txt")));
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3), steps)
      << "a frame trace starts like a step trace";
}

// Tiles written into character RAM through $2007 and drawn: the same
// program on every board that runs it, so every board draws the one picture
// (made once from mapper 0 and looked at).
TEST_F(Runner, EveryBoardDrawsTheCharacterRamPicture) {
  RgbPicture golden;
  std::string error;
  ASSERT_TRUE(LoadRgbPng(Golden("chr_ram_picture.png").c_str(), golden, &error)) << error;
  for (const char* mapper : {"0", "1", "2", "3", "4", "7", "30"}) {
    const std::string image = std::string("chr_ram_picture_mapper") + mapper;
    ASSERT_EQ(Run("--frames 10 --screenshot " + File("shot.png") + " " + Rom(image.c_str())), 0)
        << err;
    RgbPicture shot;
    ASSERT_TRUE(LoadRgbPng(File("shot.png").c_str(), shot, &error)) << error;
    EXPECT_TRUE(shot.rgb == golden.rgb) << "mapper " << mapper << ": review " << File("shot.png");
  }
}

TEST_F(Runner, AMissingBoardIsNamedOnStderr) {
  TempFile noBoard(InesImage::Numbered(kMapperWithoutBoard, 1, 1).Bytes());
  EXPECT_EQ(Run(noBoard.path()), 1);
  EXPECT_NE(err.find("Taviro.\nmapper 5: no board5.so in "), std::string::npos) << err;
}

TEST_F(Runner, BenchEndsWithOneFigureLine) {
  ASSERT_EQ(Run("--bench --frames 30 " + Rom("demo")), 0) << err;
  unsigned long frames = 0;
  double seconds = -1, fps = -1, cyclesPerSecond = -1;
  char end = 0;
  ASSERT_EQ(std::sscanf(out.c_str(), "frames %lu, seconds %lf, fps %lf, cycles/s %lf%c", &frames,
                        &seconds, &fps, &cyclesPerSecond, &end),
            5)
      << out;
  EXPECT_EQ(frames, 30u);
  EXPECT_EQ(end, '\n');
  EXPECT_GE(seconds, 0);
  // A frame is 262 lines of 112 cycles.
  EXPECT_NEAR(cyclesPerSecond, fps * 29344, fps * 29344 * 1e-3 + 1);
}

TEST_F(Runner, LoadFailuresPrintTheDebuggersMessageAndExit1) {
  // A file that cannot be opened is named, with the reason.
  EXPECT_EQ(Run(File("missing.nes")), 1);
  EXPECT_EQ(err, "Could Not Open File " + File("missing.nes") + ": No such file or directory\n");
  const std::string text = File("notes.nes");
  std::ofstream(text) << "not a cartridge\n";
  EXPECT_EQ(Run(text), 1);
  EXPECT_EQ(err, "not an iNES image: " + text + "\n");

  EXPECT_EQ(Run("--boards " + work.path() + " " + Rom("demo")), 1);
  EXPECT_EQ(err,
            "LoadLibrary failed when opening the .dll.\n"
            "Make sure the mapper .dll is in the same directory as Taviro.\n"
            "mapper 4: no board4.so in " +
                work.path() + "\n");

  TempFile noProgram(InesImage::Numbered(4, 0, 1).Bytes());
  EXPECT_EQ(Run(noProgram.path()), 1);
  EXPECT_EQ(err, "ROM image has no program data\n");
}

TEST_F(Runner, UsageErrorsPrintTheUsageAndExit2) {
  EXPECT_EQ(Run(""), 2);
  EXPECT_NE(err.find("usage: taviro-run [options] IMAGE"), std::string::npos);
  EXPECT_EQ(Run("--regs PC=12345 " + Rom("demo")), 2);
  EXPECT_NE(err.find("usage:"), std::string::npos);
}

TEST_F(Runner, HelpPrintsTheUsageAndRunsNothing) {
  EXPECT_EQ(Run("--help"), 0);
  EXPECT_NE(out.find("usage: taviro-run [options] IMAGE"), std::string::npos);
  EXPECT_EQ(Run("--frames 1 -h /nonexistent.nes"), 0) << "no image is loaded";
  EXPECT_EQ(err, "");
}

TEST_F(Runner, UnwritableOutputIsReportedWithExit1) {
  EXPECT_EQ(Run("--frames 1 --dump-cpu /nonexistent/dir/cpu.dmp " + Rom("demo")), 1);
  EXPECT_NE(err.find("Couldn't Open File for output"), std::string::npos);
}

// A file size limit makes every write past the first few hundred bytes fail
// as a full disk would (the signal it raises is ignored, so writes return
// the error), whatever the machine's /dev/full is.
constexpr const char* kTinyFiles = "trap '' XFSZ; ulimit -f 1; ";

TEST_F(Runner, TraceThatCannotBeWrittenOutIsReportedWithExit1) {
  EXPECT_EQ(Run("--frames 2 --trace " + File("trace") + " " + Rom("demo"), kTinyFiles), 1);
  EXPECT_EQ(err, "Couldn't write " + File("trace") + ": File too large\n");
}

TEST_F(Runner, DumpCutShortIsReportedWithExit1) {
  EXPECT_EQ(Run("--frames 1 --dump-ppu " + File("ppu.dmp") + " " + Rom("demo"), kTinyFiles), 1);
  EXPECT_EQ(err, "Couldn't write " + File("ppu.dmp") + ": File too large\n");
}

TEST_F(Runner, EmptyScreenshotPathIsAUsageError) {
  EXPECT_EQ(Run("--screenshot '' " + Rom("demo")), 2);
  EXPECT_NE(err.find("--screenshot needs a file name"), std::string::npos);
}

TEST_F(Runner, ScreenshotOverTheImageIsRefusedBeforeAnythingIsWritten) {
  const std::string demo = ReadFile(Rom("demo"));
  TempFile image(std::vector<unsigned char>(demo.begin(), demo.end()));
  EXPECT_EQ(Run("--screenshot " + std::string(image.path()) + " " + image.path()), 2);
  EXPECT_NE(err.find("--screenshot would overwrite the image"), std::string::npos);
  EXPECT_EQ(ReadFile(image.path()), demo);
}

TEST_F(Runner, FifoGivenAsTheImageIsRefusedWithoutWaiting) {
  ASSERT_EQ(::mkfifo(File("game.nes").c_str(), 0600), 0);
  EXPECT_EQ(Run(File("game.nes")), 1);
  EXPECT_EQ(err, "Could Not Open File " + File("game.nes") + ": not a regular file\n");
}

// The labels of the trace: from the debug file beside the image or the one
// named, on a banked board only while their bank is mapped, and nothing
// at all without symbols.
TEST_F(Runner, TraceEndsWithTheLabelOfTheMappedBank) {
  ASSERT_EQ(Run("--steps 30 --trace " + File("t.txt") + " " + Rom("symbols_test")), 0) << err;
  std::vector<std::string> atBankStart;
  for (const std::string& line : Lines(ReadFile(File("t.txt"))))
    if (line.rfind("8000:", 0) == 0) atBankStart.push_back(line.substr(line.rfind(' ') + 1));
  // Both banks are linked for $8000; the reset code calls bank 0, then bank 1.
  EXPECT_EQ(atBankStart, (std::vector<std::string>{"bank0_entry", "bank1_entry"}));
}

TEST_F(Runner, WithoutSymbolsTheTraceIsUnchangedAndABadFileOnlyCostsTheLabels) {
  const std::string image = File("copy.nes");
  std::filesystem::copy_file(Rom("symbols_test"), image);
  ASSERT_EQ(Run("--steps 40 --trace " + File("bare.txt") + " " + image), 0) << err;
  ASSERT_EQ(Run("--steps 40 --trace " + File("named.txt") + " --symbols " +
                std::string(TAVIRO_ROM_DIR) + "/symbols_test.dbg " + image),
            0)
      << err;
  const std::vector<std::string> bare = Lines(ReadFile(File("bare.txt")));
  const std::vector<std::string> named = Lines(ReadFile(File("named.txt")));
  ASSERT_EQ(bare.size(), named.size());
  for (std::size_t i = 0; i < bare.size(); ++i) {
    EXPECT_EQ(named[i].substr(0, bare[i].size()), bare[i]) << "labels only follow the line";
    EXPECT_EQ(bare[i].find("reset"), std::string::npos);
  }
  EXPECT_EQ(named[0], bare[0] + " reset");

  std::ofstream(File("copy.dbg")) << "version\tmajor=2,minor=0\nsym\tid=0,name=\"cut";
  ASSERT_EQ(Run("--steps 40 --trace " + File("bad.txt") + " " + image), 0);
  EXPECT_EQ(err, File("copy.dbg") +
                     ", line 2: a quoted value without its closing quote\n"
                     "The image is loaded without symbols.\n");
  EXPECT_EQ(ReadFile(File("bad.txt")), ReadFile(File("bare.txt")));
}

}  // namespace
