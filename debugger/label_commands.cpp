#include "debugger/label_commands.h"

#include <optional>

#include "debugger/debug_window.h"
#include "debugger/loaded_symbols.h"
#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"
#include "platform/message_box.h"

namespace {

constexpr std::size_t kFieldLength = 39;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ReadsAsName(const std::string& text) {
  if (text.empty()) return false;
  const char first = text[0];
  const bool nameStart = (first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z') ||
                         first == '_' || first == '@' || first == '.' || first == ':';
  const bool allHex = text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
  return nameStart && !allHex;
}

}  // namespace

std::string NoLabelText(const std::string& name) {
  return "No label '" + name + "'";
}

TypedName ResolveTypedLabel(WindowHandle owner, const std::string& text, unsigned& address) {
  const std::string name = Trimmed(text);
  if (const std::optional<unsigned> found = LoadedSymbols.AddressOf(name)) {
    address = *found;
    return TypedName::Label;
  }
  if (!ReadsAsName(name)) return TypedName::NotAName;
  ShowMessage(owner, NoLabelText(name), "Taviro", MessageIcon::Exclamation);
  return TypedName::Unknown;
}

void Edit_BreakAtLabel_OnInit(WindowHandle hdWnd) {
  SetWindowTitle(hdWnd, "Breakpoint at Label");
  SetDlgItemText(hdWnd, IDC_SEARCH_LABEL, "Enter Label:");
}

// An unknown name leaves the dialog open, so that the name can be mended.
void Edit_BreakAtLabel_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  if (id == IDOK) {
    const std::string text = GetDlgItemText(hdWnd, IDC_SEARCH_TEXT).substr(0, kFieldLength);
    unsigned address = 0;
    const TypedName typed = ResolveTypedLabel(hdWnd, text, address);
    if (typed == TypedName::NotAName) {
      ShowMessage(hdWnd, NoLabelText(Trimmed(text)), "Taviro", MessageIcon::Exclamation);
      return;
    }
    if (typed == TypedName::Unknown) return;
    EndDialog(hdWnd, 0);
    if (hWndMain != nullptr) Debug_SetBreakpointAt(hWndMain, static_cast<unsigned short>(address));
  } else if (id == IDCANCEL) {
    EndDialog(hdWnd, 0);
  }
}

void Edit_BreakAtLabel_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}

DialogProcedures Edit_BreakAtLabel_DlgProc() {
  return {Edit_BreakAtLabel_OnInit, Edit_BreakAtLabel_OnCommand, Edit_BreakAtLabel_OnClose};
}

void Debug_BreakAtLabel(WindowHandle hdWnd) {
  RunModalDialog(SearchDialog, hdWnd, Edit_BreakAtLabel_DlgProc());
}
