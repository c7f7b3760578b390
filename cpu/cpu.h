#pragma once
// The processor core: state, memory map, instruction execution and the
// scanline/frame driver. No platform code lives here.

#include <array>

#include "cpu/cpu6502.h"

struct _NESData;

extern _6502 CPU;

// The four 8 KB program windows at $8000, $A000, $C000 and $E000. The board
// plug-in owns their values; until one is bound they show a page of zeros.
extern unsigned char* MemoryPage[4];

// One route code per CPU address and direction, generated at compile time
// (cpu/route_tables.cpp), hence std::array rather than a C array. Only the
// breakpoint watches change an entry (cpu/watch.h), and only while the
// thread that runs the CPU is the one changing it.
extern std::array<unsigned char, 0x10000> ReadMemTable;
extern std::array<unsigned char, 0x10000> WriteMemTable;

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

// Base cycles and PC advance of every opcode, generated from the one opcode
// description in cpu/opcode_table.cpp.
extern const std::array<unsigned char, 256> OpcodeCycles;
extern const std::array<unsigned char, 256> OpcodeBytes;
// The zero and negative bits a result byte produces.
extern const std::array<unsigned char, 256> ZNTable;

// The handler of every opcode: one table for the single step, one for the run
// loop. A run-loop handler returns true when vertical blank has just begun.
using StepHandler = void (*)();
using RunHandler = bool (*)();
extern const std::array<StepHandler, 256> OpcodeJumpTable;
extern const std::array<RunHandler, 256> OpcodeJumpTable2;

// 240 during the visible phase, 22 during vertical blank.
extern unsigned char NumScanlines;

void StepCpu();
void RunCpu();
void ResetCpu();
void GenerateIRQ();
