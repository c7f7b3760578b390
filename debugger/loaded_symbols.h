#pragma once
// The symbols of the loaded image: read when the image is loaded, from the
// file named for it or from IMAGE.dbg beside it, and looked up against what
// the program windows map at that moment.

#include <string>

#include "debugger/symbol_table.h"

// Empty while the image has no symbols.
extern SymbolTable LoadedSymbols;

// The image's name with its extension replaced by ".dbg".
std::string DebugFileBeside(const std::string& image);

// Replaces the loaded symbols with those of image: from symbolFile when it
// is not empty, else from the debug file beside the image if there is one.
// Returns "" or the message for a file that could not be read; the image
// then has no symbols.
std::string LoadSymbolsForImage(const std::string& image, const std::string& symbolFile);
void ClearSymbols();

// The program windows and the image's program data, as they are now.
ProgramView CurrentProgramView();

// The label shown at address now, or nullptr.
const SymbolLabel* CurrentLabelAt(unsigned address);
