#pragma once
// What a board plug-in exports. A plug-in links nothing of the program: it
// reaches the host only through the _NESData record handed to MapperLoadRom.
// Plug-ins are compiled with hidden visibility, so these six, and the two
// optional state entry points where a board has them, are the only symbols
// they export.

#include "boards/board_entry_names.h"
#include "boards/nesdata.h"

// Exports an entry point under the symbol the host looks up.
#define BOARD_EXPORT(symbol) __asm__(symbol) __attribute__((visibility("default")))

extern "C" {
int MapperMainWrite(unsigned int address, unsigned char value)
    BOARD_EXPORT(BOARD_SYMBOL_MAIN_WRITE);
unsigned char MapperMainRead(unsigned int address) BOARD_EXPORT(BOARD_SYMBOL_MAIN_READ);
int MapperVramWrite(unsigned char value) BOARD_EXPORT(BOARD_SYMBOL_VRAM_WRITE);
unsigned char MapperVramRead() BOARD_EXPORT(BOARD_SYMBOL_VRAM_READ);
void MapperEndScanline() BOARD_EXPORT(BOARD_SYMBOL_END_SCANLINE);
int MapperLoadRom(_NESData data) BOARD_EXPORT(BOARD_SYMBOL_LOAD_ROM);

unsigned int MapperSaveState(unsigned char* buffer, unsigned int size)
    BOARD_EXPORT(BOARD_SYMBOL_SAVE_STATE);
int MapperLoadState(const unsigned char* buffer, unsigned int size)
    BOARD_EXPORT(BOARD_SYMBOL_LOAD_STATE);
}
