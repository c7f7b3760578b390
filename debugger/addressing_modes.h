#pragma once
// The listing line of each addressing mode. Every writer reads the
// instruction at CPU.PC as the processor fetches it, writes its line into str
// (at most kDisassemblyLineSize characters with the zero) and advances PC by
// the instruction's length, wrapping at $FFFF.

namespace listing {

// The byte at a CPU address as the processor fetches it: memory below $8000,
// the 8 KB program windows from $8000 on, the address after $FFFF being $0000.
unsigned char ProgramByte(unsigned int address);

void WriteImplied(char* str, const char* mnemonic);
void WriteAccumulator(char* str, const char* mnemonic);
void WriteBreak(char* str);
void WriteUndefined(char* str);

void WriteImmediate(char* str, const char* mnemonic);
void WriteZeroPage(char* str, const char* mnemonic);
void WriteZeroPageX(char* str, const char* mnemonic);
void WriteZeroPageY(char* str, const char* mnemonic);
void WriteIndirectX(char* str, const char* mnemonic);
void WriteIndirectY(char* str, const char* mnemonic);
void WriteRelative(char* str, const char* mnemonic);

void WriteAbsolute(char* str, const char* mnemonic);
void WriteAbsoluteX(char* str, const char* mnemonic);
void WriteAbsoluteY(char* str, const char* mnemonic);
void WriteIndirect(char* str, const char* mnemonic);

// Absolute,X and absolute,Y lines that show the operand without the index
// added. AND $3D/$39 and ASL $1E have always been listed this way and
// listings compared against older dumps rely on it.
void WriteAbsoluteXBare(char* str, const char* mnemonic);
void WriteAbsoluteYBare(char* str, const char* mnemonic);

}  // namespace listing
