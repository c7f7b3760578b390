#pragma once
// Turns the instruction at CPU.PC into one listing line and advances PC.

// The opcode byte of the instruction formatted last.
extern unsigned char opcode;

// str must hold at least 36 characters; a line is at most 30.
void DisplayInstruction(char* str);
