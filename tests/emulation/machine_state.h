#pragma once
// The whole machine as a frame leaves it, in a form two runs can compare:
// the registers and counters as they are, the memories and the picture as
// hashes, so that hundreds of frames fit in memory.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string_view>

#include "cpu/cpu.h"
#include "io/joystick.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/dx.h"
#include "ppu/dx_surface.h"
#include "ppu/ppu.h"
#include "ppu/spriteram.h"

struct MachineState {
  unsigned char a, x, y, s, flags;
  unsigned short pc;
  unsigned int cycles;
  unsigned char scanlines, scanline, sprite0Line;
  unsigned char scrollToggle, addressToggle, readPrimed;
  unsigned short ppuAddress;
  std::size_t cpuMemory, ppuMemory, spriteMemory, scrollRecords, picture;

  bool operator==(const MachineState&) const = default;
};

inline std::size_t HashBytes(const void* bytes, std::size_t length) {
  return std::hash<std::string_view>{}(std::string_view(static_cast<const char*>(bytes), length));
}

inline std::size_t HashScrollRecords() {
  std::size_t hash = HashBytes(ScanScrollH, sizeof ScanScrollH);
  hash = hash * 31 + HashBytes(ScanScrollV, sizeof ScanScrollV);
  hash = hash * 31 + HashBytes(ScanNameTable, sizeof ScanNameTable);
  return hash * 31 + HashBytes(ScanBackPattern, sizeof ScanBackPattern);
}

// The picture is the front surface after the frame's flip; 0 without one.
inline MachineState CaptureMachine() {
  std::size_t picture = 0;
  if (lpDDSPrimary != nullptr)
    picture = HashBytes(lpDDSPrimary->pixels.get(), SurfacePitch * SurfaceHeight);
  return {CPU.AC,
          CPU.XR,
          CPU.YR,
          CPU.S,
          CPU.FLAGS,
          CPU.PC,
          CPU.Cycles,
          NumScanlines,
          PPU.Scanline,
          Sprite0Scanline,
          HorV,
          first_last,
          AlreadyRead2007,
          WriteAddress,
          HashBytes(CPU.Memory, sizeof CPU.Memory),
          HashBytes(&PPU, sizeof PPU),
          HashBytes(SPRRAM.SPR_RAM, sizeof SPRRAM.SPR_RAM),
          HashScrollRecords(),
          picture};
}

inline std::ostream& operator<<(std::ostream& out, const MachineState& m) {
  return out << std::hex << "PC " << m.pc << " A " << +m.a << " X " << +m.x << " Y " << +m.y
             << " S " << +m.s << " P " << +m.flags << std::dec << " cycles " << m.cycles << " line "
             << +m.scanline << "/" << +m.scanlines << " sprite-0 line " << +m.sprite0Line
             << " toggles " << +m.scrollToggle << +m.addressToggle << " read primed "
             << +m.readPrimed << " PPU address " << m.ppuAddress << " hashes CPU " << m.cpuMemory
             << " PPU " << m.ppuMemory << " OAM " << m.spriteMemory << " scroll " << m.scrollRecords
             << " picture " << m.picture;
}

// What a load leaves alone: the port latches, scroll records and joypads
// would otherwise carry over from the previous run.
inline void ClearPortsAndRecords() {
  HorV = 0;
  first_last = 0;
  WriteAddress = 0;
  AlreadyRead2007 = 0;
  BackGround.SetHScroll(0);
  BackGround.SetVScroll(0);
  BackGround.SetTable(0);
  for (unsigned char* record : {ScanScrollH, ScanScrollV, ScanNameTable})
    std::fill_n(record, 262, 0);
  std::fill_n(ScanBackPattern, 262, 0u);
  SPRRAM.Address = 0;
  std::fill_n(SPRRAM.SPR_RAM, sizeof SPRRAM.SPR_RAM, 0);
  Sprite0Scanline = 0;
  Joy1 = Joystick(0x4016);
  Joy2 = Joystick(0x4017);
}
