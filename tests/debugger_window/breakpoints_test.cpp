// The Breakpoints window and what its entries do to Run to, the stepping
// commands and Emulate, on the real widgets and our breakpoint cartridge;
// the listing's marks, the register fields and the debugger's keys.
#include "debugger/breakpoints.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "debugger/breakpoints_window.h"
#include "platform/list_marks.h"
#include "tests/debugger_window/debugger_fixture.h"

bool EmulateThreadRunning();  // emulation/emulate_thread.h, which X11 headers clash with

namespace {

std::string Rom(const char* name) {
  return ProgramDir() + "/../roms/" + name;
}

class BreakpointsWindow : public DebuggerWindow {
 protected:
  void SetUp() override {
    Breakpoints.Clear();
    DebuggerWindow::SetUp();
    LoadThroughDialog(Rom("breakpoint_test.nes"));
    ASSERT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
    Command(IDM_BREAKPOINTS);
    window = hWndBreakpoints;
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    DebuggerWindow::TearDown();
    Breakpoints.Clear();
  }

  // Fills the fields and presses Add; the kinds are "XRW" letters.
  void Add(const std::string& address, const std::string& kinds,
           const std::string& condition = "") {
    SetDlgItemText(window, IDC_BP_ADDRESS, address);
    SetDlgItemText(window, IDC_BP_CONDITION, condition);
    CheckDlgButton(window, IDC_BP_EXECUTE, kinds.find('X') != std::string::npos);
    CheckDlgButton(window, IDC_BP_READ, kinds.find('R') != std::string::npos);
    CheckDlgButton(window, IDC_BP_WRITE, kinds.find('W') != std::string::npos);
    Click(IDC_BP_ADD);
  }
  void Click(int id) { static_cast<QAbstractButton*>(GetDlgItem(window, id))->click(); }
  QListWidget* Entries() { return static_cast<QListWidget*>(GetDlgItem(window, IDC_BP_ENTRIES)); }
  std::string Entry(int line) { return Entries()->item(line)->text().toStdString(); }
  bool Idle() {
    return WaitFor([] { return ::Run == 1 && Machine.Free() && !EmulateThreadRunning(); });
  }
  int LineOf(unsigned address) { return ListBoxFindString(dialog, IDC_LISTING, -1, Hex4(address)); }
  unsigned Marks(int line) { return ListBoxGetMarks(dialog, IDC_LISTING, line); }
  void Enter(int id, const std::string& text) {
    auto* field = static_cast<QWidget*>(GetDlgItem(dialog, id));
    SetDlgItemText(dialog, id, text);
    QTest::keyClick(field, Qt::Key_Return);
  }
  static unsigned short Label(int n) {  // the cartridge's table at $FFE0
    return static_cast<unsigned short>(MemoryPage[3][0x1FE0 + 2 * n] | MemoryPage[3][0x1FE1 + 2 * n]
                                                                           << 8);
  }

  WindowHandle window = nullptr;
};

constexpr int kSta2006 = 0, kIncCounter = 1, kCallOuter = 4, kAfterCall = 5, kInner = 8;

TEST_F(BreakpointsWindow, AddsRefusesRemovesAndEnablesEntries) {
  Add("$2000-$2007", "W");
  Add("0010", "RW", "value == 3");
  ASSERT_EQ(Entries()->count(), 2);
  EXPECT_EQ(Entry(0), "$2000-$2007 --W  hits 0");
  EXPECT_EQ(Entry(1), "$0010 -RW  if value == 3  hits 0");
  EXPECT_EQ(Entries()->item(0)->checkState(), Qt::Checked);

  Add("0010", "W", "value == ");
  EXPECT_EQ(LastMessage(), "Condition: column 10: expected a value");
  Add("20G6", "W");
  EXPECT_NE(LastMessage().find("Address: column 3"), std::string::npos) << LastMessage();
  Add("0010", "");
  EXPECT_EQ(LastMessage(), "Choose Execute, Read or Write (or several)");
  EXPECT_EQ(Entries()->count(), 2);  // nothing was added

  Entries()->item(0)->setCheckState(Qt::Unchecked);  // as the user's click does
  EXPECT_FALSE(Breakpoints.Entries()[0].enabled);
  EXPECT_EQ(Entry(0), "$2000-$2007 --W  hits 0  (off)");

  ListBoxSetCurSel(window, IDC_BP_ENTRIES, 1);  // fills the fields for Change
  EXPECT_EQ(GetDlgItemText(window, IDC_BP_ADDRESS), "$0010");
  EXPECT_EQ(GetDlgItemText(window, IDC_BP_CONDITION), "value == 3");
  SetDlgItemText(window, IDC_BP_CONDITION, "value == 4");
  Click(IDC_BP_CHANGE);
  EXPECT_EQ(Entry(1), "$0010 -RW  if value == 4  hits 0");

  ListBoxSetCurSel(window, IDC_BP_ENTRIES, 0);
  Click(IDC_BP_REMOVE);
  ASSERT_EQ(Entries()->count(), 1);
  EXPECT_EQ(Breakpoints.Entries().size(), 1u);

  SetDlgItemText(window, IDC_BP_ADDRESS, "4014");  // Enter in a field is Add, once
  QTest::keyClick(static_cast<QWidget*>(GetDlgItem(window, IDC_BP_ADDRESS)), Qt::Key_Return);
  EXPECT_EQ(Entries()->count(), 2);
}

TEST_F(BreakpointsWindow, EveryControlIsNamedByItsVisibleText) {
  const auto name = [this](int id) {
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(static_cast<QWidget*>(GetDlgItem(window, id)));
    return face ? face->text(QAccessible::Name).toStdString() : "";
  };
  EXPECT_EQ(GetWindowTitle(window), "Breakpoints");
  EXPECT_EQ(name(IDC_BP_ADDRESS), "Address:");
  EXPECT_EQ(name(IDC_BP_CONDITION), "Condition:");
  EXPECT_EQ(name(IDC_BP_ENTRIES), "Entries:");
  EXPECT_EQ(name(IDC_BP_EXECUTE), "Execute");
  EXPECT_EQ(name(IDC_BP_READ), "Read");
  EXPECT_EQ(name(IDC_BP_WRITE), "Write");
  EXPECT_EQ(name(IDC_BP_ADD), "Add");
  EXPECT_EQ(name(IDC_BP_REMOVE), "Remove");
}

TEST_F(BreakpointsWindow, AWriteBreakpointStopsRunToAndTheStatusNamesTheAccess) {
  Add("2006", "W");
  Command(IDC_RUNTO);  // the seed's run-to line is line 0: never reached again
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Text(IDC_STATUS), "write $2006 = $3F at $" + Hex4(Label(kSta2006)));
  EXPECT_EQ(CPU.PC, Label(kSta2006) + 3);  // after the storing instruction
  EXPECT_EQ(Line(Selected()).substr(0, 4), Hex4(CPU.PC));
  EXPECT_EQ(Entry(0), "$2006 --W  hits 1");
}

TEST_F(BreakpointsWindow, EmulateReturnsToTheDebuggerAtTheInstructionThatHit) {
  Add(Hex4(Label(kIncCounter)), "X", "[$0010] == 2");
  Command(IDC_EMULATE);
  // The thread gives the machine back just before the debugger hears of it.
  ASSERT_TRUE(WaitFor([this] { return Idle() && !Text(IDC_STATUS).empty(); }));
  EXPECT_EQ(CPU.PC, Label(kIncCounter));
  EXPECT_EQ(CPU.Memory[0x10], 2);
  EXPECT_EQ(Text(IDC_STATUS), "execute at $" + Hex4(Label(kIncCounter)));
  EXPECT_EQ(Line(Selected()).substr(0, 4), Hex4(CPU.PC));
  EXPECT_TRUE(IsCommandEnabled(dialog, IDC_EMULATE));
}

// Step Back from where Emulate stopped partway through a frame goes to the
// instruction before the stop, not to the one before the frame's end.
TEST_F(BreakpointsWindow, StepBackAfterEmulateStoppedAtABreakpoint) {
  Add(Hex4(Label(kIncCounter)), "X", "[$0010] == 2");
  Command(IDC_EMULATE);
  ASSERT_TRUE(WaitFor([this] { return Idle() && !Text(IDC_STATUS).empty(); }));
  ASSERT_EQ(CPU.PC, Label(kIncCounter));
  Breakpoints.Clear();
  Command(IDM_STEP_BACK);
  EXPECT_TRUE(messages.empty()) << LastMessage();
  EXPECT_NE(CPU.PC, Label(kIncCounter));
  Command(IDC_STEP);
  EXPECT_EQ(CPU.PC, Label(kIncCounter));
  EXPECT_EQ(CPU.Memory[0x10], 2);
}

// Emulate again after a stop partway through a frame: the history finds
// the first stop before the breakpoints are armed again, so its replay
// neither counts their hits nor stops the game.
TEST_F(BreakpointsWindow, EmulateAgainAfterAStopCountsOnlyTheRealHits) {
  Add("2006", "W");
  Command(IDC_EMULATE);
  ASSERT_TRUE(WaitFor([this] { return Idle() && !Text(IDC_STATUS).empty(); }));
  EXPECT_EQ(Entry(0), "$2006 --W  hits 1");
  Command(IDC_EMULATE);  // on to the second store of the pair
  const std::string second = "write $2006 = $00 at $" + Hex4(Label(kSta2006) + 5);
  ASSERT_TRUE(WaitFor([&] { return Idle() && Text(IDC_STATUS) == second; })) << Text(IDC_STATUS);
  EXPECT_EQ(Entry(0), "$2006 --W  hits 2");
}

// The stepping commands go through the run thread and its breakpoints.
TEST_F(BreakpointsWindow, StepOverStopsInsideAtABreakpointAndStepOutLeaves) {
  Add(Hex4(Label(kCallOuter)), "X");
  Command(IDC_RUNTO);
  ASSERT_TRUE(Idle());
  ASSERT_EQ(CPU.PC, Label(kCallOuter));
  Add(Hex4(Label(kInner)), "X");
  Command(IDM_STEP_OVER);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(CPU.PC, Label(kInner));  // the JSR's subroutine met a breakpoint
  Command(IDM_STEP_OUT);
  ASSERT_TRUE(Idle());
  Command(IDM_STEP_OUT);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(CPU.PC, Label(kAfterCall));
}

TEST_F(BreakpointsWindow, ThePCAndBreakpointLinesAreMarkedBesideTheirText) {
  const std::string text = Line(LineOf(Label(kIncCounter)));
  Command(IDM_BREAKPOINTS);
  ListBoxSetCurSel(dialog, IDC_LISTING, LineOf(Label(kIncCounter)));
  Command(IDM_ADD_TO_BREAKPOINTS);
  Command(IDM_ADD_TO_BREAKPOINTS);  // once is enough
  EXPECT_EQ(Breakpoints.Entries().size(), 1u);
  EXPECT_EQ(Marks(LineOf(Label(kIncCounter))), unsigned{MarkBreakpoint});
  EXPECT_EQ(Marks(LineOf(CPU.PC)), unsigned{MarkCurrent});  // the selection moved away
  EXPECT_EQ(Line(LineOf(Label(kIncCounter))), text);

  Command(IDC_RUNTO);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(Marks(LineOf(CPU.PC)), unsigned{MarkCurrent | MarkBreakpoint});
  Entries()->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(Marks(LineOf(CPU.PC)), unsigned{MarkCurrent});
}

TEST_F(BreakpointsWindow, RegistersTakeNewValuesWithEnterOnlyWhileIdle) {
  Enter(IDC_A, "3f");
  EXPECT_EQ(CPU.AC, 0x3F);
  EXPECT_EQ(Text(IDC_A), "0x3F");
  Enter(IDC_FLAGS, "11000011");
  EXPECT_EQ(CPU.FLAGS, 0xC3);
  Enter(IDC_X, "100");
  EXPECT_NE(LastMessage().find("The X field holds 100, which is out of its range."),
            std::string::npos);
  EXPECT_EQ(Text(IDC_X), "0x00");
  Enter(IDC_PC, Hex4(Label(kInner)));
  EXPECT_EQ(CPU.PC, Label(kInner));
  EXPECT_EQ(Line(0).substr(0, 4), Hex4(Label(kInner)));  // a listing from there
  EXPECT_EQ(Selected(), 0);

  ListBoxSetCurSel(dialog, IDC_LISTING, 0);
  Command(IDC_RUNTO);  // from its own line: goes round for ever
  Enter(IDC_Y, "12");
  EXPECT_NE(LastMessage().find("only while the machine is idle"), std::string::npos);
  Command(IDM_BREAK);
  ASSERT_TRUE(Idle());
  EXPECT_NE(CPU.YR, 0x12);
}

// F10 is Step Over; the menus stay reachable with Alt and a title's letter.
TEST_F(BreakpointsWindow, DebuggerKeysAreTheUsualOnesAndTheMenusStayReachable) {
  auto* main = static_cast<QWidget*>(dialog);
  main->show();
  main->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main));
  Add(Hex4(Label(kCallOuter)), "X");
  QTest::keyClick(main, Qt::Key_F5);
  ASSERT_TRUE(Idle());
  ASSERT_EQ(CPU.PC, Label(kCallOuter));
  QTest::keyClick(main, Qt::Key_F10);
  ASSERT_TRUE(Idle());
  EXPECT_EQ(CPU.PC, Label(kAfterCall));
  QTest::keyClick(main, Qt::Key_F11);
  EXPECT_NE(CPU.PC, Label(kAfterCall));

  auto* bar = main->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  QTest::keyClick(main, Qt::Key_B, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([bar] { return bar->activeAction() != nullptr; }));
  EXPECT_EQ(bar->activeAction()->text(), "De&bug");
  QMenu* debug = bar->activeAction()->menu();
  ASSERT_TRUE(WaitFor([debug] { return debug->isVisible(); }));
  QStringList shown;
  for (QAction* action : debug->actions())
    if (!action->shortcut().isEmpty())
      shown << action->text() + " " + action->shortcut().toString();
  EXPECT_EQ(shown.join(", ").toStdString(),
            "&Run to F5, Brea&k Shift+F5, &Step F11, Step &Over F10, Step O&ut Shift+F11, "
            "S&tep Back Shift+F10");
  debug->close();
}

TEST_F(DebuggerWindow, StepOverRunsACallIntoRamCodeToItsReturn) {
  LoadThroughDialog(Rom("ram_code_test.nes"));
  unsigned short jsr = 0;
  for (int line = 0; line < ListBoxCount(dialog, IDC_LISTING) && jsr == 0; ++line)
    if (Line(line).find("JSR $0400") != std::string::npos)
      jsr = static_cast<unsigned short>(std::stoul(Line(line).substr(0, 4), nullptr, 16));
  ASSERT_NE(jsr, 0);
  while (CPU.PC != jsr) Command(IDC_STEP);
  const unsigned char stack = CPU.S;
  Command(IDM_STEP_OVER);
  ASSERT_TRUE(WaitFor([] { return ::Run == 1 && Machine.Free(); }));
  EXPECT_EQ(CPU.PC, jsr + 3);
  EXPECT_EQ(CPU.S, stack);
  EXPECT_EQ(CPU.Memory[0x0300], 0x42);  // the routine in RAM ran
}

}  // namespace
