// The debugger window's listing rebuild, for as long as the debugger window
// itself is not in this tree: 100 lines from PC, PC put back.
#include <cstring>

#include "cpu/cpu.h"
#include "debugger/debug_window.h"
#include "debugger/disassembler.h"

WindowHandle hWndMain = nullptr;

void DisassembleROM() {
  const unsigned short pc = CPU.PC;
  ListBoxReset(hWndMain, 201);
  while (ListBoxCount(hWndMain, 201) < 100) {
    char line[kDisassemblyLineSize] = {};
    DisplayInstruction(line);
    ListBoxAddString(hWndMain, 201, line);
  }
  CPU.PC = pc;
}

void UpdateCommandStates() {}
