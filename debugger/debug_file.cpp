// The ld65 debug file: one record a line, "type<TAB>key=value,key=value".
// Values are numbers (decimal or 0x hex), quoted strings (which may hold
// commas) or lists of ids joined by '+'. Records refer to each other by id
// and may come in any order, so all are read before any is resolved.
// Record types this reader does not use are skipped: newer linkers add them.
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "debugger/symbol_files.h"

namespace {

struct Record {
  int line = 0;
  std::unordered_map<std::string, std::string> fields;
};

// Thrown inside this file only, caught at its entry point.
struct Failure {
  int line;
  std::string reason;
};

std::optional<unsigned long> Number(const std::string& text) {
  int base = 10;
  std::size_t at = 0;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    at = 2;
  }
  if (at >= text.size()) return std::nullopt;
  unsigned long value = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFFFFFFul) return std::nullopt;
  }
  return value;
}

// Splits "key=value,key="quoted, text",..." into fields.
Record ParseFields(std::string_view text, int line) {
  Record record{line, {}};
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t equals = text.find('=', at);
    if (equals == std::string_view::npos) throw Failure{line, "a field without '='"};
    std::string key(text.substr(at, equals - at));
    std::string value;
    at = equals + 1;
    if (at < text.size() && text[at] == '"') {
      for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) ++at;
        value += text[at];
      }
      if (at >= text.size()) throw Failure{line, "a quoted value without its closing quote"};
      ++at;
      if (at < text.size() && text[at] != ',') throw Failure{line, "text after a quoted value"};
    } else {
      const std::size_t comma = text.find(',', at);
      const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
      value = std::string(text.substr(at, end - at));
      at = end;
    }
    if (at < text.size()) ++at;  // the comma
    record.fields[std::move(key)] = std::move(value);
  }
  return record;
}

const std::string* Field(const Record& record, const char* key) {
  const auto it = record.fields.find(key);
  return it == record.fields.end() ? nullptr : &it->second;
}

unsigned long NumberField(const Record& record, const char* key) {
  const std::string* text = Field(record, key);
  if (text == nullptr) throw Failure{record.line, std::string("no ") + key + " field"};
  const std::optional<unsigned long> value = Number(*text);
  if (!value) throw Failure{record.line, std::string("the ") + key + " field is not a number"};
  return *value;
}

std::optional<unsigned long> OptionalNumber(const Record& record, const char* key) {
  if (Field(record, key) == nullptr) return std::nullopt;
  return NumberField(record, key);
}

std::vector<unsigned long> IdList(const Record& record, const char* key) {
  std::vector<unsigned long> ids;
  const std::string* text = Field(record, key);
  if (text == nullptr) return ids;
  std::size_t at = 0;
  while (at <= text->size()) {
    std::size_t plus = text->find('+', at);
    if (plus == std::string::npos) plus = text->size();
    const std::optional<unsigned long> id = Number(text->substr(at, plus - at));
    if (!id) throw Failure{record.line, std::string("the ") + key + " list is not a list of ids"};
    ids.push_back(*id);
    at = plus + 1;
  }
  return ids;
}

// The records of one type by id.
using ById = std::map<unsigned long, Record>;  // in id order, so ties resolve alike every time

struct Records {
  std::optional<Record> version;
  ById files, segments, spans, scopes, symbols, lines;
};

void Collect(std::string_view text, Records& records) {
  const std::unordered_map<std::string, ById Records::*> kinds = {
      {"file", &Records::files},   {"seg", &Records::segments}, {"span", &Records::spans},
      {"scope", &Records::scopes}, {"sym", &Records::symbols},  {"line", &Records::lines},
  };
  std::size_t at = 0;
  for (int number = 1; at < text.size(); ++number) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) throw Failure{number, "a record without its fields"};
    const std::string type(line.substr(0, tab));
    Record record = ParseFields(line.substr(tab + 1), number);
    if (type == "version") {
      records.version = std::move(record);
      continue;
    }
    const auto kind = kinds.find(type);
    if (kind == kinds.end()) continue;
    ById& table = records.*(kind->second);
    const unsigned long id = NumberField(record, "id");
    if (!table.emplace(id, std::move(record)).second)
      throw Failure{number, type + " " + std::to_string(id) + " is defined twice"};
  }
}

const Record& Find(const ById& table, unsigned long id, const Record& from, const char* kind) {
  const auto it = table.find(id);
  if (it == table.end())
    throw Failure{from.line, std::string("no ") + kind + " " + std::to_string(id)};
  return it->second;
}

struct Segment {
  unsigned long start;
  long fileOffset;  // -1 when the segment is not read-only data in the image
};

Segment SegmentOf(const Records& records, unsigned long id, const Record& from) {
  const Record& segment = Find(records.segments, id, from, "seg");
  const std::string* type = Field(segment, "type");
  const std::optional<unsigned long> ooffs = OptionalNumber(segment, "ooffs");
  // Only read-only data stays where the image holds it; a segment copied to
  // RAM runs at addresses no program window shows.
  const bool inImage = ooffs && type != nullptr && *type == "ro";
  return {NumberField(segment, "start"), inImage ? static_cast<long>(*ooffs) : -1};
}

// Scopes nest through parent; a hostile file could make a ring of them.
constexpr int kDeepestScope = 64;

std::string ScopePath(const Records& records, unsigned long id, const Record& from) {
  std::string path;
  for (int depth = 0;; ++depth) {
    if (depth > kDeepestScope) throw Failure{from.line, "scopes nested in a ring"};
    const Record& scope = Find(records.scopes, id, from, "scope");
    const std::string* name = Field(scope, "name");
    const std::optional<unsigned long> parent = OptionalNumber(scope, "parent");
    if (name != nullptr && !name->empty()) path = *name + "::" + path;
    if (!parent) return path;
    id = *parent;
  }
}

// "scope::name", or for a cheap local "parent's name@local".
std::string QualifiedName(const Records& records, const Record& symbol, int depth = 0) {
  if (depth > kDeepestScope) throw Failure{symbol.line, "cheap labels nested in a ring"};
  const std::string* name = Field(symbol, "name");
  if (name == nullptr) throw Failure{symbol.line, "no name field"};
  if (const std::optional<unsigned long> parent = OptionalNumber(symbol, "parent"))
    return QualifiedName(records, Find(records.symbols, *parent, symbol, "sym"), depth + 1) + *name;
  if (const std::optional<unsigned long> scope = OptionalNumber(symbol, "scope"))
    return ScopePath(records, *scope, symbol) + *name;
  return *name;
}

void AddLabels(const Records& records, SymbolTable& table) {
  for (const auto& [id, symbol] : records.symbols) {
    const std::string* type = Field(symbol, "type");
    if (type == nullptr || *type != "lab") continue;  // equates, imports: no place of their own
    const std::string name = QualifiedName(records, symbol);
    const unsigned long value = NumberField(symbol, "val");
    if (value > 0xFFFF || IsMadeUpName(name)) continue;
    SymbolLabel label{name, static_cast<unsigned>(value), -1, Field(symbol, "parent") != nullptr};
    if (const std::optional<unsigned long> seg = OptionalNumber(symbol, "seg")) {
      const Segment segment = SegmentOf(records, *seg, symbol);
      if (segment.fileOffset >= 0 && value >= segment.start)
        label.fileOffset = segment.fileOffset + static_cast<long>(value - segment.start);
    }
    table.AddLabel(std::move(label));
  }
}

// Source lines rank before macro body lines (type 2, deeper expansions
// later), and the lines of an external source (type 1, the C of cc65)
// before the assembler lines made from them.
int RankOf(const Record& line) {
  const unsigned long type = OptionalNumber(line, "type").value_or(0);
  if (type == 1) return 0;
  if (type == 2)
    return 2 + static_cast<int>(std::min(OptionalNumber(line, "count").value_or(1), 1000ul));
  return 1;
}

void AddLines(const Records& records, SymbolTable& table,
              const std::unordered_map<unsigned long, int>& fileIndex) {
  for (const auto& [id, line] : records.lines) {
    const unsigned long file = NumberField(line, "file");
    const auto index = fileIndex.find(file);
    if (index == fileIndex.end()) throw Failure{line.line, "no file " + std::to_string(file)};
    const unsigned long number = NumberField(line, "line");
    if (number > 0x7FFFFFFF) throw Failure{line.line, "the line number is out of range"};
    for (const unsigned long spanId : IdList(line, "span")) {
      const Record& span = Find(records.spans, spanId, line, "span");
      const Segment segment = SegmentOf(records, NumberField(span, "seg"), span);
      const unsigned long start = segment.start + NumberField(span, "start");
      if (start > 0xFFFF) continue;
      const unsigned long size = std::min(NumberField(span, "size"), 0x10000 - start);
      const long offset = segment.fileOffset < 0
                              ? -1
                              : segment.fileOffset + static_cast<long>(start - segment.start);
      table.AddSpan({static_cast<unsigned>(start), static_cast<unsigned>(size), offset,
                     index->second, static_cast<int>(number), RankOf(line)});
    }
  }
  table.SortSpans();
}

void Resolve(const Records& records, SymbolTable& table) {
  if (!records.version) throw Failure{1, "no version record"};
  if (NumberField(*records.version, "major") != 2)
    throw Failure{records.version->line, "a debug file version this reader does not know"};
  std::unordered_map<unsigned long, int> fileIndex;
  for (const auto& [id, file] : records.files) {
    const std::string* name = Field(file, "name");
    if (name == nullptr) throw Failure{file.line, "no name field"};
    fileIndex[id] = table.AddFile(*name);
  }
  AddLabels(records, table);
  AddLines(records, table, fileIndex);
}

}  // namespace

bool ParseDebugFile(std::string_view text, SymbolTable& table, SymbolFileError& error) {
  try {
    Records records;
    Collect(text, records);
    Resolve(records, table);
    return true;
  } catch (const Failure& failure) {
    error.line = failure.line;
    error.reason = failure.reason;
    return false;
  }
}
