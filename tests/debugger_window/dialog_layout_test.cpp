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

QWidget* Widget(WindowHandle dialog, const ControlTemplate& control) {
  return static_cast<QWidget*>(GetDlgItem(dialog, control.id));
}

// Rows stand where the template puts them. Across, a control may have been
// widened or moved right to make room for its text, but columns stay
// columns: controls that share an edge in the template share it on screen.
TEST_F(DebuggerWindow, EveryControlStandsAsTheTemplateSays) {
  const DialogUnits base = DialogBaseUnits(dialog);
  for (const ControlTemplate& control : DebugDialog.controls) {
    SCOPED_TRACE(control.id);
    QWidget* widget = Widget(dialog, control);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->inherits(QtClassOf(control.kind)));
    const QRect place = widget->geometry();
    EXPECT_EQ(place.y(), DialogUnitsToPixelsY(control.y, base));
    EXPECT_EQ(place.height(), DialogUnitsToPixelsY(control.cy, base));
    EXPECT_GE(place.x(), DialogUnitsToPixelsX(control.x, base));
    EXPECT_GE(place.width(), DialogUnitsToPixelsX(control.cx, base));
    if (control.text != nullptr) {
      EXPECT_EQ(Text(control.id), control.text);
    }
    for (const ControlTemplate& other : DebugDialog.controls) {
      const QRect there = Widget(dialog, other)->geometry();
      // Within the pixel that converting x and cx apart may round away.
      if (other.x == control.x) {
        EXPECT_NEAR(there.x(), place.x(), 1) << other.id;
      }
      if (other.x + other.cx == control.x + control.cx) {
        EXPECT_NEAR(there.right(), place.right(), 1) << other.id;
      }
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

// What the window manager is told: a size it cannot change and no
// maximise, also after the listing has widened for its labels.
TEST_F(DebuggerWindow, TheWindowIsFixedSizeWithoutMaximise) {
  LoadThroughDialog(DemoImage());
  QCoreApplication::processEvents();
  auto* window = static_cast<QWidget*>(dialog);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->size(), window->maximumSize());
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
