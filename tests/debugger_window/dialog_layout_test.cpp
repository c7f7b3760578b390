// Dialog 200 as its template gives it, and the names assistive technology
// reads for what users see.
#include <QAccessible>
#include <QFontMetricsF>
#include <QMenuBar>
#include <QWidget>

#include "tests/debugger_window/debugger_fixture.h"

namespace {

const char* QtClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return "QLabel";
    case ControlKind::GroupBox:
      return "QGroupBox";
    case ControlKind::ReadOnlyField:
    case ControlKind::EditField:
      return "QLineEdit";
    case ControlKind::ListBox:
      return "QListWidget";
    case ControlKind::RadioButton:
      return "QRadioButton";
    default:
      return "QAbstractButton";
  }
}

QString AccessibleName(QObject* object) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
  return face ? face->text(QAccessible::Name) : QString();
}

TEST_F(DebuggerWindow, EveryControlStandsAsTheTemplateSays) {
  const DialogUnits base = DialogBaseUnits(dialog);
  for (const ControlTemplate& control : DebugDialog.controls) {
    SCOPED_TRACE(control.id);
    auto* widget = static_cast<QWidget*>(GetDlgItem(dialog, control.id));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->inherits(QtClassOf(control.kind)));
    EXPECT_EQ(
        widget->geometry(),
        QRect(DialogUnitsToPixelsX(control.x, base), DialogUnitsToPixelsY(control.y, base),
              DialogUnitsToPixelsX(control.cx, base), DialogUnitsToPixelsY(control.cy, base)));
    if (control.text != nullptr) {
      EXPECT_EQ(Text(control.id), control.text);
    }
  }
  EXPECT_EQ(GetWindowTitle(dialog), "Taviro");
  EXPECT_FALSE(static_cast<QWidget*>(dialog)->windowIcon().isNull());
  // The listing's columns line up: a line is as wide as that many '0's,
  // to the fraction of a pixel the face's advance may carry.
  const QFontMetricsF listing(static_cast<QWidget*>(GetDlgItem(dialog, IDC_LISTING))->font());
  const QString line = "C0F0: BD 7F 80   LDA $809F, X";
  EXPECT_NEAR(listing.horizontalAdvance(line), line.size() * listing.horizontalAdvance('0'), 0.5);
  EXPECT_EQ(Line(0), "[No ROM image loaded]");
  EXPECT_TRUE(IsDlgButtonChecked(dialog, IDC_JOYSTICK1));
}

TEST_F(DebuggerWindow, AssistiveTechnologyReadsWhatUsersSee) {
  const std::pair<int, const char*> names[] = {
      {IDC_A, "A="},           {IDC_PC, "PC="},
      {IDC_FLAGS, "SV BDIZC"}, {IDC_CYCLES, "HBlank Cycles"},
      {IDC_LISTING, "Code:"},  {IDC_ADD_BREAKPOINT, "Add Breakpoint"}};
  for (const auto& [id, name] : names)
    EXPECT_EQ(AccessibleName(static_cast<QWidget*>(GetDlgItem(dialog, id))), name) << id;
  auto* window = static_cast<QWidget*>(dialog);
  EXPECT_EQ(AccessibleName(window), "Taviro");
  QMenu* file = window->findChild<QMenuBar*>()->actions()[0]->menu();
  EXPECT_EQ(QAccessible::queryAccessibleInterface(file)->child(0)->text(QAccessible::Name),
            "Load ROM");
}

}  // namespace
