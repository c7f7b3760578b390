// Dialogs built from templates: controls by identifier at their place in
// dialog units, one command procedure for buttons, menu items and
// notifications, Escape and the close box as the dialog's own commands, the
// list box's prefix search, and names for assistive technology.
#include "platform/template_dialog.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "platform/window.h"

namespace {

const MenuTemplate TestMenu = {{"&Step menu", {{40, "&Go"}, {0, nullptr}, {41, "Go &again"}}}};

const DialogTemplate TestDialog{
    500,
    "Test dialog",
    200,
    100,
    DialogNone,
    {
        {40, ControlKind::PushButton, "&Step", StyleNone, 10, 10, 40, 14},
        {42, ControlKind::Label, "Value:", StyleNone, 10, 30, 30, 9, 43},
        {43, ControlKind::ReadOnlyField, "0x00", StyleNone, 45, 30, 30, 12},
        {44, ControlKind::Label, "Code:", StyleNone, 100, 2, 30, 9, 45},
        {45, ControlKind::ListBox, nullptr, StyleVScroll | StyleNotify, 100, 12, 90, 80},
    },
    &TestMenu};

struct Command {
  int id;
  int code;
};

struct Recorder {
  std::vector<Command> commands;
  int closes = 0;
  DialogProcedures Procedures() {
    return {nullptr,
            [this](WindowHandle, int id, WindowHandle, int code) {
              commands.push_back({id, code});
            },
            [this](WindowHandle) { ++closes; }};
  }
};

class TemplateDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateModelessDialog(TestDialog, nullptr, recorder.Procedures());
  }
  void TearDown() override { EndDialog(dialog, 0); }
  QWidget* Item(int id) { return static_cast<QWidget*>(GetDlgItem(dialog, id)); }

  Recorder recorder;
  WindowHandle dialog = nullptr;
};

TEST_F(TemplateDialogTest, ControlsStandWhereTheirDialogUnitsSay) {
  const DialogUnits base = DialogBaseUnits(dialog);
  ASSERT_GT(base.baseWidth, 0);
  const QRect field = Item(43)->geometry();
  EXPECT_EQ(field.x(), 45 * base.baseWidth / 4);
  EXPECT_EQ(field.y(), 30 * base.baseHeight / 8);
  EXPECT_EQ(field.width(), 30 * base.baseWidth / 4);
  EXPECT_EQ(field.height(), 12 * base.baseHeight / 8);
  EXPECT_EQ(GetDlgItemText(dialog, 43), "0x00");
  EXPECT_TRUE(qobject_cast<QLineEdit*>(Item(43))->isReadOnly());
  EXPECT_EQ(GetWindowTitle(dialog), "Test dialog");
}

TEST_F(TemplateDialogTest, ButtonMenuItemAndDoubleClickReachTheOneProcedure) {
  qobject_cast<QPushButton*>(Item(40))->click();
  static_cast<QWidget*>(dialog)
      ->window()
      ->findChild<QMenuBar*>()
      ->actions()[0]
      ->menu()
      ->actions()[0]
      ->trigger();
  ListBoxAddString(dialog, 45, "C000 LDA #$00");
  auto* list = qobject_cast<QListWidget*>(Item(45));
  emit list->itemDoubleClicked(list->item(0));
  std::vector<int> ids;
  for (const Command& command : recorder.commands)
    if (command.code != 1) ids.push_back(command.id * 10 + command.code);
  EXPECT_EQ(ids, (std::vector<int>{400, 400, 452}));
}

TEST_F(TemplateDialogTest, EscapeIsCancelAndTheCloseBoxAsksTheProcedure) {
  auto* window = static_cast<QWidget*>(dialog);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window, &escape);
  SendCloseRequest(dialog);
  ASSERT_EQ(recorder.commands.size(), 1u);
  EXPECT_EQ(recorder.commands[0].id, IDCANCEL);
  EXPECT_EQ(recorder.closes, 1);
  EXPECT_TRUE(window->isVisible());  // only the procedure ends the dialog
}

TEST_F(TemplateDialogTest, PrefixSearchStartsAfterTheLineAndWraps) {
  for (const char* line : {"C000 A", "C002 B", "C000 C", "D000 D"})
    ListBoxAddString(dialog, 45, line);
  EXPECT_EQ(ListBoxFindString(dialog, 45, 0, "C000"), 2);
  EXPECT_EQ(ListBoxFindString(dialog, 45, 2, "C000"), 0);
  EXPECT_EQ(ListBoxFindString(dialog, 45, 3, "c002"), 1);
  EXPECT_EQ(ListBoxFindString(dialog, 45, 0, "E000"), -1);
  EXPECT_EQ(ListBoxGetCurSel(dialog, 45), -1);
  ListBoxSetCurSel(dialog, 45, 3);
  EXPECT_EQ(ListBoxGetCurSel(dialog, 45), 3);
  EXPECT_EQ(ListBoxGetText(dialog, 45, 4), std::nullopt);
}

TEST_F(TemplateDialogTest, FieldsAndListsAreNamedByTheirLabels) {
  QAccessibleInterface* field = QAccessible::queryAccessibleInterface(Item(43));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text(QAccessible::Name).toStdString(), "Value:");
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(Item(45));
  EXPECT_EQ(list->text(QAccessible::Name).toStdString(), "Code:");
  QAccessibleInterface* button = QAccessible::queryAccessibleInterface(Item(40));
  EXPECT_EQ(button->text(QAccessible::Name).toStdString(), "Step");
}

TEST_F(TemplateDialogTest, AltLetterClicksTheButtonThoughAMenuTitleSharesIt) {
  auto* window = static_cast<QWidget*>(dialog);
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  auto clicks = [this] {
    return std::count_if(recorder.commands.begin(), recorder.commands.end(),
                         [](const Command& c) { return c.id == 40; });
  };
  // Qt hands an ambiguous mnemonic to each owner in turn: the menu, then the
  // button; the button must act on its turn.
  for (int press = 0; press < 2 && clicks() == 0; ++press) {
    QTest::keyClick(window, Qt::Key_S, Qt::AltModifier);
    QTest::qWait(200);
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  }
  EXPECT_EQ(clicks(), 1);
}

TEST(ModalDialog, ReturnsWhatTheProcedureEndsItWith) {
  DialogProcedures procedures;
  procedures.onInit = [](WindowHandle dialog) {
    QTimer::singleShot(0, [dialog] { EndDialog(dialog, 7); });
  };
  EXPECT_EQ(RunModalDialog(TestDialog, nullptr, procedures), 7);
}

}  // namespace
