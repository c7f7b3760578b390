#pragma once
// A fake program ROM of nine 8 KB banks seen through the four CPU windows,
// mapped out of order and never followed by a mapped bank, so that a read
// that ignores the windows and runs on in the ROM image shows wrong bytes.

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "cpu/cpu.h"
#include "debugger/disassembler.h"

class ProgramWindows : public ::testing::Test {
 protected:
  static constexpr unsigned int kBank = 0x2000;
  // Window 0 ($8000) shows bank 5, window 1 ($A000) bank 2, and so on.
  static constexpr std::array<int, 4> kBankOfWindow = {5, 2, 7, 0};

  void SetUp() override {
    std::memcpy(savedWindows_, MemoryPage, sizeof savedWindows_);
    savedPC_ = CPU.PC;
    savedXR_ = CPU.XR;
    savedYR_ = CPU.YR;
    rom_.assign(9 * kBank, 0xEA);
    for (int w = 0; w < 4; ++w) MemoryPage[w] = &rom_[kBankOfWindow[w] * kBank];
    CPU.XR = 0;
    CPU.YR = 0;
  }

  void TearDown() override {
    std::memcpy(MemoryPage, savedWindows_, sizeof savedWindows_);
    CPU.PC = savedPC_;
    CPU.XR = savedXR_;
    CPU.YR = savedYR_;
  }

  // Stores bytes as the processor would see them from address on, one
  // address after the other, $FFFF followed by $0000.
  void Poke(unsigned int address, std::initializer_list<unsigned char> bytes) {
    for (const unsigned char b : bytes) {
      address &= 0xFFFF;
      if (address < 0x8000)
        CPU.Memory[address] = b;
      else
        MemoryPage[(address >> 13) & 3][address & 0x1FFF] = b;
      ++address;
    }
  }

  // The byte that follows the given window's 8 KB in the ROM image.
  unsigned char& ImageByteAfterWindow(int window) {
    return rom_[(kBankOfWindow[window] + 1) * kBank];
  }

  std::string LineAt(unsigned int address) {
    CPU.PC = static_cast<unsigned short>(address);
    char line[kDisassemblyLineSize];
    std::memset(line, '#', sizeof line);
    DisplayInstruction(line);
    return std::string(line, strnlen(line, sizeof line));
  }

  std::vector<unsigned char> rom_;

 private:
  unsigned char* savedWindows_[4];
  unsigned short savedPC_;
  unsigned char savedXR_;
  unsigned char savedYR_;
};
