#pragma once
// The listing line of an instruction, written from the one opcode
// description of the CPU core: mnemonic, addressing mode and length. The
// formatter reads the instruction at CPU.PC as the processor fetches it,
// writes its line into str (at most kDisassemblyLineSize characters with the
// zero) and advances PC by the instruction's length, wrapping at $FFFF.

namespace listing {

// The byte at a CPU address as the processor fetches it: memory below $8000,
// the 8 KB program windows from $8000 on, the address after $FFFF being $0000.
// Every byte of a line is read here.
unsigned char ProgramByte(unsigned int address);

// The line of the instruction at CPU.PC in the mode and length the
// description gives code.
void WriteInstruction(char* str, unsigned char code);

// The line of the instruction at CPU.PC as the global opcode describes it,
// when that opcode has this mnemonic; else the undefined line.
void WriteIfServed(char* str, const char* mnemonic);

// A one-byte "???" line.
void WriteUndefined(char* str);

}  // namespace listing
