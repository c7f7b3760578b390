#pragma once
// The real debugger dialog on the offscreen platform, with the message box
// and the file dialog answered by the test, and the real plug-ins.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "cpu/cpu.h"
#include "debugger/debug_dialog_template.h"
#include "debugger/debug_window.h"
#include "emulation/owner.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/ui_thread.h"

inline std::string ProgramDir() {
  const char* dir = std::getenv("TAVIRO_PROGRAM_DIR");
  return dir != nullptr ? dir : TAVIRO_PROGRAM_DIR_DEFAULT;
}

inline std::string DemoImage() {
  return ProgramDir() + "/../roms/demo.nes";
}

// Processes the UI's events until done() or the deadline; false on timeout.
template <typename Done>
bool WaitFor(Done done, std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
  const auto end = std::chrono::steady_clock::now() + deadline;
  ProcessEventsUntil([&] { return done() || std::chrono::steady_clock::now() > end; });
  return done();
}

class DebuggerWindow : public testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramDir());
    SetMessageHook([this](const MessageRecord& record) { messages.push_back(record); });
    SetFileDialogHook([this](const FileOpenRequest& request) {
      requests.push_back(request);
      return FileOpenResult{!nextChoice.empty(), nextChoice, 0};
    });
    EndLine = 0;
    dialog = CreateModelessDialog(DebugDialog, nullptr, Debug_DlgProc());
  }
  void TearDown() override {
    if (hWndMain != nullptr) SendCloseRequest(hWndMain);
    QCoreApplication::processEvents();
    SetMessageHook({});
    SetFileDialogHook({});
    UnloadBoard();
  }

  void Command(int id, int code = 0) { Debug_OnCommand(dialog, id, nullptr, code); }
  void LoadThroughDialog(const std::string& path) {
    nextChoice = path;
    Command(IDC_LOADROM);
  }
  std::string Line(int index) { return ListBoxGetText(dialog, IDC_LISTING, index).value_or(""); }
  std::string Text(int id) { return GetDlgItemText(dialog, id); }
  int Selected() { return ListBoxGetCurSel(dialog, IDC_LISTING); }
  std::string LastMessage() { return messages.empty() ? "" : messages.back().text; }
  std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
  }

  WindowHandle dialog = nullptr;
  std::vector<MessageRecord> messages;
  std::vector<FileOpenRequest> requests;
  std::string nextChoice;
};
