// The symbol table from real ld65 output of our cartridges and from small
// hand-written files for the format's corners; the bank rule; and the
// labels the listing's lines get.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "debugger/listing_labels.h"
#include "debugger/loaded_symbols.h"
#include "debugger/symbol_files.h"
#include "tests/debugger/program_windows.h"

namespace {

std::string RomFile(const std::string& name) {
  return std::string(TAVIRO_ROM_DIR) + "/" + name;
}

SymbolTable Read(const std::string& name) {
  SymbolTable table;
  SymbolFileError error;
  EXPECT_TRUE(ReadSymbolFile(RomFile(name), table, error)) << error.Message();
  return table;
}

// Parses text, expecting failure; returns "line N: reason".
std::string Refusal(const std::string& text) {
  SymbolTable table;
  SymbolFileError error;
  if (ParseSymbolText(text, table, error)) return "accepted";
  return "line " + std::to_string(error.line) + ": " + error.reason;
}

// The number of the first line of file that equals text.
int LineOf(const std::string& file, const std::string& text) {
  std::ifstream in(file);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number)
    if (line == text) return number;
  return 0;
}

TEST(DebugFile, DemoLabelsScopesAndSourceLines) {
  const SymbolTable demo = Read("demo.dbg");
  EXPECT_EQ(demo.AddressOf("reset"), 0xE000u);
  EXPECT_EQ(demo.AddressOf("copy_rows@next"), demo.AddressOf("@next"));
  EXPECT_FALSE(demo.AddressOf("LOCAL-MACRO_SYMBOL-0000")) << "made-up names are left out";
  EXPECT_FALSE(demo.AddressOf("PPUCTRL")) << "equates are not labels";

  // Outside the program windows nothing banked shows; zero page always does.
  const ProgramView none;
  EXPECT_EQ(demo.LabelAt(0xE000, none), nullptr);
  ASSERT_NE(demo.LabelAt(0x14, none), nullptr);
  EXPECT_EQ(demo.LabelAt(0x14, none)->name, "player_x");

  // $E000 is the startup macro: its bytes belong to the line that invokes it.
  std::vector<unsigned char> program(0x8000);
  const unsigned char* windows[4] = {&program[0], &program[0x2000], &program[0x4000],
                                     &program[0x6000]};
  const ProgramView mapped{windows, program.data(), program.size(), 16};
  const std::optional<SourceLocation> at = demo.LineAt(0xE004, mapped);
  ASSERT_TRUE(at);
  EXPECT_EQ(demo.Files()[at->file], std::string(TAVIRO_SOURCE_DIR) + "/roms/demo.s");
  EXPECT_EQ(at->line, LineOf(demo.Files()[at->file], "        startup"));
  EXPECT_EQ(demo.AddressesOfLine(*at, mapped).front(), 0xE000u);
}

TEST(DebugFile, BankedLabelsShowOnlyWhileTheirBankIsMapped) {
  const SymbolTable table = Read("symbols_test.dbg");
  std::vector<unsigned char> program(0x8000);
  const unsigned char* windows[4] = {&program[0], &program[0x2000], &program[0x4000],
                                     &program[0x6000]};
  const ProgramView view{windows, program.data(), program.size(), 16};
  ASSERT_NE(table.LabelAt(0x8000, view), nullptr);
  EXPECT_EQ(table.LabelAt(0x8000, view)->name, "bank0_entry");
  windows[0] = &program[0x2000];
  EXPECT_EQ(table.LabelAt(0x8000, view)->name, "bank1_entry");
  windows[0] = &program[0x4000];
  EXPECT_EQ(table.LabelAt(0x8000, view), nullptr) << "neither bank is mapped";
  EXPECT_EQ(table.LabelAt(0xE005, view)->name, "count::down@again");
  EXPECT_EQ(table.AddressOf("count::down"), 0xE002u);
  EXPECT_EQ(table.AddressOf("::squares"), 0xC000u);
}

TEST(LabelFile, LabelsWithoutBanks) {
  const SymbolTable table = Read("symbols_test.lbl");
  const ProgramView none;
  // Both banks' labels stand at $8000; without banks the shorter wins.
  ASSERT_NE(table.LabelAt(0x8000, none), nullptr);
  EXPECT_EQ(table.LabelAt(0xE038, none)->name, "irq");
  EXPECT_EQ(table.AddressOf("reset"), 0xE00Bu);
  EXPECT_EQ(Refusal("al 00C000 .reset\nal C0G0 .bad\n"), "line 2: expected \"al ADDRESS .name\"");
}

TEST(DebugFile, FormatCorners) {
  // Records out of order, a quoted name with commas, 0x and decimal values,
  // an unknown record type, a last line without its line break.
  const std::string text =
      "version\tmajor=2,minor=0\n"
      "sym\tid=0,name=\"a,b\",scope=1,val=0x8003,seg=0,type=lab\n"
      "future\tid=0,whatever=\"x\"\n"
      "scope\tid=1,name=\"outer\",parent=0\n"
      "scope\tid=0,name=\"\"\n"
      "seg\tid=0,name=\"CODE\",start=32768,size=0x10,type=ro,ooffs=16\n"
      "line\tid=0,file=0,line=7,span=0\n"
      "span\tid=0,seg=0,start=3,size=2\n"
      "file\tid=0,name=\"game.s\"";
  SymbolTable table;
  SymbolFileError error;
  ASSERT_TRUE(ParseSymbolText(text, table, error)) << error.Message();
  EXPECT_EQ(table.AddressOf("outer::a,b"), 0x8003u);
  std::vector<unsigned char> program(0x4000);
  const unsigned char* windows[4] = {&program[0], &program[0x2000], &program[0], &program[0x2000]};
  const ProgramView view{windows, program.data(), program.size(), 16};
  ASSERT_TRUE(table.LineAt(0x8004, view));
  EXPECT_EQ(table.LineAt(0x8004, view)->line, 7);
  EXPECT_FALSE(table.LineAt(0x8005, view));
}

TEST(DebugFile, HostileFilesAreRefusedWithTheirLine) {
  const std::string version = "version\tmajor=2,minor=0\n";
  EXPECT_EQ(Refusal(version + "sym\tid=0,name=\"cut"),
            "line 2: a quoted value without its closing quote");
  EXPECT_EQ(Refusal(version + "sym\tid=0,name=\"x\",val=0x8000,seg=4,type=lab\n"),
            "line 2: no seg 4");
  EXPECT_EQ(Refusal(version + "scope\tid=0,name=\"a\",parent=1\nscope\tid=1,name=\"b\",parent=0\n"
                              "sym\tid=0,name=\"x\",scope=0,val=1,type=lab\n"),
            "line 4: scopes nested in a ring");
  EXPECT_EQ(Refusal(version + "file\tid=1,name=\"a\"\nfile\tid=1,name=\"b\"\n"),
            "line 3: file 1 is defined twice");
  EXPECT_EQ(Refusal(version + "sym\tid=0,name=\"x\",val=99999999999,type=lab\n"),
            "line 2: the val field is not a number");
  EXPECT_EQ(Refusal("version\tmajor=3\n"),
            "line 1: a debug file version this reader does not know");
  EXPECT_EQ(Refusal("\x7f"
                    "ELF"),
            "line 1: neither an ld65 debug file (--dbgfile) nor a label file (-Ln)");
}

class ListingLabels : public ProgramWindows {
 protected:
  void TearDown() override {
    ClearSymbols();
    ProgramWindows::TearDown();
  }
  std::string Line(unsigned address) {
    CPU.PC = static_cast<unsigned short>(address);
    char text[kDisassemblyLineSize];
    DisplayInstruction(text);
    return DecorateListingLine(text, address);
  }
};

TEST_F(ListingLabels, OperandAndLineLabelsFollowTheUnchangedText) {
  Poke(0x8000, {0x20, 0x05, 0x80, 0xA5, 0x10, 0xD0, 0xF9, 0xBD, 0x00, 0x90});
  CPU.XR = 4;
  const std::string plain = Line(0x8000);
  SymbolFileError error;
  ASSERT_TRUE(
      ParseSymbolText("al 008005 .target\nal 008000 .start\nal 000010 .counter\n"
                      "al 009000 .table\n",
                      LoadedSymbols, error));
  EXPECT_EQ(Line(0x8000), plain + " target  start:");
  EXPECT_EQ(Line(0x8003), "8003: A5 10      LDA $10 counter");
  EXPECT_EQ(Line(0x8005), "8005: D0 F9      BNE $8000 start  target:");
  // An indexed operand is named by its base, as the source names it.
  EXPECT_EQ(Line(0x8007), "8007: BD 00 90   LDA $9004, X table");
  ClearSymbols();
  EXPECT_EQ(Line(0x8000), plain);
}

}  // namespace
