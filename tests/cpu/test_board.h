#pragma once
// A RAM-only test board: the four windows show one 32 KB program area that
// tests write programs into, and the board entry points record what reaches
// them. The fixture binds it before each test and restores the no-cartridge
// board afterwards.

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "cpu/cpu.h"

namespace test_board {

// What the board's entry points have seen.
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

void Bind();

}  // namespace test_board

// The record is byte-packed and the test macros bind references, so the wide
// registers are read by value.
inline unsigned int Pc() {
  return CPU.PC;
}
inline unsigned int Cycles() {
  return CPU.Cycles;
}

class CpuTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes bytes into the program area at a CPU address; addresses below
  // $8000 land where the windows show them ($0300 is the byte of $8300).
  static void Place(unsigned int address, std::initializer_list<unsigned char> bytes);
  static void SetVector(unsigned int vector, unsigned int target);

  // Places one instruction at address, points PC at it, steps once and
  // returns the cycles it charged.
  static unsigned int Execute(unsigned int address, std::initializer_list<unsigned char> code);
  // The same at $8000.
  static unsigned int Execute(std::initializer_list<unsigned char> code) {
    return Execute(0x8000, code);
  }
};
