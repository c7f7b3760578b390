#pragma once
// Whether a file is an iNES image at all. The load sequence asks before it
// gives up anything of the cartridge being debugged, so that choosing a text
// file or a cut-off download keeps the machine as it was.

#include <cstdio>
#include <string>

constexpr unsigned int kInesHeaderSize = 16;

// Opens path for reading when it is a regular file; nullptr otherwise. A
// FIFO or a device could block the first read forever (or never end), so the
// file is opened without waiting for a writer and looked at first.
std::FILE* OpenImageFile(const char* path);

// True when the header starts with "NES" and $1A and a file of fileSize
// bytes holds the trainer and the program and character banks it announces.
bool IsInesImage(const unsigned char* header, unsigned long long fileSize);

// RomLoadOk, RomLoadCouldNotOpen or RomLoadNotAnImage; reads the header only.
int CheckImageFile(const char* path);

// Why path cannot be opened as an image ("No such file or directory", "not a
// regular file"), for messages that must say more than that it failed.
std::string OpenFailureReason(const char* path);
