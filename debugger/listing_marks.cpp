#include "debugger/listing_marks.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "debugger/breakpoints.h"
#include "debugger/debug_dialog_template.h"
#include "platform/list_marks.h"

namespace {

// The address a listing line or the PC field ("0x%04X") shows.
std::optional<unsigned> HexAt(const std::string& text, std::size_t at) {
  if (text.size() < at + 4) return std::nullopt;
  char* end = nullptr;
  const std::string digits = text.substr(at, 4);
  const unsigned long value = std::strtoul(digits.c_str(), &end, 16);
  if (end != digits.c_str() + 4) return std::nullopt;
  return static_cast<unsigned>(value);
}

std::optional<unsigned> LineAddress(const std::string& line) {
  if (line.size() < 5 || line[4] != ':') return std::nullopt;
  return HexAt(line, 0);
}

}  // namespace

void MarkListing(WindowHandle hdWnd) {
  std::vector<AddressRange> executed;
  for (const Breakpoint& entry : Breakpoints.Entries())
    if (entry.enabled && (entry.kinds & cpu::watch::kExecute)) executed.push_back(entry.range);
  const std::optional<unsigned> pc = HexAt(GetDlgItemText(hdWnd, IDC_PC), 2);
  const int count = ListBoxCount(hdWnd, IDC_LISTING);
  for (int index = 0; index < count; ++index) {
    unsigned marks = MarkNone;
    if (const std::optional<unsigned> address =
            LineAddress(ListBoxGetText(hdWnd, IDC_LISTING, index).value_or(""))) {
      if (address == pc) marks |= MarkCurrent;
      for (const AddressRange& range : executed)
        if (range.Holds(*address)) marks |= MarkBreakpoint;
    }
    ListBoxSetMarks(hdWnd, IDC_LISTING, index, marks);
  }
}
