// The listing of all 256 opcodes, at several operand values, index registers
// and addresses (branches forward and back, operands straddling two windows,
// instructions wrapping past $FFFF and starting below $8000), compared line
// for line with a listing recorded once in golden/all_opcodes.txt. A second
// part records what each per-mnemonic routine writes for the opcodes it
// serves. TAVIRO_BLESS=1 writes the file anew.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/debugger/program_windows.h"

namespace {

struct Case {
  unsigned int pc;
  unsigned char b1, b2, xr, yr;
};

constexpr Case kCases[] = {
    {0x8000, 0x12, 0x34, 0x05, 0x07},  //
    {0x8000, 0x00, 0x00, 0x00, 0x00},  //
    {0xC0F0, 0x7F, 0x80, 0x20, 0x80},  // longest branch forward
    {0xA010, 0x80, 0x7F, 0x01, 0x00},  // longest branch back
    {0x9FFE, 0xFF, 0xFF, 0xFF, 0xFF},  // operands in the next window
    {0xFFF0, 0x7F, 0x01, 0x10, 0x10},  // branch forward past $FFFF
    {0xFFFE, 0xFE, 0x01, 0xF0, 0x0F},  // last operand at $0000
    {0xFFFF, 0x80, 0xC0, 0x02, 0x03},  // both operands at $0000-$0001
    {0x0004, 0xF0, 0x00, 0x00, 0xFF},  // branch back below $0000
    {0x7FFF, 0x01, 0x80, 0x80, 0x01},  // operands at $8000-$8001
};

struct Routine {
  const char* name;
  void (*display)(char*);
};

constexpr Routine kRoutines[] = {
    {"ADCdisplay", ADCdisplay}, {"ANDdisplay", ANDdisplay}, {"ASLdisplay", ASLdisplay},
    {"BCCdisplay", BCCdisplay}, {"BCSdisplay", BCSdisplay}, {"BEQdisplay", BEQdisplay},
    {"BITdisplay", BITdisplay}, {"BMIdisplay", BMIdisplay}, {"BNEdisplay", BNEdisplay},
    {"BPLdisplay", BPLdisplay}, {"BRKdisplay", BRKdisplay}, {"BVCdisplay", BVCdisplay},
    {"BVSdisplay", BVSdisplay}, {"CLCdisplay", CLCdisplay}, {"CLDdisplay", CLDdisplay},
    {"CLIdisplay", CLIdisplay}, {"CLVdisplay", CLVdisplay}, {"CMPdisplay", CMPdisplay},
    {"CPXdisplay", CPXdisplay}, {"CPYdisplay", CPYdisplay}, {"DECdisplay", DECdisplay},
    {"DEXdisplay", DEXdisplay}, {"DEYdisplay", DEYdisplay}, {"EORdisplay", EORdisplay},
    {"INCdisplay", INCdisplay}, {"INXdisplay", INXdisplay}, {"INYdisplay", INYdisplay},
    {"JMPdisplay", JMPdisplay}, {"JSRdisplay", JSRdisplay}, {"LDAdisplay", LDAdisplay},
    {"LDXdisplay", LDXdisplay}, {"LDYdisplay", LDYdisplay}, {"LSRdisplay", LSRdisplay},
    {"NOPdisplay", NOPdisplay}, {"ORAdisplay", ORAdisplay}, {"PHAdisplay", PHAdisplay},
    {"PHPdisplay", PHPdisplay}, {"PLAdisplay", PLAdisplay}, {"PLPdisplay", PLPdisplay},
    {"ROLdisplay", ROLdisplay}, {"RORdisplay", RORdisplay}, {"RTIdisplay", RTIdisplay},
    {"RTSdisplay", RTSdisplay}, {"SBCdisplay", SBCdisplay}, {"SECdisplay", SECdisplay},
    {"SEDdisplay", SEDdisplay}, {"SEIdisplay", SEIdisplay}, {"STAdisplay", STAdisplay},
    {"STXdisplay", STXdisplay}, {"STYdisplay", STYdisplay}, {"TAXdisplay", TAXdisplay},
    {"TAYdisplay", TAYdisplay}, {"TSXdisplay", TSXdisplay}, {"TXAdisplay", TXAdisplay},
    {"TXSdisplay", TXSdisplay}, {"TYAdisplay", TYAdisplay}, {"UNDEFdisplay", UNDEFdisplay},
};

class ListingGolden : public ProgramWindows {
 protected:
  // The same bytes in the program windows and in CPU memory, so the lines do
  // not depend on which of the two the listing reads below $8000. An address
  // below $8000 shares its window byte with the one $8000 higher.
  static void PokeBoth(unsigned int address, std::initializer_list<unsigned char> bytes) {
    for (const unsigned char b : bytes) {
      address &= 0xFFFF;
      MemoryPage[(address >> 13) & 3][address & 0x1FFF] = b;
      CPU.Memory[address++] = b;
    }
  }

  void SetUp() override {
    ProgramWindows::SetUp();
    std::memcpy(savedMemory_.data(), CPU.Memory, savedMemory_.size());
  }
  void TearDown() override {
    std::memcpy(CPU.Memory, savedMemory_.data(), savedMemory_.size());
    ProgramWindows::TearDown();
  }

  // Lays out one case: the BRK vector $C0DE, then the instruction.
  void Prepare(const Case& c, unsigned char code) {
    CPU.XR = c.xr;
    CPU.YR = c.yr;
    PokeBoth(0xFFFE, {0xDE, 0xC0});
    PokeBoth(c.pc, {code, c.b1, c.b2});
  }

  static std::string Record(const std::string& line) {
    char tail[16];
    std::snprintf(tail, sizeof tail, " | PC %04X", CPU.PC);
    return line + tail;
  }

  std::string Listing() {
    std::ostringstream out;
    out << "# DisplayInstruction: opcode, X, Y | line | PC after\n";
    for (const Case& c : kCases) {
      for (unsigned int code = 0; code < 256; ++code) {
        Prepare(c, static_cast<unsigned char>(code));
        char head[32];
        std::snprintf(head, sizeof head, "%02X %02X %02X %02X | ", code, c.b1, c.xr, c.yr);
        out << head << Record(LineAt(c.pc)) << '\n';
      }
    }
    out << "# Each routine on every opcode it does not list as undefined\n";
    for (const Routine& r : kRoutines) {
      for (unsigned int code = 0; code < 256; ++code) {
        Prepare(kCases[0], static_cast<unsigned char>(code));
        CPU.PC = static_cast<unsigned short>(kCases[0].pc);
        opcode = static_cast<unsigned char>(code);
        char line[kDisassemblyLineSize];
        r.display(line);
        char undefined[kDisassemblyLineSize];
        std::snprintf(undefined, sizeof undefined, "8000: %02X         ???       ", code);
        if (std::string(line) == undefined && CPU.PC == 0x8001) continue;
        out << r.name << " | " << Record(line) << '\n';
      }
    }
    return out.str();
  }

 private:
  std::array<unsigned char, sizeof CPU.Memory> savedMemory_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST_F(ListingGolden, All256OpcodesListAsRecorded) {
  const std::string path = std::string(TAVIRO_LISTING_GOLDEN_DIR) + "/all_opcodes.txt";
  const std::string actual = Listing();
  const char* bless = std::getenv("TAVIRO_BLESS");
  if (bless != nullptr && std::string(bless) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream file(path, std::ios::binary);
  ASSERT_TRUE(file) << path << " is missing (TAVIRO_BLESS=1 writes it)";
  std::ostringstream expected;
  expected << file.rdbuf();
  const std::vector<std::string> want = Lines(expected.str());
  const std::vector<std::string> got = Lines(actual);
  int differing = 0;
  for (size_t i = 0; i < want.size() && i < got.size(); ++i) {
    if (want[i] == got[i]) continue;
    ADD_FAILURE() << "line " << i + 1 << "\n  recorded: " << want[i] << "\n  now:      " << got[i];
    if (++differing == 10) break;
  }
  EXPECT_EQ(got.size(), want.size());
}

}  // namespace
