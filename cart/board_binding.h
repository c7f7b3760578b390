#pragma once
// Binding the board plug-in of an image's mapper: the library "Board%d" is
// looked up as <name>.so in the board directories regardless of letter case,
// its six entry points are resolved into the host's board pointers, and the
// board receives the shared record.

#include <string>
#include <vector>

#include "boards/nesdata.h"

// The loaded plug-in library, or nullptr.
extern void* MapperHandle;

// The program's own directory (where /proc/self/exe lives).
std::string ProgramDirectory();

// Where plug-ins are looked for, in order. A directory a caller chose (the
// runner's --boards, a test) is the only one; otherwise the program's own
// directory, then the installed plug-in folder relative to it (lib/taviro
// beside bin/), so an installed tree works wherever it is moved or unpacked.
std::vector<std::string> BoardDirectories();
void SetBoardDirectory(const std::string& directory);

// The plug-in library for name in the first board directory that has one;
// empty when none has.
std::string LocateBoardLibrary(const std::string& name);

// The path of the file in directory whose name matches name + ".so" without
// regard to letter case; empty when there is none.
std::string FindBoardLibrary(const std::string& directory, const std::string& name);

// Loads and initialises the board for mapperNumber. Returns 0, or 2 (no
// library) to 8 (entry point missing). After a failure the board pointers
// and windows are on the "no cartridge" board.
int BindBoard(unsigned int mapperNumber);

// The record a board's load routine receives: the host's machine, the
// windows and the services, with `image` as the loaded image.
_NESData BoardRecord(ROM* image);

// Why the latest binding failed with code 2, in one line that names the
// mapper, the plug-in file and where it was looked for
// ("mapper 5: no board5.so in /usr/lib/taviro or beside the program");
// empty after a binding that got further.
const std::string& BoardFailureDetail();

// Points the core at the "no cartridge" board and unloads the plug-in.
void UnloadBoard();
