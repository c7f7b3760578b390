#pragma once
// The program's entry point behind main: runs the debugger dialog until it
// ends, then unloads the board plug-in.

#include <string>

bool Initialize();

// Returns 1 after the debugger has closed, 0 when it could not start (the
// process then exits 1). imageAtStart, when not empty, is loaded once the
// dialog is up, with its symbols from symbolsAtStart when that is not empty.
int WinMain(const std::string& imageAtStart, const std::string& symbolsAtStart = {});
