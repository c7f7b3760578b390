#pragma once
// The file-open dialog (Qt's own widget dialog), and the hook tests use to
// answer it.

#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"

struct FileFilter {
  std::string name;     // "NES Files (*.nes)"
  std::string pattern;  // "*.nes"; "*.*" means every file
};

struct FileOpenRequest {
  std::string title;
  std::vector<FileFilter> filters;  // the first is selected at first
  std::string initialPath;          // the previous choice, opened on
  bool forSaving = false;           // a file to write: it may be new
};

struct FileOpenResult {
  bool chosen = false;  // false: cancelled or failed
  std::string path;     // the existing file chosen
  int errorCode = 0;    // non-zero when the dialog itself failed
};

FileOpenResult OpenFileDialog(WindowHandle owner, const FileOpenRequest& request);

// While a hook is set, OpenFileDialog returns what it gives.
void SetFileDialogHook(std::function<FileOpenResult(const FileOpenRequest&)> hook);
