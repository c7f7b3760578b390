// The program taviro: an image named at start, its command line, and the
// missing display; WinMain's result as the process's exit status.
#include <QTimer>

#include "debugger/taviro.h"
#include "tests/cart/ines_image.h"
#include "tests/debugger_window/debugger_fixture.h"
#include "tests/hardening/child_process.h"

namespace {

class Program : public testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramDir());
    SetMessageHook([this](const MessageRecord& record) { messages.push_back(record); });
  }
  void TearDown() override { SetMessageHook({}); }

  // Runs WinMain as main does, closing the debugger once done() holds.
  template <typename Done>
  int RunWinMainUntil(const std::string& image, Done done) {
    std::function<void()> poll = [&] {
      if (hWndMain != nullptr && done())
        SendCloseRequest(hWndMain);
      else
        QTimer::singleShot(5, poll);
    };
    QTimer::singleShot(0, poll);
    return WinMain(image);
  }

  ProgramRun Taviro(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"env", "-u", "DISPLAY", "-u", "QT_QPA_PLATFORM", ProgramDir() + "/taviro"});
    return RunProgram("/usr/bin/env", arguments, scratch.path(), std::chrono::seconds(20));
  }

  std::vector<MessageRecord> messages;
  TempDirectory scratch;
};

TEST_F(Program, ImageNamedAtStartLoadsAsLoadRomWould) {
  EXPECT_EQ(RunWinMainUntil(DemoImage(), [] { return ListBoxCount(hWndMain, IDC_LISTING) == 100; }),
            1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(MapperHandle, nullptr);  // unloaded once the dialog has ended

  EXPECT_EQ(RunWinMainUntil(scratch.path() + "/missing.nes", [this] { return !messages.empty(); }),
            1);
  EXPECT_EQ(messages.at(0).text, "Could Not Open File");
  EXPECT_FALSE(ImageLoaded());
}

// Without a display: the options still answer, an image does not open.
TEST_F(Program, CommandLineAndMissingDisplayEndWithTheirStatus) {
  const ProgramRun help = Taviro({"--help"});
  EXPECT_TRUE(help.end.ExitedWith(0)) << help.end.Describe();
  EXPECT_EQ(help.out.rfind("Usage: taviro [IMAGE]", 0), 0u);
  for (const char* board : {"0 NROM", "1 MMC1 (SxROM)", "2 UxROM", "3 CNROM", "4 MMC3", "7 AxROM",
                            "9 MMC2", "30 UNROM 512"})
    EXPECT_NE(help.out.find(board), std::string::npos) << board;
  EXPECT_TRUE(Taviro({"--version"}).end.ExitedWith(0));

  const ProgramRun bad = Taviro({"--frames", "3"});
  EXPECT_TRUE(bad.end.ExitedWith(2)) << bad.end.Describe();
  EXPECT_EQ(bad.err.rfind("taviro: unknown option --frames\nUsage:", 0), 0u);

  const ProgramRun headless = Taviro({DemoImage()});
  EXPECT_TRUE(headless.end.ExitedWith(1)) << headless.end.Describe();
  EXPECT_EQ(headless.err,
            "taviro: no display: DISPLAY is not set (start Taviro in a desktop session)\n");
}

}  // namespace
