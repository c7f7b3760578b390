#include "platform/ui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <chrono>
#include <thread>

void PostToUiThread(std::function<void()> call) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;  // shutting down: nothing left to update
  QMetaObject::invokeMethod(application, std::move(call), Qt::QueuedConnection);
}

void ProcessEventsUntil(const std::function<bool()>& done) {
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

bool OnUiThread() {
  QCoreApplication* application = QCoreApplication::instance();
  return application != nullptr && QThread::currentThread() == application->thread();
}
