// Options (two tabs, closing stores nothing) and the modeless About window.
#include <QTabBar>
#include <QWidget>

#include "debugger/about.h"
#include "debugger/tool_commands.h"
#include "tests/debugger_tools/tools_fixture.h"

namespace {

using SmallDialogs = ToolsTest;

TEST_F(SmallDialogs, OptionsShowsDisplayAndMiscTabsAndClosesOnOkOrCancel) {
  for (const char* button : {"OK", "Cancel"}) {
    QStringList tabs;
    const std::string title = WithDialog([&] { Debug_Options(listing_); },
                                         [&](QDialog* dialog) {
                                           auto* bar = dialog->findChild<QTabBar*>();
                                           ASSERT_NE(bar, nullptr);
                                           for (int i = 0; i < bar->count(); ++i)
                                             tabs << bar->tabText(i);
                                           Press(dialog, button);
                                         });
    EXPECT_EQ(title, "Options");
    EXPECT_EQ(tabs, QStringList({"Display", "Misc"}));
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(SmallDialogs, AboutIsOneModelessWindowTitledTaviroUntilOk) {
  Debug_About(listing_);
  ASSERT_NE(hwAboutDlg, nullptr);
  auto* about = static_cast<QWidget*>(hwAboutDlg);
  EXPECT_EQ(about->windowTitle(), "Taviro");
  EXPECT_FALSE(about->isModal());
  EXPECT_TRUE(about->isVisible());
  EXPECT_NE(GetDlgItemText(hwAboutDlg, 302).find("Taviro"), std::string::npos);

  const WindowHandle first = hwAboutDlg;
  Debug_About(listing_);
  EXPECT_EQ(hwAboutDlg, first);

  auto* dialog = qobject_cast<QDialog*>(about);
  ASSERT_NE(dialog, nullptr);
  Press(dialog, "OK");
  EXPECT_EQ(hwAboutDlg, nullptr);
  EXPECT_FALSE(about->isVisible());
  QApplication::processEvents();
}

}  // namespace
