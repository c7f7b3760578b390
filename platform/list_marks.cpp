#include "platform/list_marks.h"

#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "platform/template_dialog.h"

namespace {

constexpr int kMarksRole = Qt::UserRole + 1;

QListWidgetItem* LineOf(WindowHandle dialog, int id, int index) {
  TemplateDialog* owner = DialogOf(dialog);
  auto* list = owner ? qobject_cast<QListWidget*>(owner->Control(id)) : nullptr;
  if (list == nullptr || index < 0 || index >= list->count()) return nullptr;
  return list->item(index);
}

}  // namespace

// Draws a line's marks in a margin left of its text, one text height wide.
class MarkMarginDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int margin = Margin(option);
    QStyleOptionViewItem text = option;
    text.rect.adjust(margin, 0, 0, 0);
    const unsigned marks = index.data(kMarksRole).toUInt();
    if (marks & MarkCurrent) painter->fillRect(text.rect, QColor(255, 244, 160));
    QStyledItemDelegate::paint(painter, text, index);
    const QRect box(option.rect.left(), option.rect.top(), margin, option.rect.height());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    const int size = std::min(box.width(), box.height()) * 2 / 3;
    const QRect dot(box.center().x() - size / 2, box.center().y() - size / 2, size, size);
    if (marks & MarkBreakpoint) {
      painter->setBrush(QColor(200, 30, 30));
      painter->drawEllipse(dot);
    }
    if (marks & MarkCurrent) {
      QPainterPath arrow;
      arrow.moveTo(dot.left(), dot.top());
      arrow.lineTo(dot.right(), dot.center().y());
      arrow.lineTo(dot.left(), dot.bottom());
      arrow.closeSubpath();
      painter->setBrush(QColor(230, 170, 0));
      painter->setPen(QPen(Qt::black, 1));
      painter->drawPath(arrow);
    }
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += Margin(option);
    return size;
  }

 private:
  static int Margin(const QStyleOptionViewItem& option) { return option.fontMetrics.height(); }
};

QStyledItemDelegate* CreateMarkMarginDelegate(QObject* parent) {
  return new MarkMarginDelegate(parent);
}

void ListBoxSetMarks(WindowHandle dialog, int id, int index, unsigned marks) {
  QListWidgetItem* line = LineOf(dialog, id, index);
  if (line == nullptr || line->data(kMarksRole).toUInt() == marks) return;
  const QSignalBlocker quiet(line->listWidget());  // no LBN_CHECKCHANGE for a mark
  line->setData(kMarksRole, marks);
}

unsigned ListBoxGetMarks(WindowHandle dialog, int id, int index) {
  const QListWidgetItem* line = LineOf(dialog, id, index);
  return line ? line->data(kMarksRole).toUInt() : MarkNone;
}

void ListBoxSetCheck(WindowHandle dialog, int id, int index, bool checked) {
  QListWidgetItem* line = LineOf(dialog, id, index);
  if (line == nullptr) return;
  const QSignalBlocker quiet(line->listWidget());
  line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
  line->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool ListBoxGetCheck(WindowHandle dialog, int id, int index) {
  const QListWidgetItem* line = LineOf(dialog, id, index);
  return line != nullptr && line->checkState() == Qt::Checked;
}
