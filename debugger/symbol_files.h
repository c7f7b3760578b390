#pragma once
// Reading the linker's symbol files into a SymbolTable: the ld65 debug
// file (--dbgfile: "type<TAB>key=value,..." records) and the ld65 label
// file (-Ln: "al 00C000 .reset" lines). Which one a file is, its first
// record says.

#include <string>
#include <string_view>

#include "debugger/symbol_table.h"

// Where and why a file could not be read; line 0 when not at a line.
struct SymbolFileError {
  std::string file;
  int line = 0;
  std::string reason;
  // "FILE, line N: reason", the one message the user sees.
  std::string Message() const;
};

// Fills table from the text of a debug or label file. On failure returns
// false with the line and reason in error (file is left to the caller) and
// leaves the table in an unspecified state.
bool ParseSymbolText(std::string_view text, SymbolTable& table, SymbolFileError& error);

// Reads the file at path; its folder becomes the table's folder.
bool ReadSymbolFile(const std::string& path, SymbolTable& table, SymbolFileError& error);

// The two formats on their own.
bool ParseDebugFile(std::string_view text, SymbolTable& table, SymbolFileError& error);
bool ParseLabelFile(std::string_view text, SymbolTable& table, SymbolFileError& error);

// Names no source could have written, which the assembler makes up for
// itself (ca65's "LOCAL-MACRO_SYMBOL-0003"): nobody wants them in a listing.
bool IsMadeUpName(std::string_view name);
