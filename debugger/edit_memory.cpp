#include "debugger/edit_memory.h"

#include <cstdint>
#include <optional>
#include <string>

#include "cpu/cpu.h"
#include "debugger/hex_field.h"
#include "debugger/hex_number.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_refusals.h"
#include "debugger/tool_commands.h"
#include "debugger/tool_templates.h"
#include "platform/message_box.h"
#include "ppu/ppu.h"

namespace {

// One editable area: where a byte goes and how far the address may reach.
struct EditArea {
  const char* title;
  std::uint32_t limit;  // addresses below this are written
  void (*write)(std::uint32_t address, unsigned char value);
};

// Through the processor's own data-write route: a port, a RAM mirror or
// the cartridge area react as to the CPU's store.
const EditArea CpuArea{
    "Edit CPU Memory Location", 0x10000,
    [](std::uint32_t address, unsigned char value) { write_mem(address, value); }};
// Straight into PPU memory; the pattern-tile cache is left as it is.
const EditArea PpuArea{
    "Edit PPU Memory Location", 0x4000,
    [](std::uint32_t address, unsigned char value) { PPU.PPUMem[address] = value; }};
const EditArea StackArea{
    "Edit Stack Memory Location", 0x100,
    [](std::uint32_t address, unsigned char value) { CPU.Memory[0x100 + address] = value; }};

// The address field counts at most four characters and the value field
// two. Either one holding no number is refused naming it, and the dialog
// stays open; a negative address turns into a large unsigned one and is
// out of range. Returns false when the dialog is to stay open.
const HexField AddressField{IDC_EDIT_ADDRESS, 4, "Memory Location",
                            "up to 4 hexadecimal digits (0-9, A-F), such as 0300"};
const HexField ValueField{IDC_EDIT_VALUE, 2, "Value",
                          "up to 2 hexadecimal digits (0-9, A-F), such as 5A"};

bool WriteTypedByte(WindowHandle hdWnd, const EditArea& area) {
  const std::optional<std::int32_t> typedAddress = ReadHexField(hdWnd, AddressField);
  if (!typedAddress) return false;
  const std::optional<std::int32_t> typedValue = ReadHexField(hdWnd, ValueField);
  if (!typedValue) return false;
  const auto address = static_cast<std::uint32_t>(*typedAddress);
  const auto value = static_cast<unsigned char>(*typedValue & 0xFF);
  if (address >= area.limit) {
    ShowMessage(hdWnd, "One or more value(s) are out of range.\nNo write was made", "Taviro",
                MessageIcon::Stop);
    return true;
  }
  // A write while another thread executes could land in the middle of an
  // instruction; the command is only offered while the machine is free,
  // and the viewers follow the write.
  if (!machine::Change([&] { area.write(address, value); }))
    ShowMessage(hdWnd, kMachineBusyText, "Taviro", MessageIcon::Exclamation);
  return true;
}

void OnInit(WindowHandle hdWnd, const EditArea& area) {
  SetWindowTitle(hdWnd, area.title);
}

void OnCommand(WindowHandle hdWnd, int id, const EditArea& area) {
  if (id == IDOK) {
    if (WriteTypedByte(hdWnd, area)) EndDialog(hdWnd, 0);
  } else if (id == IDCANCEL) {
    EndDialog(hdWnd, 0);
  }
}

}  // namespace

void Edit_CPUMem_OnInit(WindowHandle hdWnd) {
  OnInit(hdWnd, CpuArea);
}
void Edit_CPUMem_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  OnCommand(hdWnd, id, CpuArea);
}
void Edit_CPUMem_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}
void Edit_PPUMem_OnInit(WindowHandle hdWnd) {
  OnInit(hdWnd, PpuArea);
}
void Edit_PPUMem_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  OnCommand(hdWnd, id, PpuArea);
}
void Edit_PPUMem_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}
void Edit_Stack_OnInit(WindowHandle hdWnd) {
  OnInit(hdWnd, StackArea);
}
void Edit_Stack_OnCommand(WindowHandle hdWnd, int id, WindowHandle, int) {
  OnCommand(hdWnd, id, StackArea);
}
void Edit_Stack_OnClose(WindowHandle hdWnd) {
  EndDialog(hdWnd, 0);
}

DialogProcedures Edit_CPUMem_DlgProc() {
  return {Edit_CPUMem_OnInit, Edit_CPUMem_OnCommand, Edit_CPUMem_OnClose};
}
DialogProcedures Edit_PPUMem_DlgProc() {
  return {Edit_PPUMem_OnInit, Edit_PPUMem_OnCommand, Edit_PPUMem_OnClose};
}
DialogProcedures Edit_Stack_DlgProc() {
  return {Edit_Stack_OnInit, Edit_Stack_OnCommand, Edit_Stack_OnClose};
}

// 214, 215, 216: refused while another thread holds the machine.
void Debug_EditMemory(WindowHandle hdWnd, int id) {
  if (!MachineFreeOrSay(hdWnd)) return;
  const DialogProcedures procedures = id == 214   ? Edit_CPUMem_DlgProc()
                                      : id == 215 ? Edit_PPUMem_DlgProc()
                                                  : Edit_Stack_DlgProc();
  RunModalDialog(EditMemoryDialog, hdWnd, procedures);
}
