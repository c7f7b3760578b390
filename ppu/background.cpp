#include "ppu/background.h"

#include "cpu/cpu.h"
#include "ppu/ppu.h"
#include "ppu/ppu_registers.h"

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
  using namespace ppu_register;
  const unsigned char control = CPU.Memory[kControl];
  ScanScrollH[line] = BackGround.HScroll;
  ScanScrollV[line] = BackGround.VScroll;
  ScanNameTable[line] = control & kNameTableSelect;
  ScanBackPattern[line] = (control & kBackgroundPatternTable) << 8;
}
