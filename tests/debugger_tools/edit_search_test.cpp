// The edit dialog (310) for the three areas, the search dialog (315) with
// Find Again, and Goto Address, driven through their labelled fields; and
// their refusal while another thread holds the machine.
#include "debugger/edit_search.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "debugger/dump_menu.h"
#include "debugger/loaded_symbols.h"
#include "debugger/tool_commands.h"
#include "ppu/background.h"
#include "ppu/ppu.h"
#include "tests/debugger_tools/tools_fixture.h"

namespace {

constexpr const char* kAddressLabel = "Enter Memory Location: (hex)";
constexpr const char* kValueLabel = "Enter Value: (hex)";

class EditMemory : public ToolsTest {
 protected:
  // Types address and value into the dialog of command id and presses OK;
  // returns the dialog's title.
  std::string Edit(int id, const char* address, const char* value) {
    return WithDialog([&] { Debug_EditMemory(listing_, id); },
                      [&](QDialog* dialog) {
                        Field(dialog, kAddressLabel)->setText(address);
                        Field(dialog, kValueLabel)->setText(value);
                        Press(dialog, "OK");
                      });
  }
  void ExpectOutOfRange() {
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "One or more value(s) are out of range.\nNo write was made");
    EXPECT_EQ(messages[0].caption, "Taviro");
    EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
    messages.clear();
  }
};

TEST_F(EditMemory, CpuWriteGoesThroughTheControlPort) {
  BackGround.SetTable(0x1000);
  EXPECT_EQ(Edit(214, "2000", "80"), "Edit CPU Memory Location");
  EXPECT_EQ(CPU.Memory[0x2000], 0x80);
  EXPECT_EQ(BackGround.GetTable(), 0);  // bit 4 clear: the port chose table 0
  EXPECT_TRUE(messages.empty());
}

TEST_F(EditMemory, AddressesBeyondTheAreaWriteNothing) {
  CPU.Memory[0xFFFF] = 0x12;
  Edit(214, "-1", "34");
  ExpectOutOfRange();
  EXPECT_EQ(CPU.Memory[0xFFFF], 0x12);

  PPU.PPUMem[0] = 0x56;
  EXPECT_EQ(Edit(215, "4000", "78"), "Edit PPU Memory Location");
  ExpectOutOfRange();
  EXPECT_EQ(PPU.PPUMem[0], 0x56);

  Edit(216, "100", "9A");
  ExpectOutOfRange();
}

TEST_F(EditMemory, EachAreaGetsItsByteFromFieldsCutAndParsed) {
  EXPECT_EQ(Edit(216, "FF", "5A"), "Edit Stack Memory Location");
  EXPECT_EQ(CPU.Memory[0x01FF], 0x5A);
  Edit(215, "3F00", "0F");
  EXPECT_EQ(PPU.PPUMem[0x3F00], 0x0F);
  Edit(216, "12345", "77");  // five digits: only 1234 counts, beyond the stack
  ExpectOutOfRange();
  Edit(214, "12345", "77");
  EXPECT_EQ(CPU.Memory[0x1234], 0x77);

  Edit(216, "10", "-1");
  EXPECT_EQ(CPU.Memory[0x0110], 0xFF);
  Edit(214, "0x20", "1FF");  // a prefix; the value cut to 1F
  EXPECT_EQ(CPU.Memory[0x0020], 0x1F);
  EXPECT_TRUE(messages.empty()) << messages[0].text;
}

// Text that is no number (letters outside hex, trailing junk, nothing at
// all) writes nothing: a message names the field and what it accepts, and
// the dialog stays open for the user to mend it.
TEST_F(EditMemory, FieldsThatAreNoNumberAreRefusedNamingTheFieldAndTheDialogStays) {
  struct Case {
    const char* address;
    const char* value;
    const char* field;
  };
  for (const Case c :
       {Case{"zz", "1FF", "Memory Location"}, Case{"", "3", "Memory Location"},
        Case{"12G", "5A", "Memory Location"}, Case{"-", "5A", "Memory Location"},
        Case{"10", "", "Value"}, Case{"10", "1G", "Value"}, Case{"10", "zz", "Value"}}) {
    SCOPED_TRACE(std::string(c.address) + " / " + c.value);
    for (int i = 0; i < 0x10000; ++i) CPU.Memory[i] = static_cast<unsigned char>(i * 13);
    const std::vector<unsigned char> before(CPU.Memory, CPU.Memory + 0x10000);
    bool stayedOpen = false;
    WithDialog([&] { Debug_EditMemory(listing_, 214); },
               [&](QDialog* dialog) {
                 Field(dialog, kAddressLabel)->setText(c.address);
                 Field(dialog, kValueLabel)->setText(c.value);
                 Press(dialog, "OK");
                 stayedOpen = dialog->isVisible();
                 Press(dialog, "Cancel");
               });
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), CPU.Memory)) << "something was written";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind(std::string("The ") + c.field + " field", 0), 0u)
        << messages[0].text;
    EXPECT_NE(messages[0].text.find("It accepts up to"), std::string::npos) << messages[0].text;
    EXPECT_EQ(messages[0].caption, "Taviro");
    messages.clear();
  }
}

TEST_F(EditMemory, RefusedWhileAnotherThreadRunsTheMachine) {
  MachineHeldBy emulation(MachineHolder::EmulationThread);
  Debug_EditMemory(listing_, 214);  // no dialog opens
  Debug_GotoAddress(listing_);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].caption, "Taviro");
  EXPECT_EQ(messages[1].text, messages[0].text);
}

class SearchListing : public ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    SetListing({"C000: 78         SEI       ", "C001: 20 00 C1   JSR $C100",
                "C004: EA         NOP       ", "C005: 20 10 C1   JSR $C110",
                "C008: 4C 00 C0   JMP $C000"});
    SearchStr.clear();
    SearchPos = 0;
  }
  std::string Search(const char* text) {
    return WithDialog([&] { Debug_SearchROM(listing_); },
                      [&](QDialog* dialog) {
                        fieldAtStart = Field(dialog, "Enter Search String:")->text().toStdString();
                        Field(dialog, "Enter Search String:")->setText(text);
                        Press(dialog, "OK");
                      });
  }
  bool NotFoundSaid() {
    const bool said = messages.size() == 1 && messages[0].text == "Search string not found" &&
                      messages[0].caption == "Taviro" &&
                      messages[0].icon == MessageIcon::Exclamation;
    messages.clear();
    return said;
  }
  std::string fieldAtStart;
};

TEST_F(SearchListing, FindAgainWalksTheMatchesThenStartsOverAtTheTop) {
  EXPECT_EQ(Search("JSR"), "Find string");
  EXPECT_EQ(Selected(), 1);
  Edit_FindAgain(listing_);
  EXPECT_EQ(Selected(), 3);
  Edit_FindAgain(listing_);
  EXPECT_TRUE(NotFoundSaid());
  EXPECT_EQ(Selected(), 3);  // the selection stays
  EXPECT_EQ(SearchPos, -1);
  Edit_FindAgain(listing_);
  EXPECT_EQ(Selected(), 1);
  Search("C000");
  EXPECT_EQ(fieldAtStart, "JSR");  // the field starts with the last search text
  EXPECT_EQ(Selected(), 0);
}

TEST_F(SearchListing, MatchesCaseSensitively) {
  Search("jsr");
  EXPECT_TRUE(NotFoundSaid());
  EXPECT_EQ(SearchPos, -1);
  EXPECT_EQ(SearchForStr("$C1", 2), 3);
  EXPECT_EQ(SearchForStr("JSR", 5), -1);
}

TEST_F(SearchListing, EmptyTextMovesOneLineEachTime) {
  Search("");
  EXPECT_EQ(Selected(), 0);
  for (int line = 1; line < 5; ++line) {
    Edit_FindAgain(listing_);
    EXPECT_EQ(Selected(), line);
  }
  EXPECT_TRUE(messages.empty());
}

class GotoAddress : public DemoLoadedTest {
 protected:
  // Types text and presses OK; a dialog that stays open is cancelled.
  std::string Goto(const char* text) {
    return WithDialog([&] { Debug_GotoAddress(listing_); },
                      [&](QDialog* dialog) {
                        Field(dialog, "Enter Address to go to:")->setText(text);
                        Press(dialog, "OK");
                        stayedOpen = dialog->isVisible();
                        if (stayedOpen) Press(dialog, "Cancel");
                      });
  }
  bool stayedOpen = false;
};

TEST_F(GotoAddress, ListsFromTheAddressAndKeepsPc) {
  const unsigned short pc = CPU.PC;
  EXPECT_EQ(Goto("c000"), "Goto Address");
  EXPECT_EQ(CPU.PC, pc);
  const std::vector<std::string> lines = Listing();
  ASSERT_EQ(lines.size(), 100u);
  EXPECT_EQ(lines[0].substr(0, 5), "C000:");
  EXPECT_EQ(Selected(), -1);

  Debug_DumpROM(listing_);
  std::ifstream in(kRomDumpFile, std::ios::binary);
  const std::string dump(std::istreambuf_iterator<char>(in), {});
  std::string expected;
  for (const std::string& line : lines) expected += " " + line + "\n";
  EXPECT_EQ(dump, expected);
}

// The listing follows the CPU: code in RAM lists as it will run.
TEST_F(GotoAddress, AnAddressBelow8000ListsMemory) {
  const unsigned char code[] = {0xA9, 0x42, 0x85, 0x10, 0x60};  // LDA #$42, STA $10, RTS
  std::copy(std::begin(code), std::end(code), CPU.Memory + 0x0300);
  Goto("0300");
  const std::vector<std::string> lines = Listing();
  EXPECT_EQ(lines.at(0), "0300: A9 42      LDA #$42");
  EXPECT_EQ(lines.at(1), "0302: 85 10      STA $10");
  EXPECT_EQ(lines.at(2), "0304: 60         RTS       ");
}

// No number, or one beyond $FFFF, leaves the listing where it was and the
// dialog open, with a message naming the field.
TEST_F(GotoAddress, AnAddressThatIsNoNumberOrBeyondFFFFIsRefused) {
  Goto("c000");
  for (const char* text : {"zz", "", "10000", "123456789", "-1", "C0 00"}) {
    SCOPED_TRACE(text);
    Goto(text);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(Listing().at(0).substr(0, 5), "C000:");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text.rfind("The Address field", 0), 0u) << messages[0].text;
    EXPECT_NE(messages[0].text.find("from 0 to FFFF"), std::string::npos);
    messages.clear();
  }
}

// With the demo's debug file loaded: Goto by label, an unknown name said
// and nothing moved, and Breakpoint at Label.
class GotoLabel : public GotoAddress {
 protected:
  void SetUp() override {
    GotoAddress::SetUp();
    ASSERT_EQ(LoadSymbolsForImage(TAVIRO_ROM_DIR "/demo.nes", ""), "");
  }
  void TearDown() override {
    ClearSymbols();
    GotoAddress::TearDown();
  }
};

TEST_F(GotoLabel, GotoByNameUnknownNamesAndBreakpointAtLabel) {
  Goto("load_palette");
  const std::vector<std::string> lines = Listing();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].substr(0, 5), "E087:");
  EXPECT_NE(lines[0].find("load_palette:"), std::string::npos) << lines[0];

  WithDialog([&] { Debug_GotoAddress(listing_); },
             [&](QDialog* dialog) {
               Field(dialog, "Enter Address to go to:")->setText("no_such_label");
               Press(dialog, "OK");
               Press(dialog, "Cancel");  // the dialog stayed open to be mended
             });
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "No label 'no_such_label'");
  EXPECT_EQ(Listing(), lines) << "nothing moved";

  WithDialog([&] { Debug_BreakAtLabel(listing_); },
             [&](QDialog* dialog) {
               Field(dialog, "Enter Label:")->setText("nmi");
               Press(dialog, "OK");
             });
  EXPECT_EQ(ListBoxGetText(listing_, 201, EndLine).value_or("").substr(0, 5), "E02F:");
}

}  // namespace
