#pragma once
// The processor tests' fixture: binds the RAM board (tests/support) before
// each test and restores the no-cartridge board afterwards.

#include <gtest/gtest.h>

#include <initializer_list>

#include "cpu/cpu.h"
#include "tests/support/ram_board.h"

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
