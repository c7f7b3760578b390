#pragma once
// Route codes of the memory map: what a processor data access at an address
// reaches. The tables hold these as bytes; one code per address.

namespace cpu::routes {

enum Read : unsigned char {
  kReadPlain,       // Memory[a]
  kReadStatus,      // $2002
  kReadSpriteData,  // $2004
  kReadPpuData,     // $2007, owned by the board
  kReadJoypad1,     // $4016
  kReadJoypad2,     // $4017
  kReadCartridge,   // $8000-$FFFF
  kReadWatched,     // a breakpoint's address: its own route, then the check
};

enum Write : unsigned char {
  kWriteRam,         // $0000-$07FF and its three mirrors
  kWritePlain,       // Memory[a] only
  kWriteControl,     // $2000
  kWriteSpriteAddr,  // $2003
  kWriteSpriteData,  // $2004
  kWriteScroll,      // $2005
  kWritePpuAddr,     // $2006
  kWritePpuData,     // $2007, owned by the board
  kWriteSpriteDma,   // $4014
  kWriteJoypad1,     // $4016
  kWriteJoypad2,     // $4017
  kWriteCartridge,   // $8000-$FFFF
  kWriteWatched,     // a breakpoint's address: its own route, then the check
};

// The route of every address, as the tables are built.
constexpr Read ReadRouteOf(unsigned int address) {
  if (address >= 0x8000) return kReadCartridge;
  switch (address) {
    case 0x2002:
      return kReadStatus;
    case 0x2004:
      return kReadSpriteData;
    case 0x2007:
      return kReadPpuData;
    case 0x4016:
      return kReadJoypad1;
    case 0x4017:
      return kReadJoypad2;
    default:
      return kReadPlain;
  }
}

constexpr Write WriteRouteOf(unsigned int address) {
  if (address >= 0x8000) return kWriteCartridge;
  if (address < 0x0800) return kWriteRam;
  switch (address) {
    case 0x2000:
      return kWriteControl;
    case 0x2003:
      return kWriteSpriteAddr;
    case 0x2004:
      return kWriteSpriteData;
    case 0x2005:
      return kWriteScroll;
    case 0x2006:
      return kWritePpuAddr;
    case 0x2007:
      return kWritePpuData;
    case 0x4014:
      return kWriteSpriteDma;
    case 0x4016:
      return kWriteJoypad1;
    case 0x4017:
      return kWriteJoypad2;
    default:
      return kWritePlain;
  }
}

}  // namespace cpu::routes
