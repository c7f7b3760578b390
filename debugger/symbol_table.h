#pragma once
// The names and source lines of a loaded image, as the linker wrote them:
// labels by address and by name, and the address-to-source-line map. A
// label or line of a banked board belongs to one place in the image's
// program data; it is shown at its address only while that place is the
// one a program window maps there.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// What the program windows map at the moment of a look-up. A default view
// maps nothing, so only names without a bank (RAM, label files) show.
struct ProgramView {
  const unsigned char* const* windows = nullptr;  // the four 8 KB windows from $8000
  const unsigned char* program = nullptr;         // the image's program data
  std::size_t programSize = 0;
  long programFileOffset = 16;  // where the program data starts in the image file

  // True when fileOffset (a place in the image file, -1 for none) is what
  // the windows show at address.
  bool Holds(unsigned address, long fileOffset) const;
};

struct SymbolLabel {
  std::string name;  // qualified: "scope::inner::label", "label@cheap"
  unsigned address = 0;
  long fileOffset = -1;  // the label's byte in the image file; -1 for no bank
  bool cheapLocal = false;
};

// A run of bytes that one source line produced.
struct SourceSpan {
  unsigned address = 0;
  unsigned size = 0;
  long fileOffset = -1;  // of the first byte; -1 for no bank
  int file = 0;          // index into SymbolTable::Files()
  int line = 0;          // 1-based
  int rank = 0;          // lower wins where spans overlap: source lines before macro bodies
};

struct SourceLocation {
  int file = 0;
  int line = 0;
};

class SymbolTable {
 public:
  bool Empty() const { return labels_.empty() && spans_.empty(); }

  int AddFile(std::string path);
  void AddLabel(SymbolLabel label);
  void AddSpan(const SourceSpan& span);
  // Once every span is added, before the first look-up of a line.
  void SortSpans();

  // The label shown at address: of the labels there whose bank is mapped,
  // a normal label before a cheap local one, then the shortest name, then
  // the first read.
  const SymbolLabel* LabelAt(unsigned address, const ProgramView& view) const;
  // The address of a qualified name, or of a short name that only one
  // label has.
  std::optional<unsigned> AddressOf(std::string_view name) const;

  std::optional<SourceLocation> LineAt(unsigned address, const ProgramView& view) const;
  // The addresses whose bytes came from the line, lowest first; those whose
  // bank is mapped come before the others.
  std::vector<unsigned> AddressesOfLine(SourceLocation location, const ProgramView& view) const;

  // The source files as the debug file names them.
  const std::vector<std::string>& Files() const { return files_; }
  // The folder of the file the symbols came from; relative source names
  // are looked for there.
  std::string folder;

 private:
  std::vector<std::string> files_;
  std::vector<SymbolLabel> labels_;
  std::multimap<unsigned, std::size_t> labelsByAddress_;
  std::unordered_multimap<std::string, std::size_t> labelsByName_;
  std::unordered_multimap<std::string, std::size_t> labelsByShortName_;
  std::vector<SourceSpan> spans_;  // by address once sorted
  unsigned longestSpan_ = 0;
};
