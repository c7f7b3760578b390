#pragma once
// Runs code under test in a child process with a deadline, so that a crash,
// a sanitizer report or a hang fails that one case with a description
// instead of taking the whole suite down or stalling it.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// How a child ended.
struct ChildEnd {
  bool timedOut = false;  // still running at the deadline, then killed
  int exitCode = -1;      // when it exited on its own
  int signal = 0;         // when a signal ended it

  bool ExitedWith(int code) const { return !timedOut && signal == 0 && exitCode == code; }
  // "exit 0", "signal 11 (Segmentation fault)", "still running after the deadline"
  std::string Describe() const;
};

// Forks; the child runs body and exits with its result. Output buffered
// before the fork is flushed first so the child does not print it again.
ChildEnd RunInChild(const std::function<int()>& body, std::chrono::milliseconds deadline);

// What a program run left behind.
struct ProgramRun {
  ChildEnd end;
  std::string out;
  std::string err;
};

// Starts program with arguments (argv[0] is the program), stdin from
// /dev/null, stdout and stderr captured through files in scratchDirectory.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratchDirectory, std::chrono::milliseconds deadline);
