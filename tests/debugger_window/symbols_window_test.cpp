// The demo's own names in the debugger window: the listing ends its lines
// with their labels, whole, the ROM dump writes them as listed, and the
// source view follows each Step to the source line of the new PC.
#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "debugger/dump_menu.h"
#include "debugger/source_view.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

class DemoSymbols : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    ASSERT_EQ(Line(0).substr(0, 4), "E000");
  }
  void TearDown() override {
    CloseSourceView();
    QApplication::processEvents();
    DebuggerWindow::TearDown();
  }
  int LineHolding(const std::string& text) {
    for (int i = 0; i < ListBoxCount(dialog, IDC_LISTING); ++i)
      if (Line(i).find(text) != std::string::npos) return i;
    return -1;
  }
  void StepTo(unsigned address) {
    for (int step = 0; step < 50 && CPU.PC != address; ++step) Command(IDC_STEP);
    ASSERT_EQ(CPU.PC, address);
  }
  std::string SourcePlace() { return GetDlgItemText(hWndSource, IDC_SOURCE_PLACE); }
  std::string SourceSelected() {
    return ListBoxGetText(hWndSource, IDC_SOURCE_LINES,
                          ListBoxGetCurSel(hWndSource, IDC_SOURCE_LINES))
        .value_or("");
  }
};

TEST_F(DemoSymbols, TheListingShowsLabelsWholeAndTheDumpWritesThem) {
  EXPECT_EQ(Line(0).substr(0, 22), "E000: 78         SEI  ");
  EXPECT_NE(Line(0).find("reset:"), std::string::npos);
  const int call = LineHolding("JSR $E087 load_palette");
  ASSERT_GE(call, 0);
  // As wide as the longest line, nothing cut to "load_palet...", unless
  // the window has grown as wide as the screen.
  QApplication::processEvents();
  auto* list = static_cast<QListWidget*>(GetDlgItem(dialog, IDC_LISTING));
  int widest = 0;
  for (int i = 0; i < list->count(); ++i)
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->item(i)->text()));
  auto* window = static_cast<QWidget*>(dialog);
  const int screen = window->screen()->availableGeometry().width();
  if (window->frameGeometry().width() < screen - 8) {
    EXPECT_LE(widest, list->visualItemRect(list->item(call)).width());
  }
  EXPECT_LE(window->frameGeometry().width(), screen);
  EXPECT_LE(list->fontMetrics().horizontalAdvance(Line(call).c_str()),
            list->visualItemRect(list->item(call)).width());

  const auto scratch = std::filesystem::temp_directory_path() /
                       ("taviro-symbols-window-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(scratch);
  Command(IDM_DUMP_ROM);
  std::ifstream dump(kRomDumpFile);
  std::stringstream text;
  text << dump.rdbuf();
  std::filesystem::current_path(saved);
  std::filesystem::remove_all(scratch);
  EXPECT_NE(text.str().find(" " + Line(call) + "\n"), std::string::npos);
  EXPECT_NE(text.str().find("JSR $E087 load_palette\n"), std::string::npos);
}

// The listing widens for its labels, but a hostile file's label of
// thousands of characters leaves the window no wider than the screen.
TEST_F(DemoSymbols, AHugeLabelWidensTheWindowOnlyToTheScreen) {
  const auto labels = std::filesystem::temp_directory_path() /
                      ("taviro-huge-label-" + std::to_string(::getpid()) + ".lbl");
  std::ofstream(labels) << "al 00E000 ." << std::string(5000, 'w') << "\n";
  Debug_LoadImage(dialog, DemoImage(), labels.string());
  std::filesystem::remove(labels);
  auto* window = static_cast<QWidget*>(dialog);
  ASSERT_NE(Line(0).find("www"), std::string::npos);
  EXPECT_LE(window->frameGeometry().width(), window->screen()->availableGeometry().width());
  EXPECT_GT(window->width(), 0);
}

TEST_F(DemoSymbols, TheSourceViewFollowsStep) {
  Command(IDM_VIEW_SOURCE);
  ASSERT_NE(hWndSource, nullptr);
  // The startup macro's expansion is listed at its invocation.
  EXPECT_EQ(SourcePlace(), "demo.s, line 52");
  EXPECT_NE(SourceSelected().find("startup"), std::string::npos);
  StepTo(0xE00D);
  EXPECT_EQ(SourcePlace(), "demo.s, line 53");
  EXPECT_NE(SourceSelected().find("sta $A000"), std::string::npos);
  Command(IDC_STEP);
  EXPECT_EQ(SourcePlace(), "demo.s, line 54");
  EXPECT_EQ(ListBoxGetCurSel(hWndSource, IDC_SOURCE_LINES), 53);
}

}  // namespace
