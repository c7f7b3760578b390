#pragma once
// A dialog built from a DialogTemplate: every control at its place in
// dialog units, reached by identifier, with the menu of the template. Every
// button, menu item and notification goes to the one command procedure.

#include <QDialog>
#include <QHash>
#include <QList>

#include "platform/window.h"

class QAction;
class QMenuBar;
class QObject;
class QStyledItemDelegate;

// Draws the marks of list_marks.h in a list's left margin, one line high;
// the list carries the property kMarkMarginProperty (true) meanwhile.
QStyledItemDelegate* CreateMarkMarginDelegate(QObject* parent);
inline constexpr const char* kMarkMarginProperty = "taviroMarkMargin";

class TemplateDialog : public QDialog {
  Q_OBJECT

 public:
  TemplateDialog(const DialogTemplate& dialog, QWidget* owner, const DialogProcedures& procedures);

  QWidget* Control(int id) const { return controls_.value(id, nullptr); }
  QList<QAction*> Actions(int id) const { return actions_.values(id); }
  const DialogUnits& Units() const { return units_; }

  // Ends the dialog: a modal one returns result from exec(), a modeless one
  // closes. The close procedure does not run again.
  void End(int result);
  // Runs the initialisation procedure once, before the dialog is first shown.
  void Initialise();
  void SendCommand(int id, QWidget* control, int code);
  // Widens what a text no longer fits, growing the dialog; whether it grew.
  bool FitTexts();

 protected:
  void reject() override;  // Escape
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls(const DialogTemplate& dialog, QWidget* area);
  QWidget* BuildControl(const ControlTemplate& control, QWidget* area);
  void BuildMenu(const MenuTemplate& menu, QMenuBar* bar, const QString& buttonMnemonics);
  void ConnectBuddies(const DialogTemplate& dialog);
  void Centre();

  DialogProcedures procedures_;
  DialogUnits units_{};
  QHash<int, QWidget*> controls_;
  QList<QWidget*> allControls_;  // in template order, labels without an id too
  QWidget* area_ = nullptr;
  bool centred_ = false;
  QMultiHash<int, QAction*> actions_;
  bool ending_ = false;
  bool initialised_ = false;
};

// The dialog a handle belongs to (the handle of a dialog or of one of its
// controls), or nullptr.
TemplateDialog* DialogOf(WindowHandle handle);
