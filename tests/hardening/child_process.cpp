#include "tests/hardening/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

ChildEnd WaitWithDeadline(pid_t pid, std::chrono::milliseconds deadline) {
  ChildEnd end;
  const auto giveUp = std::chrono::steady_clock::now() + deadline;
  int status = 0;
  for (;;) {
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) return end;  // not our child any more: nothing to report
    if (std::chrono::steady_clock::now() >= giveUp) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      end.timedOut = true;
      return end;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(status)) end.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) end.signal = WTERMSIG(status);
  return end;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string ChildEnd::Describe() const {
  if (timedOut) return "still running after the deadline";
  if (signal != 0) return "signal " + std::to_string(signal) + " (" + strsignal(signal) + ")";
  return "exit " + std::to_string(exitCode);
}

ChildEnd RunInChild(const std::function<int()>& body, std::chrono::milliseconds deadline) {
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) return ChildEnd{};
  if (pid == 0) {
    int result = body();
    std::fflush(nullptr);
    _exit(result);
  }
  return WaitWithDeadline(pid, deadline);
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratchDirectory, std::chrono::milliseconds deadline) {
  const std::string outPath = scratchDirectory + "/stdout";
  const std::string errPath = scratchDirectory + "/stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  ProgramRun run;
  pid_t pid = 0;
  int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    run.err = "could not start " + program + ": " + std::strerror(failed);
    return run;
  }
  run.end = WaitWithDeadline(pid, deadline);
  run.out = ReadWholeFile(outPath);
  run.err = ReadWholeFile(errPath);
  return run;
}
