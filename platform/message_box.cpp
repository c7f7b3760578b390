#include "platform/message_box.h"

#include <QMessageBox>
#include <QWidget>
#include <mutex>

#include "platform/ui_thread.h"

namespace {

std::mutex hookMutex;
std::function<void(const MessageRecord&)> messageHook;

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

void ShowOnUiThread(WindowHandle owner, const MessageRecord& record) {
  std::function<void(const MessageRecord&)> hook;
  {
    std::lock_guard lock(hookMutex);
    hook = messageHook;
  }
  if (hook) {
    hook(record);
    return;
  }
  QMessageBox box(QtIcon(record.icon), QString::fromStdString(record.caption),
                  QString::fromStdString(record.text), QMessageBox::Ok,
                  static_cast<QWidget*>(owner));
  box.exec();
}

}  // namespace

// From another thread the box is posted to the UI thread and this returns at
// once: a worker that the UI thread may join must never wait for it.
void ShowMessage(WindowHandle owner, const std::string& text, const std::string& caption,
                 MessageIcon icon) {
  MessageRecord record{text, caption, icon};
  if (OnUiThread()) {
    ShowOnUiThread(owner, record);
    return;
  }
  PostToUiThread([owner, record] { ShowOnUiThread(owner, record); });
}

void SetMessageHook(std::function<void(const MessageRecord&)> hook) {
  std::lock_guard lock(hookMutex);
  messageHook = std::move(hook);
}
