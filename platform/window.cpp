#include "platform/window.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTabBar>
#include <algorithm>

#include "platform/template_dialog.h"

namespace {

QWidget* Widget(WindowHandle handle) {
  return static_cast<QWidget*>(handle);
}

QWidget* Item(WindowHandle dialog, int id) {
  TemplateDialog* owner = DialogOf(dialog);
  return owner ? owner->Control(id) : nullptr;
}

template <typename Kind>
Kind* ItemAs(WindowHandle dialog, int id) {
  return qobject_cast<Kind*>(Item(dialog, id));
}

}  // namespace

int RunModalDialog(const DialogTemplate& dialog, WindowHandle owner,
                   const DialogProcedures& procedures) {
  TemplateDialog window(dialog, Widget(owner), procedures);
  window.setModal(true);
  window.Initialise();
  return window.exec();
}

WindowHandle CreateModelessDialog(const DialogTemplate& dialog, WindowHandle owner,
                                  const DialogProcedures& procedures) {
  auto* window = new TemplateDialog(dialog, Widget(owner), procedures);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->Initialise();
  window->show();
  return window;
}

void EndDialog(WindowHandle dialog, int result) {
  if (TemplateDialog* window = DialogOf(dialog)) window->End(result);
}

void SendCloseRequest(WindowHandle window) {
  if (window != nullptr) Widget(window)->window()->close();
}

void DestroyWindow(WindowHandle window) {
  if (window == nullptr) return;
  QWidget* widget = Widget(window);
  widget->hide();
  widget->deleteLater();
}

void FitDialogToTexts(WindowHandle dialog) {
  if (TemplateDialog* window = DialogOf(dialog)) window->FitTexts();
}

WindowHandle GetDlgItem(WindowHandle dialog, int id) {
  return Item(dialog, id);
}

void SetDlgItemText(WindowHandle dialog, int id, const std::string& text) {
  const QString value = QString::fromStdString(text);
  QWidget* item = Item(dialog, id);
  if (auto* field = qobject_cast<QLineEdit*>(item))
    field->setText(value);
  else if (auto* label = qobject_cast<QLabel*>(item))
    label->setText(value);
  else if (auto* button = qobject_cast<QAbstractButton*>(item))
    button->setText(value);
  else if (auto* group = qobject_cast<QGroupBox*>(item))
    group->setTitle(value);
}

std::string GetDlgItemText(WindowHandle dialog, int id) {
  QWidget* item = Item(dialog, id);
  if (auto* field = qobject_cast<QLineEdit*>(item)) return field->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(item)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(item)) return button->text().toStdString();
  if (auto* group = qobject_cast<QGroupBox*>(item)) return group->title().toStdString();
  return {};
}

void SetDlgItemUnsigned(WindowHandle dialog, int id, unsigned int value) {
  SetDlgItemText(dialog, id, std::to_string(value));
}

void CheckDlgButton(WindowHandle dialog, int id, bool checked) {
  if (auto* button = ItemAs<QAbstractButton>(dialog, id)) button->setChecked(checked);
}

bool IsDlgButtonChecked(WindowHandle dialog, int id) {
  auto* button = ItemAs<QAbstractButton>(dialog, id);
  return button != nullptr && button->isChecked();
}

void CheckRadioButton(WindowHandle dialog, int firstId, int lastId, int checkId) {
  for (int id = firstId; id <= lastId; ++id)
    if (auto* button = ItemAs<QAbstractButton>(dialog, id)) {
      const bool exclusive = button->autoExclusive();
      button->setAutoExclusive(false);  // lets the others be cleared too
      button->setChecked(id == checkId);
      button->setAutoExclusive(exclusive);
    }
}

void EnableCommand(WindowHandle dialog, int id, bool enabled) {
  if (QWidget* item = Item(dialog, id)) item->setEnabled(enabled);
  if (TemplateDialog* window = DialogOf(dialog))
    for (QAction* action : window->Actions(id)) action->setEnabled(enabled);
}

bool IsCommandEnabled(WindowHandle dialog, int id) {
  if (QWidget* item = Item(dialog, id)) return item->isEnabled();
  TemplateDialog* window = DialogOf(dialog);
  if (window == nullptr) return false;
  const QList<QAction*> actions = window->Actions(id);
  return !actions.isEmpty() && actions.first()->isEnabled();
}

void SetCommandTip(WindowHandle dialog, int id, const std::string& tip) {
  const QString text = QString::fromStdString(tip);
  if (QWidget* item = Item(dialog, id)) item->setToolTip(text);
  if (TemplateDialog* window = DialogOf(dialog))
    for (QAction* action : window->Actions(id)) {
      action->setToolTip(text.isEmpty() ? action->text() : text);
      if (QMenu* menu = qobject_cast<QMenu*>(action->parent())) menu->setToolTipsVisible(true);
    }
}

std::string CommandTip(WindowHandle dialog, int id) {
  if (QWidget* item = Item(dialog, id)) return item->toolTip().toStdString();
  TemplateDialog* window = DialogOf(dialog);
  if (window == nullptr || window->Actions(id).isEmpty()) return {};
  QAction* action = window->Actions(id).first();
  return action->toolTip() == action->text() ? std::string{} : action->toolTip().toStdString();
}

void ListBoxAddString(WindowHandle dialog, int id, const std::string& line) {
  if (auto* list = ItemAs<QListWidget>(dialog, id)) list->addItem(QString::fromStdString(line));
}

void ListBoxReset(WindowHandle dialog, int id) {
  if (auto* list = ItemAs<QListWidget>(dialog, id)) list->clear();
}

int ListBoxCount(WindowHandle dialog, int id) {
  auto* list = ItemAs<QListWidget>(dialog, id);
  return list ? list->count() : 0;
}

void ListBoxSetCurSel(WindowHandle dialog, int id, int index) {
  auto* list = ItemAs<QListWidget>(dialog, id);
  if (list == nullptr) return;
  if (index < 0 || index >= list->count()) {
    list->setCurrentRow(-1);
    list->clearSelection();
    return;
  }
  list->setCurrentRow(index);
  list->scrollToItem(list->item(index));
}

int ListBoxGetCurSel(WindowHandle dialog, int id) {
  auto* list = ItemAs<QListWidget>(dialog, id);
  if (list == nullptr || list->selectedItems().isEmpty()) return -1;
  return list->currentRow();
}

std::optional<std::string> ListBoxGetText(WindowHandle dialog, int id, int index) {
  auto* list = ItemAs<QListWidget>(dialog, id);
  if (list == nullptr || index < 0 || index >= list->count()) return std::nullopt;
  return list->item(index)->text().toStdString();
}

// As a list box does it: from the line after startAfter to the end, then
// from the top, ignoring letter case.
int ListBoxFindString(WindowHandle dialog, int id, int startAfter, const std::string& prefix) {
  auto* list = ItemAs<QListWidget>(dialog, id);
  if (list == nullptr || list->count() == 0) return -1;
  const int count = list->count();
  const int first = (startAfter < 0 || startAfter >= count) ? 0 : startAfter + 1;
  const QString wanted = QString::fromStdString(prefix);
  for (int step = 0; step < count; ++step) {
    const int line = (first + step) % count;
    if (list->item(line)->text().startsWith(wanted, Qt::CaseInsensitive)) return line;
  }
  return -1;
}

int TabControlInsertItem(WindowHandle dialog, int id, int index, const std::string& text) {
  auto* tabs = ItemAs<QTabBar>(dialog, id);
  return tabs ? tabs->insertTab(index, QString::fromStdString(text)) : -1;
}

int TabControlGetCurSel(WindowHandle dialog, int id) {
  auto* tabs = ItemAs<QTabBar>(dialog, id);
  return tabs ? tabs->currentIndex() : -1;
}

void SetWindowTitle(WindowHandle window, const std::string& title) {
  if (window != nullptr) Widget(window)->window()->setWindowTitle(QString::fromStdString(title));
}

std::string GetWindowTitle(WindowHandle window) {
  return window ? Widget(window)->window()->windowTitle().toStdString() : std::string();
}

// Icons are the program's resources :/icons/<id>.svg or :/icons/<id>.png.
void SetWindowIcons(WindowHandle window, int iconId) {
  if (window == nullptr) return;
  QIcon icon(QString(":/icons/%1.svg").arg(iconId));
  if (icon.isNull() || icon.availableSizes().isEmpty())
    icon = QIcon(QString(":/icons/%1.png").arg(iconId));
  Widget(window)->window()->setWindowIcon(icon);
}

void FocusWindow(WindowHandle window) {
  if (window == nullptr) return;
  QWidget* top = Widget(window)->window();
  top->raise();
  top->activateWindow();
  top->setFocus(Qt::OtherFocusReason);
}

void PlaceWindowBeside(WindowHandle window, WindowHandle anchor) {
  if (window == nullptr || anchor == nullptr) return;
  QWidget* top = Widget(window)->window();
  const QWidget* beside = Widget(anchor)->window();
  const QScreen* screen = beside->screen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QRect anchorFrame = beside->frameGeometry();
  const int width = top->frameGeometry().width();
  const int y = std::max(area.top(), anchorFrame.top());
  if (anchorFrame.right() + 1 + width <= area.right() + 1)
    top->move(anchorFrame.right() + 1, y);
  else if (anchorFrame.left() - width >= area.left())
    top->move(anchorFrame.left() - width, y);
}

DialogUnits DialogBaseUnits(WindowHandle dialog) {
  TemplateDialog* window = DialogOf(dialog);
  return window ? window->Units() : DialogUnits{0, 0};
}

int DialogUnitsToPixelsX(int units, const DialogUnits& base) {
  return units * base.baseWidth / 4;
}

int DialogUnitsToPixelsY(int units, const DialogUnits& base) {
  return units * base.baseHeight / 8;
}
