// Dialog 200 as its template gives it: identifiers, texts, kinds, places in
// dialog units, the menu, the icon, and the names assistive technology reads.
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include "tests/debugger_window/debugger_fixture.h"

namespace {

QWidget* Widget(WindowHandle dialog, int id) {
  return static_cast<QWidget*>(GetDlgItem(dialog, id));
}

bool HasKind(QWidget* widget, ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
      return qobject_cast<QPushButton*>(widget) != nullptr;
    case ControlKind::Label:
      return qobject_cast<QLabel*>(widget) != nullptr;
    case ControlKind::GroupBox:
      return qobject_cast<QGroupBox*>(widget) != nullptr;
    case ControlKind::ReadOnlyField: {
      auto* field = qobject_cast<QLineEdit*>(widget);
      return field != nullptr && field->isReadOnly();
    }
    case ControlKind::ListBox:
      return qobject_cast<QListWidget*>(widget) != nullptr;
    case ControlKind::CheckBox:
      return qobject_cast<QAbstractButton*>(widget) != nullptr;
    case ControlKind::RadioButton:
      return qobject_cast<QRadioButton*>(widget) != nullptr;
    default:
      return false;
  }
}

QString AccessibleName(QObject* object) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
  return face ? face->text(QAccessible::Name) : QString();
}

TEST_F(DebuggerWindow, EveryControlStandsAsTheTemplateSays) {
  const DialogUnits base = DialogBaseUnits(dialog);
  ASSERT_GT(base.baseWidth, 0);
  for (const ControlTemplate& control : DebugDialog.controls) {
    SCOPED_TRACE(control.id);
    QWidget* widget = Widget(dialog, control.id);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(HasKind(widget, control.kind));
    EXPECT_EQ(
        widget->geometry(),
        QRect(DialogUnitsToPixelsX(control.x, base), DialogUnitsToPixelsY(control.y, base),
              DialogUnitsToPixelsX(control.cx, base), DialogUnitsToPixelsY(control.cy, base)));
    if (control.kind != ControlKind::ListBox) {
      EXPECT_EQ(Text(control.id), control.text);
    }
  }
  EXPECT_EQ(GetWindowTitle(dialog), "Taviro");
  EXPECT_FALSE(static_cast<QWidget*>(dialog)->windowIcon().isNull());
  EXPECT_EQ(Line(0), "[No ROM image loaded]");
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOYSTICK1));
  EXPECT_TRUE(QFontInfo(Widget(dialog, IDC_LISTING)->font()).fixedPitch());
}

TEST_F(DebuggerWindow, MenuHoldsEveryItemUnderItsTitle) {
  auto* bar = static_cast<QWidget*>(dialog)->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  QStringList titles;
  for (QAction* popup : bar->actions()) titles << popup->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Dump", "&Help"}));
  int items = 0;
  for (const PopupTemplate& popup : IDM_DEBUG)
    for (const MenuItemTemplate& item : popup.items) items += item.id != 0;
  EXPECT_EQ(items, 22);
  // A menu item reaches the same command as the button with its identifier.
  nextChoice = DemoImage();
  for (QAction* popup : bar->actions())
    for (QAction* item : popup->menu()->actions())
      if (item->text() == "&Load ROM") item->trigger();
  EXPECT_EQ(ListBoxCount(dialog, IDC_LISTING), 100);
}

TEST_F(DebuggerWindow, AssistiveTechnologyReadsWhatUsersSee) {
  const std::pair<int, const char*> fields[] = {
      {IDC_A, "A="},
      {IDC_X, "X="},
      {IDC_Y, "Y="},
      {IDC_SP, "SP="},
      {IDC_PC, "PC="},
      {IDC_FLAGS, "SV BDIZC"},
      {IDC_CYCLES, "HBlank Cycles"},
      {IDC_LISTING, "Code:"},
      {IDC_LOADROM, "Load Rom"},
      {IDC_ADD_BREAKPOINT, "Add Breakpoint"},
      {IDC_JOYSTICK2, "Joystick2"},
      {IDC_VBLANK, "VBlank Flag"},
  };
  for (const auto& [id, name] : fields) EXPECT_EQ(AccessibleName(Widget(dialog, id)), name) << id;
  EXPECT_EQ(AccessibleName(static_cast<QWidget*>(dialog)), "Taviro");
  auto* bar = static_cast<QWidget*>(dialog)->findChild<QMenuBar*>();
  QAccessibleInterface* file = QAccessible::queryAccessibleInterface(bar->actions()[0]->menu());
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->child(0)->text(QAccessible::Name), "Load ROM");
}

}  // namespace
