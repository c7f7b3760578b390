#pragma once
// The built taviro-run as a user runs it, from a shell, with its output
// and exit status kept for the test to look at.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cart/ines_image.h"

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream stream(text);
  std::string line;
  while (std::getline(stream, line)) lines.push_back(line);
  return lines;
}

inline std::string Rom(const char* name) {
  return std::string(TAVIRO_ROM_DIR) + "/" + name + ".nes";
}
inline std::string Golden(const char* name) {
  return std::string(TAVIRO_GOLDEN_DIR) + "/" + name;
}

class Runner : public ::testing::Test {
 protected:
  // Runs taviro-run with the arguments; returns its exit status.
  int Run(const std::string& arguments, const std::string& shellPrefix = "") {
    std::string command = shellPrefix + "'" + ProgramBuildDirectory() + "/taviro-run' " +
                          arguments + " >'" + work.path() + "/out' 2>'" + work.path() + "/err'";
    int status = std::system(command.c_str());
    out = ReadFile(work.path() + "/out");
    err = ReadFile(work.path() + "/err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string File(const char* name) const { return work.path() + "/" + name; }

  TempDirectory work;
  std::string out;
  std::string err;
};
