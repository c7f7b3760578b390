#pragma once
// A RAM-only board for tests and benchmarks: the four program windows show one
// 32 KB area that the test writes a program into; the data port and the
// end-of-scanline entry do nothing. Real boards are plug-ins of their own.

#include <initializer_list>

namespace ram_board {

extern unsigned char program[0x8000];  // $8000-$FFFF

// Points the windows and the board entry points at this board.
void Bind();
// Writes bytes at a CPU address of $8000-$FFFF.
void Place(unsigned int address, std::initializer_list<unsigned char> bytes);
void SetVector(unsigned int vector, unsigned int target);

}  // namespace ram_board
