#pragma once
// The register ports the CPU's route tables call: PPU registers, sprite DMA
// and the joypads. Every write handler stores the value into CPU memory last.

extern unsigned char HorV;             // 0: next $2005 write is horizontal
extern unsigned char first_last;       // 0: next $2006 write is the high byte
extern unsigned short WriteAddress;    // the PPU address latch
extern unsigned char AlreadyRead2007;  // data-port read flag

// The Reset command: both write toggles back to their first write, so a
// program stopped between two $2006 (or $2005) writes starts clean.
void ResetPortToggles();
// Loading an image is a power-on: the toggles, the address latch and the
// data-port read flag all start from zero.
void PowerOnPorts();

void write2000(unsigned char value);
void write2003(unsigned char value);
void write2004(unsigned char value);
void write2005(unsigned char value);
void write2006(unsigned char value);
void write4014(unsigned char value);
void write4016(unsigned char value);
void write4017(unsigned char value);
unsigned char read2002();
unsigned char read2004();
unsigned char read4016();
unsigned char read4017();
