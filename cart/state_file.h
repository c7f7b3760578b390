#pragma once
// State files: a machine snapshot on disk. The file starts with a 24-byte
// header: the magic "TAVIROST", the format version, the CRC-32 of the image
// the state belongs to, the length of the body and the body's CRC-32 (all
// 32-bit little-endian), then the body, a machine snapshot.
//
// A file that is cut short, corrupted, from another image, of a newer
// version or otherwise unusable is refused with a message naming what is
// wrong, and the machine is left exactly as it was.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr std::uint32_t kStateFileVersion = 1;

// Empty on success; otherwise the message to show.
using StateFileError = std::string;

// The file's bytes for a snapshot of the loaded image.
std::vector<unsigned char> EncodeStateFile(const std::vector<unsigned char>& snapshot);

// Checks a whole state file held in memory and restores the machine from it.
StateFileError RestoreStateFile(const unsigned char* bytes, std::size_t size);

// Saves the machine to path; every failure (no snapshot possible, open,
// write, close) is reported, as the memory dumps report theirs.
StateFileError WriteStateFile(const std::string& path);

// Reads path and restores the machine from it.
StateFileError ReadStateFile(const std::string& path);
