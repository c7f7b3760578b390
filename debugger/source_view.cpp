#include "debugger/source_view.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/loaded_symbols.h"
#include "debugger/tool_commands.h"

WindowHandle hWndSource = nullptr;

namespace {

const DialogTemplate SourceDialog{
    600,
    "Source",
    300,
    236,
    DialogNone,
    {
        {IDC_SOURCE_LABEL, ControlKind::Label, "Source:", StyleNone, 4, 4, 30, 9, IDC_SOURCE_LINES},
        {IDC_SOURCE_PLACE, ControlKind::Label, "", StyleNone, 36, 4, 260, 9},
        {IDC_SOURCE_LINES, ControlKind::ListBox, nullptr,
         StyleVScroll | StyleHScroll | StyleNotify | StyleFixedPitch, 4, 16, 292, 216},
    }};

constexpr int kTabWidth = 8;

// The file on show: its index in the symbols' files and its lines.
struct ShownFile {
  int file = -1;
  std::vector<std::string> lines;
};
ShownFile shown;

std::string ExpandTabs(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\t')
      out.append(kTabWidth - out.size() % kTabWidth, ' ');
    else if (c != '\r')
      out += c;
  }
  return out;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(ExpandTabs(line));
  return lines;
}

// Fills the list with file's lines, numbered; false when it cannot be read.
bool ShowFile(int file) {
  if (shown.file == file) return true;
  shown = ShownFile{};
  ListBoxReset(hWndSource, IDC_SOURCE_LINES);
  const std::string& name = LoadedSymbols.Files()[file];
  const std::string path = FindSourceFile(name, LoadedSymbols.folder);
  std::optional<std::vector<std::string>> lines;
  if (!path.empty()) lines = ReadLines(path);
  if (!lines) return false;
  shown.file = file;
  shown.lines = std::move(*lines);
  char number[24];
  for (std::size_t i = 0; i < shown.lines.size(); ++i) {
    std::snprintf(number, sizeof number, "%5zu  ", i + 1);
    ListBoxAddString(hWndSource, IDC_SOURCE_LINES, number + shown.lines[i]);
  }
  return true;
}

void SayNothingShown(const std::string& why) {
  shown = ShownFile{};
  ListBoxReset(hWndSource, IDC_SOURCE_LINES);
  SetDlgItemText(hWndSource, IDC_SOURCE_PLACE, why);
}

// The address a listing line begins with.
std::optional<unsigned> SelectedListingAddress() {
  if (hWndMain == nullptr) return std::nullopt;
  const std::optional<std::string> line =
      ListBoxGetText(hWndMain, IDC_LISTING, ListBoxGetCurSel(hWndMain, IDC_LISTING));
  if (!line || line->size() < 5 || (*line)[4] != ':') return std::nullopt;
  // The digits are kept in a string of their own: strtoul's end pointer
  // points into it and is read after the call.
  const std::string digits = line->substr(0, 4);
  char* end = nullptr;
  const unsigned long address = std::strtoul(digits.c_str(), &end, 16);
  if (end == nullptr || *end != '\0') return std::nullopt;
  return static_cast<unsigned>(address);
}

std::string FileName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

// A double click: the code of the clicked line becomes the breakpoint line.
void SetBreakpointAtClickedLine() {
  const int row = ListBoxGetCurSel(hWndSource, IDC_SOURCE_LINES);
  if (row < 0 || shown.file < 0 || hWndMain == nullptr) return;
  const std::vector<unsigned> addresses =
      LoadedSymbols.AddressesOfLine({shown.file, row + 1}, CurrentProgramView());
  if (addresses.empty()) {
    SetDlgItemText(hWndSource, IDC_SOURCE_PLACE,
                   FileName(LoadedSymbols.Files()[shown.file]) + ", line " +
                       std::to_string(row + 1) + ": no code");
    return;
  }
  Debug_SetBreakpointAt(hWndMain, static_cast<unsigned short>(addresses.front()));
}

void Source_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int codeNotify) {
  if (id == IDC_SOURCE_LINES && codeNotify == LBN_DBLCLK) SetBreakpointAtClickedLine();
  if (id == IDCANCEL) SendCloseRequest(hdWnd);
}

void Source_OnClose(WindowHandle hdWnd) {
  hWndSource = nullptr;
  shown = ShownFile{};
  EndDialog(hdWnd, 0);
}

}  // namespace

std::string FindSourceFile(const std::string& name, const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ignored;
  const fs::path given(name);
  const fs::path candidates[] = {given, fs::path(folder) / given,
                                 fs::path(folder) / given.filename()};
  for (const fs::path& candidate : candidates)
    if (!candidate.empty() && fs::is_regular_file(candidate, ignored)) return candidate.string();
  return {};
}

void RefreshSourceView() {
  if (hWndSource == nullptr) return;
  const std::optional<unsigned> address = SelectedListingAddress();
  if (!address) return;  // the listing is being rebuilt: keep what is shown
  if (LoadedSymbols.Empty()) return SayNothingShown("The image has no debug information.");
  const std::optional<SourceLocation> at = LoadedSymbols.LineAt(*address, CurrentProgramView());
  char where[64];
  std::snprintf(where, sizeof where, "No source line for $%04X.", *address);
  if (!at) return SayNothingShown(where);
  const std::string& name = LoadedSymbols.Files()[at->file];
  if (!ShowFile(at->file)) return SayNothingShown("Source file not found: " + name);
  SetDlgItemText(hWndSource, IDC_SOURCE_PLACE,
                 FileName(name) + ", line " + std::to_string(at->line));
  ListBoxSetCurSel(hWndSource, IDC_SOURCE_LINES, at->line - 1);
}

void CloseSourceView() {
  if (hWndSource != nullptr) SendCloseRequest(hWndSource);
}

void Debug_ViewSource(WindowHandle hdWnd) {
  if (hWndSource != nullptr) {
    FocusWindow(hWndSource);
    return;
  }
  hWndSource =
      CreateModelessDialog(SourceDialog, hdWnd, {nullptr, Source_OnCommand, Source_OnClose});
  if (hWndSource == nullptr) return;
  SetWindowIcons(hWndSource, 105);
  PlaceWindowBeside(hWndSource, hdWnd);
  RefreshSourceView();
}
