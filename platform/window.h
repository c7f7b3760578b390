#pragma once
// The window and dialog services the debugger and the emulation call. Windows
// are opaque handles; controls are reached by identifier, as in a dialog.
// Everything here runs on the UI thread; other threads post (ui_thread.h).

#include <functional>
#include <optional>
#include <string>

#include "platform/dialog_template.h"

using WindowHandle = void*;

// Identifiers the dialog manager itself sends.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;    // Escape and the close box of a dialog
constexpr int LBN_DBLCLK = 2;  // notification code of a list-box double click
constexpr int EN_RETURN = 4;   // Enter in an edit field built with StyleNotify

// The procedures of one dialog, named after the dialog in its callers
// (Debug_OnInit, Debug_OnCommand, Debug_OnClose).
struct DialogProcedures {
  std::function<void(WindowHandle dialog)> onInit;
  // Buttons, menu items with the same identifier, and control notifications.
  std::function<void(WindowHandle dialog, int id, WindowHandle control, int codeNotify)> onCommand;
  // The close request (close box, window manager, SendCloseRequest). Without
  // a handler the dialog gets IDCANCEL through onCommand.
  std::function<void(WindowHandle dialog)> onClose;
};

// Runs a modal dialog and returns the value given to EndDialog; -1 when the
// dialog could not be created.
int RunModalDialog(const DialogTemplate& dialog, WindowHandle owner,
                   const DialogProcedures& procedures);
// Creates and shows a modeless dialog; nullptr on failure.
WindowHandle CreateModelessDialog(const DialogTemplate& dialog, WindowHandle owner,
                                  const DialogProcedures& procedures);
void EndDialog(WindowHandle dialog, int result);
// As the close box does: the dialog's onClose runs.
void SendCloseRequest(WindowHandle window);
void DestroyWindow(WindowHandle window);

// Controls by identifier.
WindowHandle GetDlgItem(WindowHandle dialog, int id);
void SetDlgItemText(WindowHandle dialog, int id, const std::string& text);
std::string GetDlgItemText(WindowHandle dialog, int id);
void SetDlgItemUnsigned(WindowHandle dialog, int id, unsigned int value);
void CheckDlgButton(WindowHandle dialog, int id, bool checked);
bool IsDlgButtonChecked(WindowHandle dialog, int id);
void CheckRadioButton(WindowHandle dialog, int firstId, int lastId, int checkId);
// Enables or disables the control and the menu item with this identifier.
void EnableCommand(WindowHandle dialog, int id, bool enabled);
bool IsCommandEnabled(WindowHandle dialog, int id);
// The tip the control and the menu item with this identifier show (why it
// is disabled, say).
void SetCommandTip(WindowHandle dialog, int id, const std::string& tip);
std::string CommandTip(WindowHandle dialog, int id);

// List box operations.
void ListBoxAddString(WindowHandle dialog, int id, const std::string& line);
void ListBoxReset(WindowHandle dialog, int id);
int ListBoxCount(WindowHandle dialog, int id);
void ListBoxSetCurSel(WindowHandle dialog, int id, int index);
int ListBoxGetCurSel(WindowHandle dialog, int id);  // -1 when nothing is selected
std::optional<std::string> ListBoxGetText(WindowHandle dialog, int id, int index);
// The first line after `startAfter` that begins with prefix, wrapping round
// to the top; -1 when none does. startAfter -1 searches from the top.
int ListBoxFindString(WindowHandle dialog, int id, int startAfter, const std::string& prefix);

// Tab controls: inserts a tab with text at index; returns its index, or -1
// when the control is not a tab control.
int TabControlInsertItem(WindowHandle dialog, int id, int index, const std::string& text);
int TabControlGetCurSel(WindowHandle dialog, int id);

// After a control's text has grown (a list's longer lines): widens the
// controls that no longer show their whole text, and the dialog with them,
// as the dialog does when it is built. Never narrows, so a dialog settles.
void FitDialogToTexts(WindowHandle dialog);

void SetWindowTitle(WindowHandle window, const std::string& title);
std::string GetWindowTitle(WindowHandle window);
// Icon resources 101 (the program) and 105 (the viewers).
void SetWindowIcons(WindowHandle window, int iconId);
// Raises the window and gives it the keyboard focus.
void FocusWindow(WindowHandle window);
// Moves the window to the right of anchor's window, or to its left when the
// screen has no room on the right; where it is when neither side has room.
void PlaceWindowBeside(WindowHandle window, WindowHandle anchor);

// Converts dialog units to pixels for the given font's average character
// size: x * width / 4, y * height / 8.
struct DialogUnits {
  int baseWidth;
  int baseHeight;
};
// The base a dialog's dialog units were converted with.
DialogUnits DialogBaseUnits(WindowHandle dialog);
int DialogUnitsToPixelsX(int units, const DialogUnits& base);
int DialogUnitsToPixelsY(int units, const DialogUnits& base);
