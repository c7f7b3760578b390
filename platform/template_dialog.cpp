#include "platform/template_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcutEvent>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/fixed_font.h"
#include "platform/list_marks.h"
#include "platform/text_room.h"

namespace {

// A button that is clicked by its mnemonic even when a menu title shares
// the letter: Qt hands an ambiguous Alt+letter to each owner in turn, and a
// plain button would then only take the focus, so the key would seem dead.
class CommandButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Shortcut && isEnabled()) {
      setFocus(Qt::ShortcutFocusReason);
      // A held key repeats the shortcut faster than the click animation
      // lasts; restarting it would click only once, after the release. As
      // Qt's own buttons do, a repeat during the animation is dropped, so a
      // held Alt+S keeps stepping.
      if (!isDown()) animateClick();
      return true;
    }
    return QPushButton::event(event);
  }
};

// The average width of the 52 letters, rounded, and the font height: the
// base of dialog units.
DialogUnits UnitsFor(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return DialogUnits{(letters + 26) / 52, metrics.height()};
}

QString WithoutMnemonic(const char* text) {
  QString plain = QString::fromUtf8(text);
  plain.remove(QRegularExpression("&(?!&)"));
  return plain;
}

// The letter after a single '&', lower case; 0 when the text has none.
QChar MnemonicOf(const char* text) {
  const QString plain = QString::fromUtf8(text ? text : "");
  for (qsizetype at = 0; at + 1 < plain.size(); ++at) {
    if (plain[at] != '&') continue;
    if (plain[at + 1] != '&') return plain[at + 1].toLower();
    ++at;  // "&&" is a literal ampersand
  }
  return QChar();
}

// The letters the dialog's buttons answer to with Alt.
QString ButtonMnemonics(const DialogTemplate& dialog) {
  QString letters;
  for (const ControlTemplate& control : dialog.controls) {
    const bool button =
        control.kind == ControlKind::PushButton || control.kind == ControlKind::DefaultPushButton ||
        control.kind == ControlKind::CheckBox || control.kind == ControlKind::RadioButton;
    const QChar letter = MnemonicOf(control.text);
    if (button && !letter.isNull()) letters += letter;
  }
  return letters;
}

Qt::WindowFlags FlagsFor(const DialogTemplate& dialog) {
  if (!(dialog.style & DialogMinimizeBox))
    return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
  return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
         Qt::WindowMinimizeButtonHint;
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& dialog, QWidget* owner,
                               const DialogProcedures& procedures)
    : QDialog(owner, FlagsFor(dialog)), procedures_(procedures) {
  setWindowTitle(QString::fromUtf8(dialog.title));
  if (dialog.style & DialogFixedPitch) setFont(FixedPitchFont());
  units_ = UnitsFor(font());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  if (dialog.menu != nullptr) {
    auto* bar = new QMenuBar(this);
    BuildMenu(*dialog.menu, bar, ButtonMnemonics(dialog));
    layout->setMenuBar(bar);
  }
  area_ = new QWidget(this);
  area_->setFixedSize(DialogUnitsToPixelsX(dialog.cx, units_),
                      DialogUnitsToPixelsY(dialog.cy, units_));
  layout->addWidget(area_);
  BuildControls(dialog, area_);
  ConnectBuddies(dialog);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  centred_ = (dialog.style & DialogCentred) != 0;
  FitTexts();
  if (centred_) Centre();
}

// The template's sizes were drawn for one font; at another, a text that
// does not fit widens its control and the dialog rather than being cut.
bool TemplateDialog::FitTexts() {
  // A hostile symbol file's label of thousands of characters must not make
  // the window wider than the screen.
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  const int frame = frameGeometry().width() - width();
  const int limit = screen->availableGeometry().width() - frame - area_->width();
  const int grown = MakeRoomForTexts(allControls_, std::max(limit, 0));
  if (grown > 0) area_->setFixedWidth(area_->width() + grown);
  return grown > 0;
}

void TemplateDialog::Centre() {
  adjustSize();
  QWidget* owner = parentWidget();
  if (QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TemplateDialog::BuildControls(const DialogTemplate& dialog, QWidget* area) {
  for (const ControlTemplate& control : dialog.controls) {
    QWidget* widget = BuildControl(control, area);
    widget->setGeometry(
        DialogUnitsToPixelsX(control.x, units_), DialogUnitsToPixelsY(control.y, units_),
        DialogUnitsToPixelsX(control.cx, units_), DialogUnitsToPixelsY(control.cy, units_));
    if (control.style & StyleFixedPitch) widget->setFont(FixedPitchFont());
    if (control.id >= 0) controls_.insert(control.id, widget);
    allControls_.append(widget);
  }
}

QWidget* TemplateDialog::BuildControl(const ControlTemplate& control, QWidget* area) {
  const QString text = QString::fromUtf8(control.text ? control.text : "");
  const int id = control.id;
  switch (control.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
      auto* button = new CommandButton(text, area);
      button->setAutoDefault(false);
      button->setDefault(control.kind == ControlKind::DefaultPushButton);
      connect(button, &QPushButton::clicked, this,
              [this, id, button] { SendCommand(id, button, 0); });
      return button;
    }
    case ControlKind::CheckBox: {
      if (control.style & StylePushLike) {
        auto* button = new CommandButton(text, area);
        button->setCheckable(true);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, id, button] { SendCommand(id, button, 0); });
        return button;
      }
      auto* box = new QCheckBox(text, area);
      if (control.style & StyleTextLeft) box->setLayoutDirection(Qt::RightToLeft);
      connect(box, &QCheckBox::clicked, this, [this, id, box] { SendCommand(id, box, 0); });
      return box;
    }
    case ControlKind::RadioButton: {
      auto* radio = new QRadioButton(text, area);
      connect(radio, &QRadioButton::clicked, this,
              [this, id, radio] { SendCommand(id, radio, 0); });
      return radio;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(text, area);
      if (control.style & StyleCentred) label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      if (control.style & StyleSunken) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      return label;
    }
    case ControlKind::GroupBox:
      return new QGroupBox(text, area);
    case ControlKind::ReadOnlyField:
    case ControlKind::EditField: {
      auto* field = new QLineEdit(text, area);
      field->setReadOnly(control.kind == ControlKind::ReadOnlyField);
      if (control.style & StyleNotify)
        connect(field, &QLineEdit::returnPressed, this,
                [this, id, field] { SendCommand(id, field, EN_RETURN); });
      return field;
    }
    case ControlKind::ListBox: {
      auto* list = new QListWidget(area);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      // A list that scrolls sideways shows long lines whole, each as wide
      // as itself; the others give every line the first line's size.
      const bool sideways = (control.style & StyleHScroll) != 0;
      list->setUniformItemSizes(!sideways);
      if (sideways) list->setTextElideMode(Qt::ElideNone);
      list->setVerticalScrollBarPolicy((control.style & StyleVScroll) ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAsNeeded);
      if (control.style & StyleNotify) {
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, id, list] { SendCommand(id, list, LBN_DBLCLK); });
        connect(list, &QListWidget::currentRowChanged, this,
                [this, id, list] { SendCommand(id, list, 1); });
        connect(list, &QListWidget::itemChanged, this,
                [this, id, list] { SendCommand(id, list, LBN_CHECKCHANGE); });
      }
      if (control.style & StyleMarks) {
        list->setItemDelegate(CreateMarkMarginDelegate(list));
        list->setProperty(kMarkMarginProperty, true);
      }
      return list;
    }
    case ControlKind::TabControl: {
      auto* tabs = new QTabBar(area);
      connect(tabs, &QTabBar::currentChanged, this, [this, id, tabs] { SendCommand(id, tabs, 0); });
      return tabs;
    }
  }
  return new QWidget(area);
}

// A label names the field after it for assistive technology: a buddy does
// that for fields, but a list is named only by its accessible name.
void TemplateDialog::ConnectBuddies(const DialogTemplate& dialog) {
  for (const ControlTemplate& control : dialog.controls) {
    if (control.kind != ControlKind::Label || control.buddy == 0) continue;
    auto* label = qobject_cast<QLabel*>(Control(control.id));
    QWidget* field = Control(control.buddy);
    if (field == nullptr) continue;
    if (label != nullptr) label->setBuddy(field);
    if (qobject_cast<QListWidget*>(field) != nullptr)
      field->setAccessibleName(WithoutMnemonic(control.text));
  }
}

// One key, one action: Qt hands an Alt+letter that a button and a menu
// title share to each in turn, so the key would alternate between them. The
// button keeps the letter; the menu title loses its mnemonic (its text reads
// the same) and is reached through the menu bar itself.
void TemplateDialog::BuildMenu(const MenuTemplate& menu, QMenuBar* bar,
                               const QString& buttonMnemonics) {
  for (const PopupTemplate& popup : menu) {
    const QChar letter = MnemonicOf(popup.title);
    const bool taken = !letter.isNull() && buttonMnemonics.contains(letter);
    QMenu* pull =
        bar->addMenu(taken ? WithoutMnemonic(popup.title) : QString::fromUtf8(popup.title));
    for (const MenuItemTemplate& item : popup.items) {
      if (item.id == 0) {
        pull->addSeparator();
        continue;
      }
      QAction* action = pull->addAction(QString::fromUtf8(item.text));
      if (item.shortcut != nullptr)
        action->setShortcut(QKeySequence(QString::fromUtf8(item.shortcut)));
      const int id = item.id;
      connect(action, &QAction::triggered, this, [this, id] { SendCommand(id, nullptr, 0); });
      actions_.insert(id, action);
    }
  }
}

void TemplateDialog::Initialise() {
  if (initialised_) return;
  initialised_ = true;
  if (procedures_.onInit) procedures_.onInit(this);
  // The procedure may have given a control a longer text ("Enter Address
  // to go to:" in the search dialog).
  if (FitTexts() && centred_) Centre();
}

void TemplateDialog::SendCommand(int id, QWidget* control, int code) {
  if (procedures_.onCommand) procedures_.onCommand(this, id, control, code);
}

void TemplateDialog::End(int result) {
  ending_ = true;
  done(result);
  if (testAttribute(Qt::WA_DeleteOnClose)) deleteLater();
}

// Escape is the Cancel command, as in any dialog; only the procedure decides
// whether the dialog ends.
void TemplateDialog::reject() {
  SendCommand(IDCANCEL, nullptr, 0);
}

void TemplateDialog::closeEvent(QCloseEvent* event) {
  if (ending_) {
    event->accept();
    return;
  }
  event->ignore();
  if (procedures_.onClose)
    procedures_.onClose(this);
  else
    SendCommand(IDCANCEL, nullptr, 0);
}

TemplateDialog* DialogOf(WindowHandle handle) {
  for (auto* widget = static_cast<QWidget*>(handle); widget != nullptr;
       widget = widget->parentWidget())
    if (auto* dialog = qobject_cast<TemplateDialog*>(widget)) return dialog;
  return nullptr;
}
