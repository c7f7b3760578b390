#pragma once
// The status protocol of the common homebrew test cartridges: once
// $6001-$6003 hold $DE $B0 $61, $6000 is the status ($80 running, $81 the
// cartridge asks for a reset, $00-$7F finished with that result) and a
// zero-terminated text grows from $6004.

#include <cstdio>
#include <string>

enum class TestStatus { Unsigned, Running, Finished };

// Watches the protocol frame after frame and gives the resets it asks for.
class StatusWatch {
 public:
  // verbose: print the text to out as it grows.
  StatusWatch(bool verbose, std::FILE* out) : verbose_(verbose), out_(out) {}

  // Called after every frame, numbered from 1.
  TestStatus AfterFrame(unsigned long frame);

  int Result() const { return result_; }  // once Finished
  const std::string& Text() const { return text_; }

 private:
  void FollowText();

  bool verbose_;
  std::FILE* out_;
  std::string text_;
  std::string shown_;  // the text as --verbose last showed it
  int result_ = -1;
  unsigned long resetAskedAt_ = 0;  // frame at which $81 was first seen; 0 when not asked
  bool resetGiven_ = false;         // the $81 request seen last has been answered
};

// The text at $6004, bytes that are not printable shown as '?'.
std::string StatusText();
