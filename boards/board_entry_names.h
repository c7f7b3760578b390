#pragma once
// The names under which every board plug-in exports its six entry points and
// under which the host looks them up. ELF reserves '@' for symbol versions,
// so the names are the plug-in table's names without their leading '@'.

#define BOARD_SYMBOL_MAIN_WRITE "MapperMainWrite$quiuc"
#define BOARD_SYMBOL_MAIN_READ "MapperMainRead$qui"
#define BOARD_SYMBOL_VRAM_WRITE "MapperVramWrite$quc"
#define BOARD_SYMBOL_VRAM_READ "MapperVramRead$qv"
#define BOARD_SYMBOL_END_SCANLINE "MapperEndScanline$qv"
#define BOARD_SYMBOL_LOAD_ROM "MapperLoadRom$q8_NESData"

// In the order the host resolves them; a missing entry i fails with code 3 + i.
inline constexpr const char* BoardEntrySymbols[6] = {
    BOARD_SYMBOL_MAIN_WRITE, BOARD_SYMBOL_MAIN_READ,    BOARD_SYMBOL_VRAM_WRITE,
    BOARD_SYMBOL_VRAM_READ,  BOARD_SYMBOL_END_SCANLINE, BOARD_SYMBOL_LOAD_ROM,
};

// Two optional entry points: a board that exports both can have its state
// saved and restored (snapshots, the history, state files). The host
// resolves them when present; a board without them has no snapshots.
//   unsigned int MapperSaveState(unsigned char* buffer, unsigned int size):
//     stores the state if it fits and returns its length either way.
//   int MapperLoadState(const unsigned char* buffer, unsigned int size):
//     1 when the state was taken, 0 when refused (nothing is changed then).
#define BOARD_SYMBOL_SAVE_STATE "MapperSaveState$qpucui"
#define BOARD_SYMBOL_LOAD_STATE "MapperLoadState$qpxucui"
