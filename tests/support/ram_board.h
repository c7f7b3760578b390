#pragma once
// The RAM-only board for tests and benchmarks: the four program windows show
// one 32 KB area that the test writes a program into, and the board entry
// points record what reaches them. Real boards are plug-ins of their own.

#include <initializer_list>
#include <utility>
#include <vector>

namespace ram_board {

// What the board's entry points have seen since the last Bind.
struct Calls {
  std::vector<std::pair<unsigned int, unsigned char>> cpu_writes;
  std::vector<unsigned int> cpu_reads;
  std::vector<unsigned char> ppu_writes;
  int ppu_reads = 0;
  int end_scans = 0;
  // Called from the board's end-of-scanline entry when set.
  void (*on_end_scan)() = nullptr;
};

extern Calls calls;
extern unsigned char program[0x8000];  // $8000-$FFFF as the windows show it

// Clears the program area and the record of calls, and points the windows
// and the board entry points at this board. Cartridge writes are recorded,
// not stored; data-port reads give $5A and writes land at $2007.
void Bind();
// Writes bytes at a CPU address: below $8000 into Memory, where the CPU
// fetches them, from $8000 on into the area the windows show.
void Place(unsigned int address, std::initializer_list<unsigned char> bytes);
void SetVector(unsigned int vector, unsigned int target);

}  // namespace ram_board
