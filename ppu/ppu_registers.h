#pragma once
// The PPU registers as the CPU sees them, and the meaning of their bits.
// Each port keeps its raw byte in CPU memory; every consumer (the PPU, the
// ports, the frame driver and the board plug-ins) picks its bits out with
// these names.

namespace ppu_register {

constexpr unsigned int kControl = 0x2000;  // PPUCTRL
constexpr unsigned int kMask = 0x2001;     // PPUMASK
constexpr unsigned int kStatus = 0x2002;   // PPUSTATUS
constexpr unsigned int kData = 0x2007;     // PPUDATA

// PPUCTRL ($2000)
constexpr unsigned char kNameTableSelect = 0x03;         // base name table 0-3
constexpr unsigned char kAddressStep32 = 0x04;           // data port steps by 32, not 1
constexpr unsigned char kSpritePatternTable = 0x08;      // 8x8 sprites from $1000
constexpr unsigned char kBackgroundPatternTable = 0x10;  // background from $1000
constexpr unsigned char kTallSprites = 0x20;             // 8x16 sprites
constexpr unsigned char kNmiOnVerticalBlank = 0x80;

// PPUMASK ($2001)
constexpr unsigned char kShowBackground = 0x08;
constexpr unsigned char kShowSprites = 0x10;

// PPUSTATUS ($2002)
constexpr unsigned char kSprite0Hit = 0x40;
constexpr unsigned char kVerticalBlank = 0x80;

}  // namespace ppu_register
