#include "io/memoryio.h"

#include "cpu/cpu.h"
#include "io/joystick.h"
#include "ppu/background.h"
#include "ppu/ppu_registers.h"
#include "ppu/spriteram.h"

unsigned char HorV = 0;
unsigned char first_last = 0;
unsigned short WriteAddress = 0;
unsigned char AlreadyRead2007 = 0;

void ResetPortToggles() {
  HorV = 0;
  first_last = 0;
}

void PowerOnPorts() {
  ResetPortToggles();
  WriteAddress = 0;
  AlreadyRead2007 = 0;
}

// The register meaning is decoded where it is used: each port keeps the raw
// byte in CPU memory, and every consumer picks out its bits there.

void write2000(unsigned char value) {
  BackGround.SetTable((value & ppu_register::kBackgroundPatternTable) << 8);
  CPU.Memory[0x2000] = value;
}

void write2003(unsigned char value) {
  SPRRAM.write2003(value);
  CPU.Memory[0x2003] = value;
}

void write2004(unsigned char value) {
  SPRRAM.write2004(value);
  CPU.Memory[0x2004] = value;
}

// A vertical value of 240-255 is not taken, but the toggle still flips back.
void write2005(unsigned char value) {
  if (HorV == 0) {
    BackGround.SetHScroll(value);
    HorV = 1;
  } else {
    if (value < 240) BackGround.SetVScroll(value);
    HorV = 0;
  }
  CPU.Memory[0x2005] = value;
}

// High byte first; the whole byte becomes the high byte, nothing is masked.
// Setting a full address primes the data port's read buffer.
void write2006(unsigned char value) {
  if (first_last == 0) {
    WriteAddress = static_cast<unsigned short>(value << 8);
    first_last = 1;
  } else {
    WriteAddress = static_cast<unsigned short>(WriteAddress + value);
    first_last = 0;
    AlreadyRead2007 = 0;
  }
  CPU.Memory[0x2006] = value;
}

void write4014(unsigned char value) {
  SPRRAM.write4014(value);
  CPU.Memory[0x4014] = value;
}

void write4016(unsigned char value) {
  Joy1.write(value);
  CPU.Memory[0x4016] = value;
}

void write4017(unsigned char value) {
  Joy2.write(value);
  CPU.Memory[0x4017] = value;
}

// Returns the status as it was; vertical blank is cleared after the read and
// the scroll toggle resets. The address toggle is left alone.
unsigned char read2002() {
  using namespace ppu_register;
  const unsigned char status = CPU.Memory[kStatus];
  // The same plain store as write_mem($2002) makes, but not a program write:
  // a write breakpoint on $2002 sees only the program's own writes.
  if (status & kVerticalBlank)
    CPU.Memory[kStatus] = static_cast<unsigned char>(status & ~kVerticalBlank);
  HorV = 0;
  return status;
}

unsigned char read2004() {
  return SPRRAM.read2004();
}

unsigned char read4016() {
  return Joy1.read();
}

unsigned char read4017() {
  return Joy2.read();
}
