#pragma once
// Turns the instruction at CPU.PC into one listing line and advances PC.

// The opcode byte of the instruction formatted last.
extern unsigned char opcode;

// str must hold at least 36 characters; a line is at most 30.
void DisplayInstruction(char* str);

// The room every caller hands in for one line, terminating zero included.
// Lines are written with this bound, so a longer line is cut, never overrun.
inline constexpr int kDisassemblyLineSize = 36;

// One routine per mnemonic. Each formats the instruction at CPU.PC according
// to opcode (which must hold the byte at CPU.PC) and advances PC by its
// length; an opcode the routine does not serve is listed as undefined.
void ADCdisplay(char* str);
void ANDdisplay(char* str);
void ASLdisplay(char* str);
void BCCdisplay(char* str);
void BCSdisplay(char* str);
void BEQdisplay(char* str);
void BITdisplay(char* str);
void BMIdisplay(char* str);
void BNEdisplay(char* str);
void BPLdisplay(char* str);
void BRKdisplay(char* str);
void BVCdisplay(char* str);
void BVSdisplay(char* str);
void CLCdisplay(char* str);
void CLDdisplay(char* str);
void CLIdisplay(char* str);
void CLVdisplay(char* str);
void CMPdisplay(char* str);
void CPXdisplay(char* str);
void CPYdisplay(char* str);
void DECdisplay(char* str);
void DEXdisplay(char* str);
void DEYdisplay(char* str);
void EORdisplay(char* str);
void INCdisplay(char* str);
void INXdisplay(char* str);
void INYdisplay(char* str);
void JMPdisplay(char* str);
void JSRdisplay(char* str);
void LDAdisplay(char* str);
void LDXdisplay(char* str);
void LDYdisplay(char* str);
void LSRdisplay(char* str);
void NOPdisplay(char* str);
void ORAdisplay(char* str);
void PHAdisplay(char* str);
void PHPdisplay(char* str);
void PLAdisplay(char* str);
void PLPdisplay(char* str);
void ROLdisplay(char* str);
void RORdisplay(char* str);
void RTIdisplay(char* str);
void RTSdisplay(char* str);
void SBCdisplay(char* str);
void SECdisplay(char* str);
void SEDdisplay(char* str);
void SEIdisplay(char* str);
void STAdisplay(char* str);
void STXdisplay(char* str);
void STYdisplay(char* str);
void TAXdisplay(char* str);
void TAYdisplay(char* str);
void TSXdisplay(char* str);
void TXAdisplay(char* str);
void TXSdisplay(char* str);
void TYAdisplay(char* str);
void UNDEFdisplay(char* str);

// The routine of a mnemonic of the opcode description; UNDEFdisplay for
// "???" and any name that is not one.
using DisplayRoutine = void (*)(char* str);
DisplayRoutine DisplayRoutineOf(const char* mnemonic);
