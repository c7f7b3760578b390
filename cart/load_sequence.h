#pragma once
// What follows the choice of an image file, shared by the debugger's Load
// ROM command and the headless runner: unload the old board, load the
// image, reset the machine; and the texts the debugger shows for it.

#include <string>

// CPU reset, PPU state and sprite memory: the debugger's reset.
void ResetNES();

// Unloads the loaded board, loads the image at path and, on success, resets
// the CPU and runs ResetNES. Returns ROM::load's code.
int LoadImageAndReset(const char* path);

// True once an image has loaded with its board; false again after a failed
// load. The core must not be stepped otherwise.
bool ImageLoaded();

// The message for a non-zero load code, as the debugger shows it.
const char* LoadErrorMessage(int code);

// The message and, for a board that could not be bound, a second line
// saying which plug-in was looked for where.
std::string LoadFailureText(int code);

// The 16-bit word at $FFFA, read through program window 3.
unsigned short NMIVector();

// "NMI Vect. = %04X" and "Mirroring = Hoiz" / "Mirroring = Vert".
std::string NMIVectorText();
std::string MirroringText();
