#include "debugger/symbol_table.h"

#include <algorithm>
#include <tuple>

bool ProgramView::Holds(unsigned address, long fileOffset) const {
  if (fileOffset < 0) return true;
  // Program data is seen through the windows at $8000-$FFFF only.
  if (address < 0x8000 || address > 0xFFFF || windows == nullptr || program == nullptr)
    return false;
  const long offset = fileOffset - programFileOffset;
  if (offset < 0 || static_cast<std::size_t>(offset) >= programSize) return false;
  const unsigned char* window = windows[(address >> 13) & 3];
  return window != nullptr && window + (address & 0x1FFF) == program + offset;
}

namespace {

// The name after the last scope: "outer::inner::x" gives "x",
// "start@loop" gives "@loop".
std::string ShortName(const std::string& name) {
  const std::size_t scope = name.rfind("::");
  std::string last = scope == std::string::npos ? name : name.substr(scope + 2);
  const std::size_t cheap = last.find('@');
  return cheap == std::string::npos || cheap == 0 ? last : last.substr(cheap);
}

}  // namespace

int SymbolTable::AddFile(std::string path) {
  files_.push_back(std::move(path));
  return static_cast<int>(files_.size()) - 1;
}

void SymbolTable::AddLabel(SymbolLabel label) {
  const std::size_t index = labels_.size();
  labelsByAddress_.emplace(label.address, index);
  labelsByName_.emplace(label.name, index);
  labelsByShortName_.emplace(ShortName(label.name), index);
  labels_.push_back(std::move(label));
}

void SymbolTable::AddSpan(const SourceSpan& span) {
  spans_.push_back(span);
  longestSpan_ = std::max(longestSpan_, span.size);
}

void SymbolTable::SortSpans() {
  std::stable_sort(spans_.begin(), spans_.end(),
                   [](const SourceSpan& a, const SourceSpan& b) { return a.address < b.address; });
}

const SymbolLabel* SymbolTable::LabelAt(unsigned address, const ProgramView& view) const {
  const SymbolLabel* best = nullptr;
  const auto [first, last] = labelsByAddress_.equal_range(address);
  for (auto it = first; it != last; ++it) {
    const SymbolLabel& label = labels_[it->second];
    if (!view.Holds(address, label.fileOffset)) continue;
    const auto key = [](const SymbolLabel& l) { return std::tuple(l.cheapLocal, l.name.size()); };
    if (best == nullptr || key(label) < key(*best)) best = &label;
  }
  return best;
}

std::optional<unsigned> SymbolTable::AddressOf(std::string_view name) const {
  std::string wanted(name);
  if (wanted.rfind("::", 0) == 0) wanted.erase(0, 2);  // the global scope, spelt out
  if (const auto it = labelsByName_.find(wanted); it != labelsByName_.end())
    return labels_[it->second].address;
  if (labelsByShortName_.count(wanted) != 1) return std::nullopt;
  return labels_[labelsByShortName_.find(wanted)->second].address;
}

std::optional<SourceLocation> SymbolTable::LineAt(unsigned address, const ProgramView& view) const {
  // Only spans starting at most longestSpan_ bytes below can cover address.
  const unsigned lowest = address > longestSpan_ ? address - longestSpan_ : 0;
  auto it =
      std::lower_bound(spans_.begin(), spans_.end(), lowest,
                       [](const SourceSpan& span, unsigned value) { return span.address < value; });
  const SourceSpan* best = nullptr;
  for (; it != spans_.end() && it->address <= address; ++it) {
    const unsigned into = address - it->address;
    if (into >= it->size) continue;
    const long offset = it->fileOffset < 0 ? -1 : it->fileOffset + static_cast<long>(into);
    if (!view.Holds(address, offset)) continue;
    if (best == nullptr || std::tie(it->rank, it->size) < std::tie(best->rank, best->size))
      best = &*it;
  }
  if (best == nullptr) return std::nullopt;
  return SourceLocation{best->file, best->line};
}

std::vector<unsigned> SymbolTable::AddressesOfLine(SourceLocation location,
                                                   const ProgramView& view) const {
  std::vector<unsigned> mapped;
  std::vector<unsigned> elsewhere;
  for (const SourceSpan& span : spans_) {
    if (span.file != location.file || span.line != location.line || span.size == 0) continue;
    // The line's bytes are its own only where no better line claims them
    // (a macro body line names the invocation's bytes).
    const std::optional<SourceLocation> shown = LineAt(span.address, view);
    const bool mine = shown && shown->file == location.file && shown->line == location.line;
    if (view.Holds(span.address, span.fileOffset) && mine)
      mapped.push_back(span.address);
    else
      elsewhere.push_back(span.address);
  }
  std::sort(mapped.begin(), mapped.end());
  std::sort(elsewhere.begin(), elsewhere.end());
  mapped.insert(mapped.end(), elsewhere.begin(), elsewhere.end());
  return mapped;
}
