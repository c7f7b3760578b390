#pragma once
// What follows the choice of an image file, shared by the debugger's Load
// ROM command and the headless runner: unload the old board, load the
// image, reset the machine; and the texts the debugger shows for it.

#include <string>

// CPU reset, PPU state, sprite memory and the PPU write toggles: the
// debugger's reset.
void ResetNES();

// Checks that path is an image, then unloads the loaded board, loads the
// image and, on success, powers the ports on, resets the CPU and runs
// ResetNES. Returns ROM::load's code; a file that cannot be opened (1) or is
// no image (10) is refused before anything loaded is given up.
int LoadImageAndReset(const char* path);

// True once an image has loaded with its board; false again after a failed
// load. The core must not be stepped otherwise.
bool ImageLoaded();

// The message for a non-zero load code, as the debugger shows it.
const char* LoadErrorMessage(int code);

// The message for a failed load of path: "not an iNES image: <path>" names
// the file when one is given; a board that could not be bound gets a second
// line saying which plug-in was looked for where; every other code gives
// LoadErrorMessage's text.
std::string LoadFailureText(int code, const std::string& path = "");

// The 16-bit word at $FFFA, read through program window 3.
unsigned short NMIVector();

// "NMI Vect. = %04X" and "Mirroring = Hoiz" / "Mirroring = Vert".
std::string NMIVectorText();
std::string MirroringText();
