#include "platform/text_room.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <map>

#include "platform/template_dialog.h"

namespace {

// A content wider than any control: the style's size for it minus itself
// is the chrome alone, free of the minimum widths some styles give buttons.
constexpr int kWideContent = 10000;

int TextWidth(const QWidget& control, const QString& text) {
  return control.fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

int ButtonShortfall(const QAbstractButton& button) {
  QStyle::ContentsType type = QStyle::CT_PushButton;
  if (qobject_cast<const QCheckBox*>(&button) != nullptr) type = QStyle::CT_CheckBox;
  if (qobject_cast<const QRadioButton*>(&button) != nullptr) type = QStyle::CT_RadioButton;
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QSize content(kWideContent, button.fontMetrics().height());
  const int chrome =
      button.style()->sizeFromContents(type, &option, content, &button).width() - kWideContent;
  return TextWidth(button, button.text()) + chrome - button.width();
}

// The text of a field is drawn inside its frame, its text margins and a
// margin of two pixels each side that the line edit keeps for its cursor.
int FieldShortfall(const QLineEdit& field) {
  constexpr int kCursorMargin = 2;
  QStyleOptionFrame option;
  option.initFrom(&field);
  option.lineWidth = field.hasFrame()
                         ? field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field)
                         : 0;
  const QRect contents =
      field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
  const QMargins margins = field.textMargins();
  const int room = contents.width() - margins.left() - margins.right() - 2 * kCursorMargin;
  return field.fontMetrics().horizontalAdvance(field.text()) - room;
}

int LabelShortfall(const QLabel& label) {
  if (label.wordWrap() || label.text().isEmpty()) return 0;
  return label.sizeHint().width() - label.width();
}

int GroupShortfall(const QGroupBox& group) {
  if (group.title().isEmpty()) return 0;
  return group.minimumSizeHint().width() - group.width();
}

// A list shows each line inside the view's frame and its scroll bar, with
// the item's text margin each side; a longer line would end in "...".
int ListShortfall(const QListWidget& list) {
  if (list.textElideMode() == Qt::ElideNone) return 0;  // it scrolls sideways instead
  int widest = 0;
  for (int row = 0; row < list.count(); ++row)
    widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.item(row)->text()));
  if (widest == 0) return 0;
  const int margin = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
  const int scrollBar = list.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn
                            ? list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list)
                            : 0;
  // A list with line marks draws them in a margin one line high, left of the text.
  const int marks = list.property(kMarkMarginProperty).toBool() ? list.fontMetrics().height() : 0;
  const int room = list.width() - 2 * list.frameWidth() - scrollBar - 2 * margin - marks;
  return widest - room;
}

}  // namespace

int TextShortfall(const QWidget& control) {
  int shortfall = 0;
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control))
    shortfall = ButtonShortfall(*button);
  else if (const auto* field = qobject_cast<const QLineEdit*>(&control))
    shortfall = FieldShortfall(*field);
  else if (const auto* label = qobject_cast<const QLabel*>(&control))
    shortfall = LabelShortfall(*label);
  else if (const auto* group = qobject_cast<const QGroupBox*>(&control))
    shortfall = GroupShortfall(*group);
  else if (const auto* list = qobject_cast<const QListWidget*>(&control))
    shortfall = ListShortfall(*list);
  return std::max(shortfall, 0);
}

int MakeRoomForTexts(const QList<QWidget*>& controls, int limit) {
  // Each right edge that cuts a text, and the widest shortfall at it.
  std::map<int, int> insertAt;
  for (const QWidget* control : controls)
    if (const int shortfall = TextShortfall(*control); shortfall > 0) {
      const int edge = control->x() + control->width();
      insertAt[edge] = std::max(insertAt[edge], shortfall);
    }
  if (insertAt.empty()) return 0;
  auto rightmost = [&controls] {
    int right = 0;
    for (const QWidget* control : controls)
      right = std::max(right, control->x() + control->width());
    return right;
  };
  const int before = rightmost();
  // From the right, so that a column inserted further left moves the ones
  // already inserted along with everything else.
  int left = limit;
  for (auto cut = insertAt.rbegin(); cut != insertAt.rend() && left > 0; ++cut) {
    const int edge = cut->first;
    const int width = std::min(cut->second, left);
    left -= width;
    for (QWidget* control : controls) {
      QRect place = control->geometry();
      if (place.x() >= edge)
        place.translate(width, 0);
      else if (place.x() + place.width() >= edge)
        place.setWidth(place.width() + width);
      control->setGeometry(place);
    }
  }
  return rightmost() - before;
}
