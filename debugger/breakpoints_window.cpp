#include "debugger/breakpoints_window.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "debugger/breakpoints.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/listing_marks.h"
#include "debugger/loaded_symbols.h"
#include "platform/list_marks.h"
#include "platform/message_box.h"

WindowHandle hWndBreakpoints = nullptr;

namespace {

using K = ControlKind;

const DialogTemplate BreakpointsDialog{
    700,
    "Breakpoints",
    262,
    180,
    DialogNone,
    {
        {IDC_BP_ADDRESS_LABEL, K::Label, "&Address:", StyleNone, 6, 8, 40, 9, IDC_BP_ADDRESS},
        {IDC_BP_ADDRESS, K::EditField, "", StyleNotify, 48, 6, 96, 13},
        {IDC_BP_CONDITION_LABEL, K::Label, "C&ondition:", StyleNone, 6, 26, 40, 9,
         IDC_BP_CONDITION},
        {IDC_BP_CONDITION, K::EditField, "", StyleNotify, 48, 24, 150, 13},
        {IDC_BP_EXECUTE, K::CheckBox, "E&xecute", StyleNone, 48, 43, 44, 10},
        {IDC_BP_READ, K::CheckBox, "&Read", StyleNone, 96, 43, 36, 10},
        {IDC_BP_WRITE, K::CheckBox, "&Write", StyleNone, 136, 43, 40, 10},
        {IDC_BP_ADD, K::PushButton, "A&dd", StyleNone, 206, 6, 50, 14},
        {IDC_BP_CHANGE, K::PushButton, "&Change", StyleNone, 206, 24, 50, 14},
        {IDC_BP_REMOVE, K::PushButton, "Re&move", StyleNone, 206, 42, 50, 14},
        {IDC_BP_ENTRIES_LABEL, K::Label, "E&ntries:", StyleNone, 6, 62, 60, 9, IDC_BP_ENTRIES},
        {IDC_BP_ENTRIES, K::ListBox, nullptr, StyleVScroll | StyleNotify | StyleFixedPitch, 6, 73,
         250, 101},
    }};

// The entry of each line of the list, in its order.
std::vector<int> lineIds;

unsigned int KindsChecked() {
  unsigned int kinds = 0;
  if (IsDlgButtonChecked(hWndBreakpoints, IDC_BP_EXECUTE)) kinds |= cpu::watch::kExecute;
  if (IsDlgButtonChecked(hWndBreakpoints, IDC_BP_READ)) kinds |= cpu::watch::kRead;
  if (IsDlgButtonChecked(hWndBreakpoints, IDC_BP_WRITE)) kinds |= cpu::watch::kWrite;
  return kinds;
}

// The entry the fields describe, or nullopt once the refusal has been said.
std::optional<Breakpoint> BreakpointFromFields() {
  const std::string address =
      ResolveBreakpointLabels(GetDlgItemText(hWndBreakpoints, IDC_BP_ADDRESS));
  std::string message;
  std::optional<Breakpoint> breakpoint = MakeBreakpoint(
      address, GetDlgItemText(hWndBreakpoints, IDC_BP_CONDITION), KindsChecked(), &message);
  if (!breakpoint) ShowMessage(hWndBreakpoints, message, "Taviro", MessageIcon::Exclamation);
  return breakpoint;
}

int SelectedId() {
  const int line = ListBoxGetCurSel(hWndBreakpoints, IDC_BP_ENTRIES);
  return line >= 0 && line < static_cast<int>(lineIds.size()) ? lineIds[line] : 0;
}

// The list changed: the window and the listing's marks show it.
void ListChanged() {
  RefreshBreakpointsWindow();
  if (hWndMain != nullptr) MarkListing(hWndMain);
}

void AddFromFields() {
  if (std::optional<Breakpoint> breakpoint = BreakpointFromFields()) {
    Breakpoints.Add(std::move(*breakpoint));
    ListChanged();
    ListBoxSetCurSel(hWndBreakpoints, IDC_BP_ENTRIES, static_cast<int>(lineIds.size()) - 1);
  }
}

void ChangeSelected() {
  const int id = SelectedId();
  if (id == 0) return;
  if (std::optional<Breakpoint> breakpoint = BreakpointFromFields()) {
    const int line = ListBoxGetCurSel(hWndBreakpoints, IDC_BP_ENTRIES);
    Breakpoints.Replace(id, std::move(*breakpoint));
    ListChanged();
    ListBoxSetCurSel(hWndBreakpoints, IDC_BP_ENTRIES, line);
  }
}

void RemoveSelected() {
  const int line = ListBoxGetCurSel(hWndBreakpoints, IDC_BP_ENTRIES);
  if (SelectedId() == 0 || !Breakpoints.Remove(SelectedId())) return;
  ListChanged();
  ListBoxSetCurSel(hWndBreakpoints, IDC_BP_ENTRIES,
                   std::min(line, static_cast<int>(lineIds.size()) - 1));
}

std::string RangeText(const AddressRange& range) {
  char text[16];
  if (range.first == range.last)
    std::snprintf(text, sizeof text, "$%04X", range.first);
  else
    std::snprintf(text, sizeof text, "$%04X-$%04X", range.first, range.last);
  return text;
}

// A selected entry fills the fields, ready for Change.
void ShowSelected() {
  const int id = SelectedId();
  for (const Breakpoint& entry : Breakpoints.Entries()) {
    if (entry.id != id) continue;
    SetDlgItemText(hWndBreakpoints, IDC_BP_ADDRESS, RangeText(entry.range));
    SetDlgItemText(hWndBreakpoints, IDC_BP_CONDITION, entry.conditionText);
    CheckDlgButton(hWndBreakpoints, IDC_BP_EXECUTE, entry.kinds & cpu::watch::kExecute);
    CheckDlgButton(hWndBreakpoints, IDC_BP_READ, entry.kinds & cpu::watch::kRead);
    CheckDlgButton(hWndBreakpoints, IDC_BP_WRITE, entry.kinds & cpu::watch::kWrite);
  }
}

// The user toggled a line's check: that entry is enabled or not.
void TakeChecks() {
  for (std::size_t line = 0; line < lineIds.size(); ++line)
    Breakpoints.SetEnabled(
        lineIds[line], ListBoxGetCheck(hWndBreakpoints, IDC_BP_ENTRIES, static_cast<int>(line)));
  ListChanged();
}

void Breakpoints_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int codeNotify) {
  switch (id) {
    case IDC_BP_ADD:
      AddFromFields();
      break;
    case IDC_BP_ADDRESS:
    case IDC_BP_CONDITION:
      if (codeNotify == EN_RETURN) AddFromFields();
      break;
    case IDC_BP_CHANGE:
      ChangeSelected();
      break;
    case IDC_BP_REMOVE:
      RemoveSelected();
      break;
    case IDC_BP_ENTRIES:
      if (codeNotify == LBN_CHECKCHANGE)
        TakeChecks();
      else if (codeNotify != LBN_DBLCLK)
        ShowSelected();
      break;
    case IDCANCEL:
      SendCloseRequest(hdWnd);
      break;
    default:
      break;
  }
}

void Breakpoints_OnClose(WindowHandle hdWnd) {
  hWndBreakpoints = nullptr;
  lineIds.clear();
  EndDialog(hdWnd, 0);
}

// One label name at text[pos...]: letters, digits, '_', '@' and '.'.
bool LabelCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '@' || c == '.';
}

}  // namespace

std::string ResolveBreakpointLabels(const std::string& text) {
  if (LoadedSymbols.Empty()) return text;
  std::string resolved;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!LabelCharacter(text[pos])) {
      resolved += text[pos++];
      continue;
    }
    std::size_t end = pos;
    while (end < text.size() && LabelCharacter(text[end])) ++end;
    const std::string word = text.substr(pos, end - pos);
    char address[8];
    const std::optional<unsigned> found = LoadedSymbols.AddressOf(word);
    // A word that is also a hex number ("add" is both) is a label only when
    // the symbols name it.
    if (found) {
      std::snprintf(address, sizeof address, "$%04X", *found & 0xFFFF);
      resolved += address;
    } else {
      resolved += word;
    }
    pos = end;
  }
  return resolved;
}

void RefreshBreakpointsWindow() {
  if (hWndBreakpoints == nullptr) return;
  const int selected = ListBoxGetCurSel(hWndBreakpoints, IDC_BP_ENTRIES);
  ListBoxReset(hWndBreakpoints, IDC_BP_ENTRIES);
  lineIds.clear();
  for (const Breakpoint& entry : Breakpoints.Entries()) {
    ListBoxAddString(hWndBreakpoints, IDC_BP_ENTRIES, DescribeBreakpoint(entry));
    ListBoxSetCheck(hWndBreakpoints, IDC_BP_ENTRIES, static_cast<int>(lineIds.size()),
                    entry.enabled);
    lineIds.push_back(entry.id);
  }
  if (selected < static_cast<int>(lineIds.size()))
    ListBoxSetCurSel(hWndBreakpoints, IDC_BP_ENTRIES, selected);
}

void CloseBreakpointsWindow() {
  if (hWndBreakpoints != nullptr) SendCloseRequest(hWndBreakpoints);
}

void Debug_Breakpoints(WindowHandle hdWnd) {
  if (hWndBreakpoints != nullptr) {
    FocusWindow(hWndBreakpoints);
    return;
  }
  hWndBreakpoints = CreateModelessDialog(BreakpointsDialog, hdWnd,
                                         {nullptr, Breakpoints_OnCommand, Breakpoints_OnClose});
  if (hWndBreakpoints == nullptr) return;
  SetWindowIcons(hWndBreakpoints, 105);
  CheckDlgButton(hWndBreakpoints, IDC_BP_EXECUTE, true);
  PlaceWindowBeside(hWndBreakpoints, hdWnd);
  RefreshBreakpointsWindow();
}

void Debug_AddLineToBreakpoints(WindowHandle hdWnd) {
  const std::optional<std::string> line =
      ListBoxGetText(hdWnd, IDC_LISTING, ListBoxGetCurSel(hdWnd, IDC_LISTING));
  if (!line || line->size() < 5 || (*line)[4] != ':') {
    ShowMessage(hdWnd, "Select a listing line first.", "Taviro", MessageIcon::Exclamation);
    return;
  }
  std::string message;
  std::optional<Breakpoint> breakpoint =
      MakeBreakpoint(line->substr(0, 4), "", cpu::watch::kExecute, &message);
  if (!breakpoint) return;  // the line's first four characters are always its address
  for (const Breakpoint& entry : Breakpoints.Entries())
    if (entry.kinds == cpu::watch::kExecute && entry.conditionText.empty() &&
        entry.range.first == breakpoint->range.first && entry.range.last == breakpoint->range.last)
      return;  // already there
  Breakpoints.Add(std::move(*breakpoint));
  ListChanged();
}
