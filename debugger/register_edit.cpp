#include "debugger/register_edit.h"

#include <optional>
#include <string>

#include "cpu/cpu.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/hex_field.h"
#include "debugger/machine_controller.h"
#include "platform/message_box.h"

namespace {

constexpr std::size_t kWholeText = 16;  // nothing is cut: too long is out of range
constexpr const char* kByte = "a hexadecimal byte (0-9, A-F), such as 3F or 0x3F";

struct RegisterField {
  HexField field;
  unsigned char* byte;  // nullptr for PC
};

std::optional<RegisterField> FieldOf(int id) {
  switch (id) {
    case IDC_A:
      return RegisterField{{IDC_A, kWholeText, "A", kByte, 0, 0xFF}, &CPU.AC};
    case IDC_X:
      return RegisterField{{IDC_X, kWholeText, "X", kByte, 0, 0xFF}, &CPU.XR};
    case IDC_Y:
      return RegisterField{{IDC_Y, kWholeText, "Y", kByte, 0, 0xFF}, &CPU.YR};
    case IDC_SP:
      return RegisterField{{IDC_SP, kWholeText, "SP", kByte, 0, 0xFF}, &CPU.S};
    case IDC_PC:
      return RegisterField{
          {IDC_PC, kWholeText, "PC",
           "up to 4 hexadecimal digits (0-9, A-F), such as C000 or 0xC000", 0, 0xFFFF},
          nullptr};
    default:
      return std::nullopt;
  }
}

// The flags field shows the eight bits, N first; it takes them the same
// way: one to eight binary digits.
std::optional<unsigned char> ReadFlags(WindowHandle hdWnd) {
  const std::string text = GetDlgItemText(hdWnd, IDC_FLAGS);
  const std::size_t first = text.find_first_not_of(' ');
  const std::size_t last = text.find_last_not_of(' ');
  const std::string bits = first == std::string::npos ? "" : text.substr(first, last - first + 1);
  if (!bits.empty() && bits.size() <= 8 && bits.find_first_not_of("01") == std::string::npos)
    return static_cast<unsigned char>(std::stoul(bits, nullptr, 2));
  ShowMessage(hdWnd,
              "The flags field holds \"" + text +
                  "\", which is not a set of flag bits.\nIt accepts up to 8 binary digits, "
                  "N V - B D I Z C from the left, such as 00100100.",
              "Taviro", MessageIcon::Stop);
  return std::nullopt;
}

bool Refused(WindowHandle hdWnd) {
  if (!machine::Loaded()) {
    ShowMessage(hdWnd, "Load a ROM before changing the registers.", "Taviro",
                MessageIcon::Exclamation);
    return true;
  }
  if (!machine::Idle()) {
    ShowMessage(hdWnd,
                "The registers can be changed only while the machine is idle: break the run or "
                "close the game window first.",
                "Taviro", MessageIcon::Exclamation);
    return true;
  }
  return false;
}

void ChangeRegister(WindowHandle hdWnd, int id) {
  if (id == IDC_FLAGS) {
    if (const std::optional<unsigned char> flags = ReadFlags(hdWnd))
      machine::Change([value = *flags] { CPU.FLAGS = value; });
    return;
  }
  const std::optional<RegisterField> reg = FieldOf(id);
  if (!reg) return;
  const std::optional<std::int32_t> value = ReadHexField(hdWnd, reg->field);
  if (!value) return;
  if (reg->byte != nullptr) {
    machine::Change([byte = reg->byte, v = *value] { *byte = static_cast<unsigned char>(v); });
    return;
  }
  // A new PC starts a new listing there.
  if (machine::Change([v = *value] { CPU.PC = static_cast<unsigned short>(v); })) DisassembleROM();
}

}  // namespace

void Debug_EditRegister(WindowHandle hdWnd, int id) {
  if (!Refused(hdWnd)) ChangeRegister(hdWnd, id);
  UpdateInfo(hdWnd);  // the field shows the register as it now is
}
