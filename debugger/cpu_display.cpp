// What the debugger window shows of the machine: registers, flags, PPU
// values, the listing and the joypad boxes. Read straight from the machine's
// records, never through the bus: reading $2002 through it would clear the
// vertical-blank flag the window shows.
#include <cstdio>
#include <string>

#include "cpu/cpu.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/disassembler.h"
#include "debugger/listing_labels.h"
#include "debugger/listing_marks.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_history.h"
#include "debugger/source_view.h"
#include "emulation/owner.h"
#include "io/joystick.h"
#include "io/memoryio.h"
#include "ppu/background.h"
#include "ppu/ppu.h"

namespace {

constexpr int kListingLines = 100;

template <typename... Values>
void SetFormatted(WindowHandle hdWnd, int id, const char* format, Values... values) {
  char text[40];
  std::snprintf(text, sizeof text, format, values...);
  SetDlgItemText(hdWnd, id, text);
}

std::string FlagBits(unsigned char flags) {
  std::string bits;
  for (int bit = 7; bit >= 0; --bit) bits += ((flags >> bit) & 1) ? '1' : '0';
  return bits;
}

// Selects the line of PC, found from the PC field's four hex digits
// (searching from the second line and wrapping round); rebuilds the listing
// only when PC is not in it, and only when nobody else runs the CPU.
void SyncListing(WindowHandle hdWnd) {
  if (!machine::Loaded()) return;  // the listing says "[No ROM image loaded]"
  const std::string pc = GetDlgItemText(hdWnd, IDC_PC);
  const int line = ListBoxFindString(hdWnd, IDC_LISTING, 0, pc.substr(2, 4));
  if (line >= 0) {
    ListBoxPos = line;
  } else {
    if (!machine::Idle()) return;
    DisassembleROM();
    ListBoxPos = 0;
  }
  ListBoxSetCurSel(hdWnd, IDC_LISTING, ListBoxPos);
  MarkListing(hdWnd);
}

struct ButtonBox {
  int id;
  int button;  // the joypad's button number
};

constexpr ButtonBox kButtonBoxes[] = {
    {IDC_JOY_A, 0},  {IDC_JOY_B, 1},    {IDC_JOY_SELECT, 2}, {IDC_JOY_START, 3},
    {IDC_JOY_UP, 4}, {IDC_JOY_DOWN, 5}, {IDC_JOY_LEFT, 6},   {IDC_JOY_RIGHT, 7},
};

// What the window shows of one moment of the machine.
struct Registers {
  unsigned char a, x, y, s, flags, status;  // status: the byte at $2002
  unsigned short pc;
  unsigned int cycles;
  int scanline, hScroll, vScroll;
  unsigned int vramAddress;
};

Registers ReadRegisters() {
  Registers r{};
  machine::Inspect([&r] {
    r = {CPU.AC,
         CPU.XR,
         CPU.YR,
         CPU.S,
         CPU.FLAGS,
         CPU.Memory[0x2002],
         CPU.PC,
         CPU.Cycles,
         int{PPU.Scanline},
         int{BackGround.GetHScroll()},
         int{BackGround.GetVScroll()},
         unsigned{WriteAddress}};
  });
  return r;
}

}  // namespace

// One read of the machine, then the fields: a refresh during a run shows
// one moment, never registers of two different instructions.
void UpdateInfo(WindowHandle hdWnd) {
  if (hdWnd == nullptr) return;
  const Registers r = ReadRegisters();
  SetFormatted(hdWnd, IDC_A, "0x%02X", r.a);
  SetFormatted(hdWnd, IDC_X, "0x%02X", r.x);
  SetFormatted(hdWnd, IDC_Y, "0x%02X", r.y);
  SetFormatted(hdWnd, IDC_SP, "0x%02X", r.s);
  SetFormatted(hdWnd, IDC_PC, "0x%04X", r.pc);
  SetDlgItemText(hdWnd, IDC_FLAGS, FlagBits(r.flags));
  SetDlgItemUnsigned(hdWnd, IDC_CYCLES, r.cycles);
  SetFormatted(hdWnd, IDC_SCANLINE, "Scanline  = %d", r.scanline);
  SetFormatted(hdWnd, IDC_HSCROLL, "HScroll   = %d", r.hScroll);
  SetFormatted(hdWnd, IDC_VSCROLL, "VScroll   = %d", r.vScroll);
  SetFormatted(hdWnd, IDC_VRAM_ADDRESS, "VRAM Add. = $%X", r.vramAddress);
  CheckDlgButton(hdWnd, IDC_VBLANK, (r.status & 0x80) != 0);
  CheckDlgButton(hdWnd, IDC_SPRITE0, (r.status & 0x40) != 0);
  SyncListing(hdWnd);
  RefreshSourceView();
}

// Borrows PC to walk the program: the disassembler formats the instruction
// at PC and advances it. Labels, when the image has symbols, follow each
// line's text. Only while the machine is idle.
void DisassembleROM() {
  if (hWndMain == nullptr) return;
  machine::Borrow([] {
    const unsigned short pc = CPU.PC;
    ListBoxReset(hWndMain, IDC_LISTING);
    char line[kDisassemblyLineSize];
    while (ListBoxCount(hWndMain, IDC_LISTING) < kListingLines) {
      const unsigned short address = CPU.PC;
      DisplayInstruction(line);
      ListBoxAddString(hWndMain, IDC_LISTING, DecorateListingLine(line, address));
    }
    CPU.PC = pc;
  });
  // Labels make lines longer than the listing's template width: the
  // listing widens to show them whole rather than cut to "load_palet...".
  FitDialogToTexts(hWndMain);
  MarkListing(hWndMain);
}

void UpdateJoystickButtons() {
  if (hWndMain == nullptr) return;
  const Joystick* pad = nullptr;
  if (IsDlgButtonChecked(hWndMain, IDC_JOYSTICK1))
    pad = &Joy1;
  else if (IsDlgButtonChecked(hWndMain, IDC_JOYSTICK2))
    pad = &Joy2;
  if (pad == nullptr) return;
  for (const ButtonBox& box : kButtonBoxes)
    CheckDlgButton(hWndMain, box.id, pad->GetButton(box.button) != 0);
}

// A joypad box was toggled: the selected joypad's button follows it.
void Debug_JoypadButton(WindowHandle hdWnd, int id) {
  Joystick& pad = IsDlgButtonChecked(hdWnd, IDC_JOYSTICK1) ? Joy1 : Joy2;
  for (const ButtonBox& box : kButtonBoxes) {
    if (box.id != id) continue;
    const bool pressed = IsDlgButtonChecked(hdWnd, id);
    machine::PressInput([&pad, pressed, button = box.button] {
      if (pressed)
        pad.SetButton(button);
      else
        pad.ClearButton(button);
    });
  }
}
