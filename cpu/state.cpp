// The processor record, the cartridge windows, the board pointers with their
// harmless "no cartridge" defaults, and the non-plain routes.

#include <cstring>

#include "boards/nesdata.h"
#include "cpu/bus.h"
#include "cpu/watch.h"
#include "io/memoryio.h"

_6502 CPU{};

namespace {

// What the windows show while no cartridge is bound, so that fetches never
// go through a null pointer.
unsigned char NoCartridgePage[0x2000];

int NoCartridgeCPUWrite(unsigned int, unsigned char) {
  return 0;
}
unsigned char NoCartridgeCPURead(unsigned int) {
  return 0;
}
int NoCartridgePPUWrite(unsigned char) {
  return 0;
}
unsigned char NoCartridgePPURead() {
  return 0;
}
void NoCartridgeEndScan() {}
int NoCartridgeLoad(_NESData) {
  return 0;
}

}  // namespace

// Constant-initialised, so the core is safe to enter from the first
// instruction of the program on, whatever the order of static initialisation.
constinit unsigned char* MemoryPage[4] = {NoCartridgePage, NoCartridgePage, NoCartridgePage,
                                          NoCartridgePage};

constinit MapperCPUWriteFunc MapperCPUWrite = NoCartridgeCPUWrite;
constinit MapperCPUReadFunc MapperCPURead = NoCartridgeCPURead;
constinit MapperPPUWriteFunc MapperPPUWrite = NoCartridgePPUWrite;
constinit MapperPPUReadFunc MapperPPURead = NoCartridgePPURead;
constinit MapperEndScanFunc MapperEndScan = NoCartridgeEndScan;
constinit MapperLoadFunc MapperLoad = NoCartridgeLoad;

void UseNoCartridge() {
  // Someone may have written through a window while a board was bound to
  // this page; the page must read as zeros again.
  std::memset(NoCartridgePage, 0, sizeof NoCartridgePage);
  for (unsigned char*& window : MemoryPage) window = NoCartridgePage;
  MapperCPUWrite = NoCartridgeCPUWrite;
  MapperCPURead = NoCartridgeCPURead;
  MapperPPUWrite = NoCartridgePPUWrite;
  MapperPPURead = NoCartridgePPURead;
  MapperEndScan = NoCartridgeEndScan;
  MapperLoad = NoCartridgeLoad;
}

namespace cpu {

unsigned char ReadThroughRoute(unsigned char route, unsigned int address) {
  switch (route) {
    case routes::kReadStatus:
      return read2002();
    case routes::kReadSpriteData:
      return read2004();
    case routes::kReadPpuData:
      return MapperPPURead();
    case routes::kReadJoypad1:
      return read4016();
    case routes::kReadJoypad2:
      return read4017();
    case routes::kReadCartridge:
      return MapperCPURead(address);
    case routes::kReadWatched:
      return watch::WatchedRead(address);
    default:
      return CPU.Memory[address];
  }
}

void WriteThroughRoute(unsigned char route, unsigned int address, unsigned char value) {
  switch (route) {
    case routes::kWriteControl:
      write2000(value);
      break;
    case routes::kWriteSpriteAddr:
      write2003(value);
      break;
    case routes::kWriteSpriteData:
      write2004(value);
      break;
    case routes::kWriteScroll:
      write2005(value);
      break;
    case routes::kWritePpuAddr:
      write2006(value);
      break;
    case routes::kWritePpuData:
      MapperPPUWrite(value);
      break;
    case routes::kWriteSpriteDma:
      write4014(value);
      // The copy reads the page from Memory directly; a watch still sees it.
      if (watch::PageReadWatched(value)) watch::DmaRead(value);
      break;
    case routes::kWriteJoypad1:
      write4016(value);
      break;
    case routes::kWriteJoypad2:
      write4017(value);
      break;
    case routes::kWriteCartridge:
      MapperCPUWrite(address, value);
      break;
    case routes::kWriteWatched:
      watch::WatchedWrite(address, value);
      break;
    default:
      // The plain and RAM routes never get here: WriteData handles them.
      CPU.Memory[address] = value;
      break;
  }
}

}  // namespace cpu

// Addresses above $FFFF are reduced to 16 bits, as every processor access
// is, rather than indexing past the end of the tables.
void write_mem(unsigned int address, unsigned char value) {
  cpu::WriteData(address & 0xFFFF, value);
}

unsigned char read_mem(unsigned int address) {
  return cpu::ReadData(address & 0xFFFF);
}
