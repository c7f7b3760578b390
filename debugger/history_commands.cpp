#include "debugger/history_commands.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "debugger/machine_controller.h"
#include "debugger/machine_history.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"

namespace {

std::string lastStateFile;  // the file dialogs open on the previous choice

// After going back or loading: the listing, registers and boxes show the
// moment the machine is now at (the viewers follow the controller).
void ShowWhereTheMachineIs(WindowHandle hdWnd, const machine::HistoryRefusal& refusal) {
  if (!refusal.empty()) {
    ShowMessage(hdWnd, refusal, "Taviro", MessageIcon::Exclamation);
    return;
  }
  UpdateInfo(hdWnd);
  UpdateJoystickButtons();
}

std::optional<std::string> ChooseStateFile(WindowHandle hdWnd, const char* title, bool saving) {
  FileOpenRequest request;
  request.title = title;
  request.filters = {{"Taviro State Files (*.tst)", "*.tst"}, {"All Files (*.*)", "*.*"}};
  request.initialPath = lastStateFile;
  request.forSaving = saving;
  const FileOpenResult result = OpenFileDialog(hdWnd, request);
  if (!result.chosen) return std::nullopt;
  lastStateFile = result.path;
  return result.path;
}

}  // namespace

void UpdateHistoryCommandStates(WindowHandle hdWnd, bool idle) {
  const std::string why = machine::WhyNoHistory();
  const bool loaded = machine::Loaded();
  for (int id : {IDM_STEP_BACK, IDM_RUN_BACK}) {
    EnableCommand(hdWnd, id, idle && loaded && why.empty());
    SetCommandTip(hdWnd, id, why);
  }
  for (int id : {IDM_SAVE_STATE, IDM_LOAD_STATE}) EnableCommand(hdWnd, id, idle && loaded);
}

void Debug_StepBack(WindowHandle hdWnd) {
  ShowWhereTheMachineIs(hdWnd, machine::StepBack());
}

void Debug_RunBack(WindowHandle hdWnd) {
  const std::optional<std::string> line = ListBoxGetText(hdWnd, IDC_LISTING, EndLine);
  if (!line) {
    ShowMessage(hdWnd, "Couldn't get text", "Error", MessageIcon::None);
    return;
  }
  // The breakpoint line's address, as Run to reads it.
  const auto address =
      static_cast<unsigned short>(std::strtoul(line->substr(0, 4).c_str(), nullptr, 16));
  ShowWhereTheMachineIs(hdWnd, machine::RunBack(address));
}

void Debug_SaveState(WindowHandle hdWnd) {
  const std::optional<std::string> path = ChooseStateFile(hdWnd, "Save State", true);
  if (!path) return;
  const machine::HistoryRefusal error = machine::SaveState(*path);
  if (error.empty())
    ShowMessage(hdWnd, "State saved to '" + *path + "'", ":-)", MessageIcon::None);
  else
    ShowMessage(hdWnd, error, "Error", MessageIcon::Stop);
}

void Debug_LoadState(WindowHandle hdWnd) {
  const std::optional<std::string> path = ChooseStateFile(hdWnd, "Load State", false);
  if (!path) return;
  const machine::HistoryRefusal error = machine::LoadState(*path);
  if (!error.empty()) {
    ShowMessage(hdWnd, "The state was not loaded: " + error, "Taviro", MessageIcon::Exclamation);
    return;
  }
  UpdateInfo(hdWnd);
  UpdateJoystickButtons();
}
