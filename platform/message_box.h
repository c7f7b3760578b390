#pragma once
// The one message box of the program, and the hook tests use to record what
// a user would have seen instead of blocking on a modal window.

#include <functional>
#include <string>

#include "platform/window.h"

enum class MessageIcon { None, Stop, Exclamation };

struct MessageRecord {
  std::string text;
  std::string caption;
  MessageIcon icon;
};

// Shows text with caption and icon, owned by owner (may be nullptr), with an
// "OK" button, and returns when the user has dismissed it.
void ShowMessage(WindowHandle owner, const std::string& text, const std::string& caption,
                 MessageIcon icon);

// While a hook is set, ShowMessage calls it instead of showing anything.
// An empty function removes the hook.
void SetMessageHook(std::function<void(const MessageRecord&)> hook);
