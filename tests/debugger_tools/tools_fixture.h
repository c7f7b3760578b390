#pragma once
// What the tools' tests share: the messages a user would have seen, a
// scratch current directory for the dump files, a listing window standing
// as the debugger's hWndMain, and driving a modal dialog by its labels.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "cart/board_binding.h"
#include "cart/load_sequence.h"
#include "debugger/debug_window.h"
#include "emulation/owner.h"
#include "platform/message_box.h"
#include "platform/window.h"

inline const DialogTemplate ListingDialog{
    200,
    "Listing",
    200,
    180,
    DialogNone,
    {{201, ControlKind::ListBox, nullptr, StyleVScroll | StyleNotify | StyleFixedPitch, 0, 0, 200,
      180}}};

class ToolsTest : public testing::Test {
 protected:
  void SetUp() override {
    SetMessageHook([this](const MessageRecord& record) { messages.push_back(record); });
    savedDirectory_ = std::filesystem::current_path();
    scratch_ = std::filesystem::temp_directory_path() /
               ("taviro-tools-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(scratch_);
    std::filesystem::current_path(scratch_);
    listing_ = CreateModelessDialog(ListingDialog, nullptr, {});
    hWndMain = listing_;
  }
  void TearDown() override {
    hWndMain = nullptr;
    DestroyWindow(listing_);
    QApplication::processEvents();
    SetMessageHook({});
    std::filesystem::current_path(savedDirectory_);
    std::filesystem::remove_all(scratch_);
  }

  void SetListing(const std::vector<std::string>& lines) {
    ListBoxReset(listing_, 201);
    for (const std::string& line : lines) ListBoxAddString(listing_, 201, line);
  }
  std::vector<std::string> Listing() const {
    std::vector<std::string> lines;
    for (int i = 0; i < ListBoxCount(listing_, 201); ++i)
      lines.push_back(ListBoxGetText(listing_, 201, i).value_or("?"));
    return lines;
  }
  int Selected() const { return ListBoxGetCurSel(listing_, 201); }

  // Runs command, which opens a modal dialog; act sees the dialog once it
  // is up and ends it (by its buttons). Returns the dialog's title.
  std::string WithDialog(const std::function<void()>& command,
                         const std::function<void(QDialog*)>& act) {
    std::string title;
    bool acted = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr || acted) return;
      acted = true;
      title = dialog->windowTitle().toStdString();
      act(dialog);
    });
    poll.start(1);
    command();
    EXPECT_TRUE(acted) << "no dialog opened";
    return title;
  }
  // The field a label names, as assistive technology finds it.
  static QLineEdit* Field(QDialog* dialog, const char* label) {
    for (QLabel* candidate : dialog->findChildren<QLabel*>())
      if (candidate->text() == label) return qobject_cast<QLineEdit*>(candidate->buddy());
    ADD_FAILURE() << "no field labelled " << label;
    static QLineEdit nowhere;
    return &nowhere;
  }
  static void Press(QDialog* dialog, const char* button) {
    for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
      if (candidate->text() == button) return candidate->click();
    ADD_FAILURE() << "no button " << button;
  }

  std::vector<MessageRecord> messages;
  WindowHandle listing_ = nullptr;

 private:
  std::filesystem::path savedDirectory_;
  std::filesystem::path scratch_;
};

// The tools with the demo cartridge loaded on its real board.
class DemoLoadedTest : public ToolsTest {
 protected:
  void SetUp() override {
    ToolsTest::SetUp();
    SetBoardDirectory(TAVIRO_PROGRAM_DIR_DEFAULT);
    ASSERT_EQ(LoadImageAndReset(TAVIRO_ROM_DIR "/demo.nes"), 0);
  }
  void TearDown() override {
    UnloadBoard();
    SetBoardDirectory("");
    ToolsTest::TearDown();
  }
};

// Processes events until done() or five seconds have passed; whether done.
inline bool Eventually(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > 5000) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// Holds the machine for another thread while it lives.
struct MachineHeldBy {
  explicit MachineHeldBy(MachineHolder who) : who_(who) { EXPECT_TRUE(Machine.TryTake(who)); }
  ~MachineHeldBy() { Machine.Give(who_); }
  MachineHolder who_;
};
