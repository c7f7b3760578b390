#include "ppu/background.h"

#include "cpu/cpu.h"
#include "ppu/ppu.h"

Background BackGround;

unsigned char ScanScrollH[262];
unsigned char ScanScrollV[262];
unsigned char ScanNameTable[262];
unsigned int ScanBackPattern[262];

Background::Background() {
  ddbltfx.dwSize = 100;
  ddbltfx.dwFillColor = 0;
}

// Records the scroll state of the line just completed; the frame is drawn
// later from these records, so mid-frame scroll changes split the picture.
void SetScanlineScroll() {
  RecordScanlineScroll(PPU.Scanline);
}

void RecordScanlineScroll(unsigned char line) {
  const unsigned char control = CPU.Memory[0x2000];
  ScanScrollH[line] = BackGround.HScroll;
  ScanScrollV[line] = BackGround.VScroll;
  ScanNameTable[line] = control & 3;
  ScanBackPattern[line] = (control & 0x10) << 8;
}
