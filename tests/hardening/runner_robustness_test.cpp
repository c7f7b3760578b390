// taviro-run given files it cannot use and command lines it cannot parse:
// each ends with its message and its exit status (1 for a load failure, 2
// for a usage error), never with a signal.

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/hardening/child_process.h"
#include "tests/hardening/hostile_images.h"

namespace {

constexpr std::chrono::seconds kDeadline{30};
const char* const kNoPlugIn =
    "LoadLibrary failed when opening the .dll.\n"
    "Make sure the mapper .dll is in the same directory as Taviro.\n";
const char* const kNoProgram = "ROM image has no program data\n";

class RunnerRobustness : public ::testing::Test {
 protected:
  ProgramRun Run(std::vector<std::string> arguments) {
    ProgramRun run =
        RunProgram(BuiltProgramDirectory() + "/taviro-run", arguments, output.path(), kDeadline);
    EXPECT_EQ(run.end.signal, 0) << "taviro-run died: " << run.err;
    EXPECT_FALSE(run.end.timedOut) << "taviro-run did not finish";
    return run;
  }

  // A load failure: exit 1, the debugger's message and nothing else.
  void ExpectLoadFailure(const std::vector<std::string>& arguments, const char* message) {
    ProgramRun run = Run(arguments);
    EXPECT_EQ(run.end.exitCode, 1);
    if (std::string(message) == kNoPlugIn) {
      // A second line names the mapper, the plug-in and where it was looked for.
      const std::string firstLines(message, std::strlen(message) - 1);
      EXPECT_EQ(run.err.rfind(firstLines + "\nmapper ", 0), 0u) << run.err;
      EXPECT_EQ(run.err.back(), '\n');
    } else {
      EXPECT_EQ(run.err, message);
    }
    EXPECT_EQ(run.out, "");
  }

  std::string Demo() const { return CartridgePath("demo"); }

  // The runner names the file it could not open, and why.
  void ExpectCouldNotOpen(const std::string& path, const std::string& reason) {
    ExpectLoadFailure({"--frames", "1", path},
                      ("Could Not Open File " + path + ": " + reason + "\n").c_str());
  }

  ScratchDirectory output;  // stdout and stderr of the runs
  ScratchDirectory files;   // what the runs are given
};

TEST_F(RunnerRobustness, MissingFileCannotBeOpened) {
  ExpectCouldNotOpen(files.path() + "/missing.nes", std::strerror(ENOENT));
}

TEST_F(RunnerRobustness, FileWithoutReadPermissionCannotBeOpened) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their permissions";
  const std::string path = files.Write("locked.nes", ReadBytes(Demo()));
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  ExpectCouldNotOpen(path, std::strerror(EACCES));
}

TEST_F(RunnerRobustness, FileOfZeroBytesIsNoImage) {
  const std::string path = files.Write("empty.nes", {});
  ExpectLoadFailure({"--frames", "1", path}, ("not an iNES image: " + path + "\n").c_str());
}

TEST_F(RunnerRobustness, ImageWithoutProgramBanksHasNoProgram) {
  ExpectLoadFailure({"--frames", "1", files.Write("empty.nes", InesHeader(4, 0, 0))}, kNoProgram);
}

// Files that open but cannot be read are refused with exit 1 and a message
// whatever the message, and the runner survives them.
TEST_F(RunnerRobustness, UnreadableFilesAreRefusedWithExit1) {
  for (const std::string& path : {files.path(), std::string("/proc/self/mem")}) {
    ProgramRun run = Run({"--frames", "1", path});
    EXPECT_EQ(run.end.exitCode, 1) << path;
    EXPECT_NE(run.err, "") << path;
  }
}

// On Linux fopen succeeds on a directory and on /proc/self/mem and only the
// reads fail; that must not pass for a header of zeros.
TEST_F(RunnerRobustness, DirectoryCannotBeOpened) {
  ExpectCouldNotOpen(files.path(), std::strerror(EISDIR));
}

TEST_F(RunnerRobustness, FileThatFailsToReadCannotBeOpened) {
  ExpectCouldNotOpen("/proc/self/mem", std::strerror(EIO));
}

TEST_F(RunnerRobustness, PlugInDirectoryWithoutPlugIns) {
  ExpectLoadFailure({"--boards", files.path(), "--frames", "1", Demo()}, kNoPlugIn);
}

TEST_F(RunnerRobustness, PlugInDirectoryThatDoesNotExist) {
  ExpectLoadFailure({"--boards", files.path() + "/none", "--frames", "1", Demo()}, kNoPlugIn);
}

// A file of the plug-in's name that is no library, and a directory of
// that name: neither loads, and neither takes the runner down.
TEST_F(RunnerRobustness, PlugInsThatAreNoLibraries) {
  files.Write("board4.so", Bytes(4096, 0x7F));
  ExpectLoadFailure({"--boards", files.path(), "--frames", "1", Demo()}, kNoPlugIn);
  files.Write("Board4.so", {});
  ExpectLoadFailure({"--boards", files.path(), "--frames", "1", Demo()}, kNoPlugIn);
  std::filesystem::remove(files.path() + "/board4.so");
  std::filesystem::remove(files.path() + "/Board4.so");
  std::filesystem::create_directory(files.path() + "/BOARD4.so");
  ExpectLoadFailure({"--boards", files.path(), "--frames", "1", Demo()}, kNoPlugIn);
}

TEST_F(RunnerRobustness, PlugInDirectoryThatIsAFile) {
  const std::string notADirectory = files.Write("boards", Bytes(16, 0));
  ExpectLoadFailure({"--boards", notADirectory, "--frames", "1", Demo()}, kNoPlugIn);
}

TEST_F(RunnerRobustness, PlugInThatIsADanglingLink) {
  std::filesystem::create_symlink(files.path() + "/gone.so", files.path() + "/board4.so");
  ExpectLoadFailure({"--boards", files.path(), "--frames", "1", Demo()}, kNoPlugIn);
}

// A real shared library under the plug-in's name loads, but has none of
// the entry points: the first one looked up names the failure.
TEST_F(RunnerRobustness, PlugInWithoutTheEntryPoints) {
  Dl_info library{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&png_access_version_number), &library), 0);
  std::filesystem::copy_file(library.dli_fname, files.path() + "/board4.so");
  ExpectLoadFailure({"--boards", files.path(), "--frames", "1", Demo()},
                    "Failed to loacate the \"MapperMainWrite\" function in the mapper .dll\n");
}

TEST_F(RunnerRobustness, PathsThatCannotBeOpened) {
  std::filesystem::create_symlink(files.path() + "/loop", files.path() + "/loop");
  ExpectCouldNotOpen(files.path() + "/loop", std::strerror(ELOOP));
  ExpectCouldNotOpen(files.path() + "/" + std::string(5000, 'x') + ".nes",
                     std::strerror(ENAMETOOLONG));
  ExpectCouldNotOpen(Demo() + "/demo.nes", std::strerror(ENOTDIR));  // under a file
}

// The command line, with the reason the runner must give.
struct UsageCase {
  const char* name;
  std::vector<std::string> arguments;  // the demo image is appended
  const char* reason;
};

// Test names (and CTest's) show the case, not the record's bytes and pointers.
void PrintTo(const UsageCase& c, std::ostream* out) {
  *out << c.name;
}

class RunnerUsage : public RunnerRobustness, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(RunnerUsage, PrintsTheReasonAndTheUsageAndExits2) {
  std::vector<std::string> arguments = GetParam().arguments;
  arguments.push_back(Demo());
  ProgramRun run = Run(arguments);
  EXPECT_EQ(run.end.exitCode, 2);
  EXPECT_EQ(run.err.rfind(std::string("taviro-run: ") + GetParam().reason, 0), 0u) << run.err;
  EXPECT_NE(run.err.find("usage: taviro-run [options] IMAGE"), std::string::npos);
  EXPECT_EQ(run.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, RunnerUsage,
    ::testing::Values(
        UsageCase{"UnknownOption", {"--speed", "2"}, "unknown option: --speed"},
        UsageCase{"SingleDashOption", {"-f"}, "unknown option: -f"},
        UsageCase{"FramesNotANumber", {"--frames", "abc"}, "--frames needs a decimal count: abc"},
        UsageCase{"FramesNegative", {"--frames", "-5"}, "--frames needs a decimal count: -5"},
        UsageCase{"FramesHex", {"--frames", "0x10"}, "--frames needs a decimal count: 0x10"},
        UsageCase{"FramesTooLong",
                  {"--frames", "99999999999999999999"},
                  "--frames needs a decimal count: 99999999999999999999"},
        UsageCase{"StepsExponent", {"--steps", "1e3"}, "--steps needs a decimal count: 1e3"},
        UsageCase{"RegisterNotHex", {"--regs", "PC=ZZZZ"}, "bad register value: PC=ZZZZ"},
        UsageCase{"RegisterTooWide", {"--regs", "A=100"}, "bad register value: A=100"},
        UsageCase{"RegisterWithoutValue", {"--regs", "PC"}, "bad register value: PC"},
        UsageCase{"UnknownRegister", {"--regs", "Q=1"}, "unknown register: Q=1"},
        UsageCase{"PressWithoutLastFrame", {"--press", "start@5-"}, "bad frame range: start@5-"},
        UsageCase{"PressWithoutFirstFrame", {"--press", "start@-5"}, "bad frame range: start@-5"},
        UsageCase{"PressBackwards", {"--press", "a@9-3"}, "bad frame range: a@9-3"},
        UsageCase{"PressUnknownButton", {"--press", "turbo@1-2"}, "bad button press: turbo@1-2"},
        UsageCase{"PressWithoutFrames", {"--press", "start"}, "bad button press: start"}),
    [](const ::testing::TestParamInfo<UsageCase>& info) { return std::string(info.param.name); });

TEST_F(RunnerRobustness, OptionWithoutItsValue) {
  ProgramRun run = Run({Demo(), "--frames"});
  EXPECT_EQ(run.end.exitCode, 2);
  EXPECT_EQ(run.err.rfind("taviro-run: --frames needs a value\n", 0), 0u) << run.err;
}

TEST_F(RunnerRobustness, NoImage) {
  ProgramRun run = Run({"--frames", "1"});
  EXPECT_EQ(run.end.exitCode, 2);
  EXPECT_EQ(run.err.rfind("taviro-run: no image given\n", 0), 0u) << run.err;
}

// A hostile program through every output of the runner: the trace lists
// whatever bytes the program counter lands on, the dumps and the picture
// show whatever state the program left.
TEST_F(RunnerRobustness, HostileProgramRunsToTheEndWithEveryOutput) {
  const std::string image = files.Write("random.nes", RandomImage(9, 1, 0, 11));
  const std::string trace = files.path() + "/trace.txt";
  ProgramRun run =
      Run({"--steps", "3000", "--trace", trace, "--dump-cpu", files.path() + "/cpu.dmp",
           "--dump-ppu", files.path() + "/ppu.dmp", "--screenshot", files.path() + "/shot.png",
           "--regs", "PC=FFFE,S=00", image});
  EXPECT_EQ(run.end.exitCode, 0) << run.err;
  const Bytes lines = ReadBytes(trace);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3000);
}

TEST_F(RunnerRobustness, ProgramOfZeroCycleOpcodesEndsItsFrames) {
  const std::string image = files.Write("op02.nes", OneOpcodeImage(4, 0x02));
  ProgramRun run = Run({"--frames", "3", "--bench", image});
  EXPECT_EQ(run.end.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("frames 3, ", 0), 0u) << run.out;
}

}  // namespace
