#pragma once
// The progress line of a long run: frames done and frames per second on
// stderr, only when stderr is a terminal and the run has taken more than
// about two seconds, so that pipes, files and short runs never see it.

#include <chrono>
#include <cstdio>

class ProgressLine {
 public:
  ProgressLine(std::FILE* terminal, unsigned long totalFrames);
  ~ProgressLine();  // erases the line it drew

  void Update(unsigned long frames);

 private:
  using Clock = std::chrono::steady_clock;
  std::FILE* terminal_;  // null when the stream is not a terminal
  unsigned long total_;
  Clock::time_point start_;
  Clock::time_point next_;
  bool drawn_ = false;
};
