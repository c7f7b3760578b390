#include "debugger/edit_search.h"

#include <optional>

#include "cpu/cpu.h"
#include "debugger/debug_window.h"
#include "debugger/hex_field.h"
#include "debugger/hex_number.h"
#include "debugger/label_commands.h"
#include "debugger/loaded_symbols.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_refusals.h"
#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"
#include "platform/message_box.h"

std::string SearchStr;
long SearchPos = 0;

namespace {

constexpr int kListing = 201;
constexpr std::size_t kFieldLength = 39;

void SayNotFound(WindowHandle owner) {
  ShowMessage(owner, "Search string not found", "Taviro", MessageIcon::Exclamation);
}

}  // namespace

long SearchForStr(const char* str, long StartVal) {
  const long count = ListBoxCount(hWndMain, kListing);
  if (count <= StartVal) return -1;
  for (long line = StartVal < 0 ? 0 : StartVal; line < count; ++line) {
    const std::string text =
        ListBoxGetText(hWndMain, kListing, static_cast<int>(line)).value_or("");
    if (text.find(str) != std::string::npos) return line;
  }
  return -1;
}

void Edit_Search_OnInit(WindowHandle hdWnd) {
  SetWindowTitle(hdWnd, "Find string");
  SetDlgItemText(hdWnd, IDC_SEARCH_TEXT, SearchStr);
}

void Edit_Search_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  if (id == IDOK) {
    SearchStr = GetDlgItemText(hdWnd, IDC_SEARCH_TEXT).substr(0, kFieldLength);
    SearchPos = SearchForStr(SearchStr.c_str(), 0);
    if (SearchPos != -1)
      ListBoxSetCurSel(hWndMain, kListing, static_cast<int>(SearchPos));
    else
      SayNotFound(hdWnd);
    EndDialog(hdWnd, 0);
  } else if (id == IDCANCEL) {
    EndDialog(hdWnd, 0);
  }
}

void Edit_Search_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}

// Below the last match; after a failed search SearchPos is -1, so the next
// one starts again at the top.
void Edit_FindAgain(WindowHandle hdWnd) {
  SearchPos = SearchForStr(SearchStr.c_str(), SearchPos + 1);
  if (SearchPos != -1)
    ListBoxSetCurSel(hWndMain, kListing, static_cast<int>(SearchPos));
  else
    SayNotFound(hdWnd);
}

void Edit_Goto_OnInit(WindowHandle hdWnd) {
  SetWindowTitle(hdWnd, "Goto Address");
  SetDlgItemText(hdWnd, IDC_SEARCH_LABEL, "Enter Address to go to:");
}

// The listing borrows PC to disassemble from the typed address; PC is put
// back, so registers and the info panel do not change. A label of the loaded
// symbols goes where its address would; a name that is no label leaves the
// dialog open to be mended.
// An address that is no number, or lies beyond $FFFF, is refused naming the
// field; the dialog stays open and the listing is not moved.
const HexField GotoAddressField{IDC_SEARCH_TEXT,
                                kFieldLength,
                                "Address",
                                "a hexadecimal address from 0 to FFFF, such as C000",
                                0,
                                0xFFFF};

// Without symbols every text is read as a number, so that a mistyped one
// is refused naming the field.
std::optional<std::int32_t> TypedGotoAddress(WindowHandle hdWnd) {
  if (LoadedSymbols.Empty()) return ReadHexField(hdWnd, GotoAddressField);
  const std::string text = GetDlgItemText(hdWnd, IDC_SEARCH_TEXT).substr(0, kFieldLength);
  unsigned label = 0;
  switch (ResolveTypedLabel(hdWnd, text, label)) {
    case TypedName::Label:
      return static_cast<std::int32_t>(label & 0xFFFF);
    case TypedName::Unknown:
      return std::nullopt;
    case TypedName::NotAName:
      break;
  }
  return ReadHexField(hdWnd, GotoAddressField);
}

void Edit_Goto_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  if (id == IDOK) {
    const std::optional<std::int32_t> address = TypedGotoAddress(hdWnd);
    if (!address) return;
    const bool done = machine::Borrow([&address] {
      const unsigned short pc = CPU.PC;
      CPU.PC = static_cast<unsigned short>(*address);
      DisassembleROM();
      CPU.PC = pc;
    });
    if (!done) ShowMessage(hdWnd, kMachineBusyText, "Taviro", MessageIcon::Exclamation);
    EndDialog(hdWnd, 0);
  } else if (id == IDCANCEL) {
    EndDialog(hdWnd, 0);
  }
}

void Edit_Goto_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}

DialogProcedures Edit_Search_DlgProc() {
  return {Edit_Search_OnInit, Edit_Search_OnCommand, Edit_Search_OnClose};
}
DialogProcedures Edit_Goto_DlgProc() {
  return {Edit_Goto_OnInit, Edit_Goto_OnCommand, Edit_Goto_OnClose};
}

void Debug_SearchROM(WindowHandle hdWnd) {
  RunModalDialog(SearchDialog, hdWnd, Edit_Search_DlgProc());
}

// Goto borrows the CPU's PC, so no other thread may be running it.
void Debug_GotoAddress(WindowHandle hdWnd) {
  if (!MachineFreeOrSay(hdWnd)) return;
  RunModalDialog(SearchDialog, hdWnd, Edit_Goto_DlgProc());
}
