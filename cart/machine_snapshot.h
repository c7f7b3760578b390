#pragma once
// The whole machine as one byte string: the CPU record, the frame driver's
// counters, PPU memory, sprite memory, the scroll state and its per-line
// records, the port latches, both joypads, the program windows, the board's
// own state and, once the program has written into it, the program ROM.
// Restoring it and running with the same inputs gives the same machine,
// byte for byte. The prerendered tiles are rebuilt rather than stored.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a restore can find wrong; each leaves the machine as it was.
enum class SnapshotRefusal {
  None,
  NoImage,       // no image is loaded
  NoBoardState,  // the board has no state entry points
  Truncated,     // the snapshot ends early or runs on past its end
  OutOfRange,  // a value the machine cannot hold (a window outside the ROM, a line past the frame)
  BoardRefused,  // the board did not take its part
};

// The message a refusal gives, for the debugger and the runner.
const char* SnapshotRefusalText(SnapshotRefusal refusal);

// True when the loaded image's board saves and restores its state.
bool MachineHasSnapshots();

// Stores the machine into `into` (its capacity is reused). When the machine
// cannot be saved (no image, a board without state entry points, a window
// outside the program ROM) says why and leaves `into` empty.
SnapshotRefusal SaveMachine(std::vector<unsigned char>& into);

// The history's blocks: a snapshot compared with the one before it in
// pieces of this size.
inline constexpr std::size_t kSnapshotBlock = 64;

// Stores the machine over `into`, which holds an earlier snapshot of it (or
// nothing), changing only the bytes that differ, and flags in `changed`
// (one byte per block of the new snapshot) the blocks that did. Refused as
// SaveMachine is, leaving `into` empty.
SnapshotRefusal SaveMachineOver(std::vector<unsigned char>& into,
                                std::vector<unsigned char>* changed);

// Checks the whole snapshot first, then puts the machine in its state.
SnapshotRefusal RestoreMachine(const unsigned char* bytes, std::size_t size);

// The loaded image's identity: a CRC-32 of its header, program and
// character data as they were read from the file.
std::uint32_t LoadedImageChecksum();

// Called by the image loader once the file has been read: remembers the
// checksum and the program ROM as loaded, which a snapshot taken before the
// program wrote into it restores.
void RememberLoadedImage();
