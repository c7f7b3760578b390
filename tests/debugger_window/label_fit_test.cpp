// No text a user reads is cut: every button, check box, label, group title
// and field of every window and dialog of the debugger shows its whole text
// at the font it is drawn in, with the fonts measured here and with a wider
// desktop font. Room is what the style draws the text in, not what the
// dialog builder asked for.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <functional>

#include "debugger/tool_commands.h"
#include "tests/debugger_window/debugger_fixture.h"

namespace {

int TextWidth(const QWidget& widget, const QString& text) {
  return widget.fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

// A push button's caption keeps the style's button margin from the bevel:
// a caption that touches the frame reads as cut.
int ButtonRoom(const QAbstractButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QStyle& style = *button.style();
  if (qobject_cast<const QCheckBox*>(&button) != nullptr)
    return style.subElementRect(QStyle::SE_CheckBoxContents, &option, &button).width();
  if (qobject_cast<const QRadioButton*>(&button) != nullptr)
    return style.subElementRect(QStyle::SE_RadioButtonContents, &option, &button).width();
  return style.subElementRect(QStyle::SE_PushButtonContents, &option, &button).width() -
         style.pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
}

// As QLabel draws: inside its frame, its margin, and for a framed label an
// indent of half an 'x'.
int LabelRoom(const QLabel& label) {
  int indent = label.indent();
  if (indent < 0)
    indent = label.frameWidth() > 0 ? label.fontMetrics().horizontalAdvance('x') / 2 : 0;
  return label.contentsRect().width() - 2 * label.margin() - indent;
}

int FieldRoom(const QLineEdit& field) {
  QStyleOptionFrame option;
  option.initFrom(&field);
  option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
  const QRect contents =
      field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
  return contents.width() - field.textMargins().left() - field.textMargins().right() - 4;
}

int GroupTitleRoom(const QGroupBox& group) {
  QStyleOptionGroupBox option;
  option.initFrom(&group);
  option.text = group.title();
  option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect label =
      group.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &group);
  return group.width() - label.x();
}

// A list's line is drawn inside the item's text margin; a longer one
// ends in "...".
int ItemRoom(const QListWidget& list) {
  const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
  return list.viewport()->width() - 2 * margin;
}

// A list that scrolls sideways shows every line; one in a window as wide
// as the screen may still have a longer line (a label of a hundred letters).
bool FillsTheScreen(QWidget& window) {
  QApplication::processEvents();  // the layout follows a widened listing
  return window.frameGeometry().width() >= window.screen()->availableGeometry().width() - 8;
}

// "Load Rom: needs 62, has 58" for each control of window whose text is cut.
std::vector<std::string> CutTexts(QWidget* window) {
  std::vector<std::string> cut;
  auto check = [&cut](const QString& text, int need, int room) {
    if (need > room)
      cut.push_back(QString("%1: needs %2, has %3").arg(text).arg(need).arg(room).toStdString());
  };
  for (QWidget* widget : window->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(window)) continue;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
      check(button->text(), TextWidth(*button, button->text()), ButtonRoom(*button));
    else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->wordWrap())
      check(label->text(), TextWidth(*label, label->text()), LabelRoom(*label));
    else if (auto* field = qobject_cast<QLineEdit*>(widget))
      check(field->text(), field->fontMetrics().horizontalAdvance(field->text()),
            FieldRoom(*field));
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
      check(group->title(), TextWidth(*group, group->title()), GroupTitleRoom(*group));
    else if (auto* list = qobject_cast<QListWidget*>(widget);
             list && list->textElideMode() != Qt::ElideNone && !FillsTheScreen(*window))
      for (int row = 0; row < list->count(); ++row)
        check(list->item(row)->text(),
              list->fontMetrics().horizontalAdvance(list->item(row)->text()), ItemRoom(*list));
  }
  return cut;
}

class LabelFit : public DebuggerWindow {
 protected:
  void SetUp() override {
    DebuggerWindow::SetUp();
    LoadThroughDialog(DemoImage());
    for (int step = 0; step < 40; ++step) Command(IDC_STEP);
  }

  // Runs command, which opens a modal dialog; returns what is cut in it
  // with every field filled with the longest text it takes.
  std::vector<std::string> CutInModal(int command) {
    std::vector<std::string> cut;
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || seen) return;
      seen = true;
      for (QLineEdit* field : modal->findChildren<QLineEdit*>()) field->setText("FFFF");
      cut = CutTexts(modal);
      modal->reject();  // Escape: the dialog's own Cancel
    });
    poll.start(1);
    Command(command);
    EXPECT_TRUE(seen) << "command " << command << " opened no dialog";
    return cut;
  }

  void ExpectNothingCutAnywhere() {
    // The info panel with its longest texts.
    Command(IDC_RUNTO);
    EXPECT_EQ(CutTexts(static_cast<QWidget*>(dialog)), std::vector<std::string>{});
    Command(IDC_RUNTO);  // Break
    ASSERT_TRUE(WaitFor([this] { return Text(IDC_RUNTO) == "&Run to"; }));
    EXPECT_EQ(CutTexts(static_cast<QWidget*>(dialog)), std::vector<std::string>{});
    for (int command : {IDM_EDIT_CPUMEM, IDM_EDIT_PPUMEM, IDM_EDIT_STACK, IDM_SEARCH_ROM,
                        IDM_GOTO_ADDRESS, IDM_BREAK_AT_LABEL, IDM_OPTIONS}) {
      SCOPED_TRACE(command);
      EXPECT_EQ(CutInModal(command), std::vector<std::string>{});
    }
    for (int command : {IDM_ABOUT, IDM_VIEW_SOURCE}) {
      SCOPED_TRACE(command);
      Command(command);
      for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top != static_cast<QWidget*>(dialog) &&
            qobject_cast<QDialog*>(top) != nullptr) {
          EXPECT_EQ(CutTexts(top), std::vector<std::string>{}) << top->windowTitle().toStdString();
          SendCloseRequest(top);
        }
      QApplication::processEvents();
    }
  }
};

TEST_F(LabelFit, NoTextIsCutAtTheFontsMeasuredHere) {
  ExpectNothingCutAnywhere();
}

// A desktop whose font is wider than the one the templates were drawn
// for: dialogs take the desktop's font, so each must make room for it.
TEST_F(LabelFit, NoTextIsCutAtAWiderDesktopFont) {
  const QFont desktop = QApplication::font();
  for (const QFont& wider : {QFont("DejaVu Serif", 11), QFont("DejaVu Sans", 10, QFont::Bold)}) {
    SCOPED_TRACE(wider.toString().toStdString());
    QApplication::setFont(wider);
    ExpectNothingCutAnywhere();
  }
  QApplication::setFont(desktop);
}

}  // namespace
