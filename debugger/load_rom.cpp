// The Load ROM command: the file dialog, the load with its board plug-in,
// the reset, and what the debugger window shows afterwards.
#include <string>

#include "cart/load_sequence.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/loaded_symbols.h"
#include "debugger/machine_controller.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"

namespace {

// The image file last chosen; a cancelled dialog leaves it, so the same
// image loads again.
std::string szName;

void RomFileOpen(WindowHandle window) {
  const FileOpenRequest request{
      "Load ROM", {{"NES Files (*.nes)", "*.nes"}, {"All Files (*.*)", "*.*"}}, szName};
  const FileOpenResult result = OpenFileDialog(window, request);
  if (result.chosen)
    szName = result.path;
  else if (result.errorCode != 0)
    ShowMessage(window, "File Error #" + std::to_string(result.errorCode), "Error",
                MessageIcon::Stop);
}

// After a failed load no board works: the window says so and the commands
// that run the CPU are disabled.
void ShowNoImage(WindowHandle window) {
  ListBoxReset(window, IDC_LISTING);
  ListBoxAddString(window, IDC_LISTING, "[No ROM image loaded]");
  SetDlgItemText(window, IDC_NMI_VECTOR, "NMI Vect. =");
  SetDlgItemText(window, IDC_MIRRORING, "Mirroring = ");
}

// A file refused before the load began (not openable, no image) leaves the
// loaded cartridge, its symbols and its listing as they were; any later
// failure leaves no board.
void LoadChosenImage(WindowHandle window, const std::string& symbolFile = {}) {
  const int code = machine::Load(szName);
  if (code == machine::kBusy) return;  // the command is not offered then
  if (code != 0) {
    if (!ImageLoaded()) {
      ClearSymbols();
      ShowNoImage(window);
      UpdateCommandStates();
    }
    ShowMessage(window, LoadFailureText(code, szName), "Error", MessageIcon::Stop);
    return;
  }
  // A bad symbol file costs the labels, not the image.
  const std::string symbolsMessage = LoadSymbolsForImage(szName, symbolFile);
  DisassembleROM();
  ListBoxPos = 0;
  ListBoxSetCurSel(window, IDC_LISTING, 0);
  SetDlgItemText(window, IDC_STATUS, "");
  UpdateInfo(window);
  SetDlgItemText(window, IDC_NMI_VECTOR, NMIVectorText());
  SetDlgItemText(window, IDC_MIRRORING, MirroringText());
  UpdateCommandStates();
  if (!symbolsMessage.empty())
    ShowMessage(window, symbolsMessage, "Taviro", MessageIcon::Exclamation);
}

}  // namespace

void Debug_LoadROM(WindowHandle hdWnd) {
  RomFileOpen(hdWnd);
  LoadChosenImage(hdWnd);
}

void Debug_LoadImage(WindowHandle hdWnd, const std::string& path, const std::string& symbolFile) {
  szName = path;
  LoadChosenImage(hdWnd, symbolFile);
}
