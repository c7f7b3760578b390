// The four dumps byte for byte: 54-character memory lines labelled from the
// start of their area with no final line break, the listing with a space
// before and a line break after every line, and failures that are not
// confirmed as dumps.
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cpu/cpu.h"
#include "debugger/dump_menu.h"
#include "ppu/ppu.h"
#include "tests/debugger_tools/tools_fixture.h"

namespace {

std::string ReadFile(const char* name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

class Dumps : public ToolsTest {
 protected:
  void ExpectConfirmed(const char* text) {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, text);
    EXPECT_EQ(messages[0].caption, ":-)");
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
  }
};

TEST_F(Dumps, CpuMemoryIs2048LinesOf54CharactersWithoutFinalBreak) {
  for (int i = 0; i < 0x10000; ++i) CPU.Memory[i] = static_cast<unsigned char>(i * 7 + (i >> 8));
  Debug_DumpCPUMem(listing_);
  ExpectConfirmed("CPU MEMORY dumped to 'TaviroCPU.dmp'");

  const std::string text = ReadFile(kCpuDumpFile);
  EXPECT_EQ(text.size(), 2048u * 54 + 2047);
  EXPECT_NE(text.back(), '\n');
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), 2048u);
  for (const std::string& line : lines) ASSERT_EQ(line.size(), 54u) << line;
  EXPECT_EQ(lines[0], "$0000: 00 07 0E 15 1C 23 2A 31 38 3F 46 4D 54 5B 62 69");
  EXPECT_EQ(lines[1], "$0010: 70 77 7E 85 8C 93 9A A1 A8 AF B6 BD C4 CB D2 D9");
  EXPECT_EQ(lines[2047], "$7FF0: 0F 16 1D 24 2B 32 39 40 47 4E 55 5C 63 6A 71 78");
}

TEST_F(Dumps, StackIsLabelledFromTheStartOfItsPage) {
  for (int i = 0; i < 0x100; ++i) CPU.Memory[0x100 + i] = static_cast<unsigned char>(0xFF - i);
  CPU.Memory[0x0FF] = 0x11;  // neighbours stay out
  CPU.Memory[0x200] = 0x22;
  Debug_DumpStack(listing_);
  ExpectConfirmed("Stack dumped to 'TaviroStk.dmp'");

  const std::vector<std::string> lines = Lines(ReadFile(kStackDumpFile));
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "$0000: FF FE FD FC FB FA F9 F8 F7 F6 F5 F4 F3 F2 F1 F0");
  EXPECT_EQ(lines[15], "$00F0: 0F 0E 0D 0C 0B 0A 09 08 07 06 05 04 03 02 01 00");
}

TEST_F(Dumps, PpuMemoryEndsAt3FF0) {
  for (int i = 0; i < 0x4000; ++i) PPU.PPUMem[i] = static_cast<unsigned char>(i >> 6);
  Debug_DumpPPUMem(listing_);
  ExpectConfirmed("PPU MEMORY dumped to 'TaviroPPU.dmp'");
  const std::vector<std::string> lines = Lines(ReadFile(kPpuDumpFile));
  ASSERT_EQ(lines.size(), 1024u);
  EXPECT_EQ(lines[1023], "$3FF0: FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
}

TEST_F(Dumps, ListingLinesFollowASpaceAndEachEndsItsLine) {
  SetListing({"[No ROM image loaded]"});
  Debug_DumpROM(listing_);
  ExpectConfirmed("ROM dumped to 'TaviroROM.dmp'");
  EXPECT_EQ(ReadFile(kRomDumpFile), " [No ROM image loaded]\n");

  SetListing({"C000: 78         SEI       ", "C001: D8         CLD       "});
  Debug_DumpROM(listing_);  // replaces the earlier file
  EXPECT_EQ(ReadFile(kRomDumpFile), " C000: 78         SEI       \n C001: D8         CLD       \n");
}

// Writes past the first 4 KB fail as on a full disk, inside the test's own
// folder and whatever the machine's /dev/full is: the signal the limit
// raises is ignored, so the writes return the error.
class SmallFileLimit {
 public:
  SmallFileLimit() {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    const rlimit small{4096, saved_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~SmallFileLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  SmallFileLimit(const SmallFileLimit&) = delete;
  SmallFileLimit& operator=(const SmallFileLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = SIG_DFL;
};

TEST_F(Dumps, AFailingWriteIsReportedAndNotConfirmed) {
  {
    SmallFileLimit limit;
    Debug_DumpCPUMem(listing_);  // 112 KB
  }
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Couldn't write file");
  EXPECT_EQ(messages[0].caption, "Error");
  EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
}

TEST_F(Dumps, AFileThatCannotBeOpenedIsReported) {
  std::filesystem::create_directory(kStackDumpFile);
  Debug_DumpStack(listing_);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Couldn't Open File for output");
  EXPECT_EQ(messages[0].caption, "Error");
}

}  // namespace
