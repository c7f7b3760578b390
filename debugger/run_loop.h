#pragma once
// The loop of the run thread, without the thread: instructions through the
// single step until PC meets the stop address or a stop is requested.

#include <atomic>
#include <cstdint>
#include <limits>

class PauseGate;

// Steps at least one instruction, then stops when PC equals stopAt after an
// instruction, when stopRequest is set (checked at every instruction
// boundary), or after maxInstructions. A gate, when given, is passed at
// every instruction boundary. Returns the instructions executed.
std::uint64_t RunToAddress(
    unsigned short stopAt, const std::atomic<bool>& stopRequest,
    std::uint64_t maxInstructions = std::numeric_limits<std::uint64_t>::max(),
    PauseGate* gate = nullptr);
