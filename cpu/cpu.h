#pragma once
// The processor core: state, memory map, instruction execution and the
// scanline/frame driver. No platform code lives here.

#include "cpu/cpu6502.h"

struct _NESData;

extern _6502 CPU;

// The four 8 KB program windows at $8000, $A000, $C000 and $E000. The board
// plug-in owns their values; until one is bound they show a page of zeros.
extern unsigned char* MemoryPage[4];

// One route code per CPU address and direction; constant data.
extern const unsigned char ReadMemTable[0x10000];
extern const unsigned char WriteMemTable[0x10000];

// The board entry points. Until a board is bound (and after a failed bind)
// they point at the "no cartridge" board: reads give 0, writes do nothing.
using MapperCPUWriteFunc = int (*)(unsigned int address, unsigned char value);
using MapperCPUReadFunc = unsigned char (*)(unsigned int address);
using MapperPPUWriteFunc = int (*)(unsigned char value);
using MapperPPUReadFunc = unsigned char (*)();
using MapperEndScanFunc = void (*)();
using MapperLoadFunc = int (*)(_NESData data);

extern MapperCPUWriteFunc MapperCPUWrite;
extern MapperCPUReadFunc MapperCPURead;
extern MapperPPUWriteFunc MapperPPUWrite;
extern MapperPPUReadFunc MapperPPURead;
extern MapperEndScanFunc MapperEndScan;
extern MapperLoadFunc MapperLoad;

// Points the six board pointers and the four windows back at the harmless
// "no cartridge" board. Used before a load and after a failed one.
void UseNoCartridge();

// One data write / read exactly as an instruction performs it.
void write_mem(unsigned int address, unsigned char value);
unsigned char read_mem(unsigned int address);

extern const unsigned char OpcodeCycles[256];
extern const unsigned char OpcodeBytes[256];
extern const unsigned char ZNTable[256];

// 240 during the visible phase, 22 during vertical blank.
extern unsigned char NumScanlines;

void StepCpu();
void RunCpu();
void ResetCpu();
void GenerateIRQ();
