// The program taviro: an image named at start, its command line, and the
// missing display; WinMain's result as the process's exit status.
#include <QTimer>

#include "debugger/taviro.h"
#include "tests/cart/ines_image.h"
#include "tests/debugger_window/debugger_fixture.h"
#include "tests/hardening/child_process.h"

namespace {

// Runs WinMain as main does, closing the debugger once done() holds.
template <typename Done>
int RunWinMainUntil(const std::string& image, Done done) {
  std::function<void()> poll;
  poll = [&] {
    if (hWndMain != nullptr && done())
      SendCloseRequest(hWndMain);
    else
      QTimer::singleShot(5, poll);
  };
  QTimer::singleShot(0, poll);
  return WinMain(image);
}

class Program : public testing::Test {
 protected:
  void SetUp() override {
    SetBoardDirectory(ProgramDir());
    SetMessageHook([this](const MessageRecord& record) { messages.push_back(record); });
  }
  void TearDown() override { SetMessageHook({}); }

  ProgramRun Taviro(const std::vector<std::string>& arguments,
                    const std::vector<const char*>& unset = {}) {
    std::vector<std::string> argv{"env"};
    for (const char* name : unset) argv.insert(argv.end(), {"-u", name});
    argv.push_back(ProgramDir() + "/taviro");
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProgram("/usr/bin/env", argv, scratch.path(), std::chrono::seconds(20));
  }

  std::vector<MessageRecord> messages;
  TempDirectory scratch;
};

TEST_F(Program, ImageNamedAtStartLoadsAsLoadRomWould) {
  const int result =
      RunWinMainUntil(DemoImage(), [] { return ListBoxCount(hWndMain, IDC_LISTING) == 100; });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(MapperHandle, nullptr);  // unloaded once the dialog has ended
}

TEST_F(Program, MissingImageAtStartSaysSoAndLeavesNoBoard) {
  const int result =
      RunWinMainUntil(scratch.path() + "/missing.nes", [this] { return !messages.empty(); });
  EXPECT_EQ(result, 1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Could Not Open File");
  EXPECT_FALSE(ImageLoaded());
}

TEST_F(Program, CommandLineAndDisplayProblemsEndWithTheirStatus) {
  const ProgramRun help = Taviro({"--help"});
  EXPECT_TRUE(help.end.ExitedWith(0)) << help.end.Describe();
  EXPECT_NE(help.out.find("Usage: taviro [IMAGE]"), std::string::npos);

  const ProgramRun version = Taviro({"--version"});
  EXPECT_TRUE(version.end.ExitedWith(0)) << version.end.Describe();
  EXPECT_EQ(version.out.rfind("taviro ", 0), 0u);

  const ProgramRun bad = Taviro({"--frames", "3"});
  EXPECT_TRUE(bad.end.ExitedWith(2)) << bad.end.Describe();
  EXPECT_NE(bad.err.find("unknown option --frames"), std::string::npos);
  EXPECT_NE(bad.err.find("Usage:"), std::string::npos);

  const ProgramRun headless =
      Taviro({DemoImage()}, {"DISPLAY", "QT_QPA_PLATFORM", "WAYLAND_DISPLAY"});
  EXPECT_TRUE(headless.end.ExitedWith(1)) << headless.end.Describe();
  EXPECT_EQ(headless.err,
            "taviro: no display: DISPLAY is not set (start Taviro in a desktop session)\n");
}

}  // namespace
