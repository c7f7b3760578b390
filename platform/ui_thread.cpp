#include "platform/ui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Posted calls wait here, handed over under our own lock: Qt's event queue
// is guarded inside the uninstrumented Qt library, where ThreadSanitizer
// cannot see it, so a call built on one thread and run on the UI thread
// would look like a race. Qt is only asked, by name, to run the queue: the
// event it builds for that stays inside Qt.
std::mutex pendingMutex;
std::deque<std::function<void()>> pending;

// Runs every call posted so far, oldest first.
void RunPending() {
  for (;;) {
    std::function<void()> call;
    {
      std::lock_guard lock(pendingMutex);
      if (pending.empty()) return;
      call = std::move(pending.front());
      pending.pop_front();
    }
    call();
  }
}

// The UI thread's end of the queue.
class PendingCalls : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE void Run() { RunPending(); }
};

PendingCalls* UiThreadQueue(QCoreApplication* application) {
  // Lives as long as the process, on the UI thread.
  static PendingCalls* queue = [application] {
    auto* calls = new PendingCalls;
    calls->moveToThread(application->thread());
    return calls;
  }();
  return queue;
}

}  // namespace

void PostToUiThread(std::function<void()> call) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;  // shutting down: nothing left to update
  {
    std::lock_guard lock(pendingMutex);
    pending.push_back(std::move(call));
  }
  QMetaObject::invokeMethod(UiThreadQueue(application), "Run", Qt::QueuedConnection);
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

// The UI thread's timers by id; UI thread only.
std::map<int, std::unique_ptr<QTimer>>& UiTimers() {
  static std::map<int, std::unique_ptr<QTimer>> timers;
  return timers;
}

int StartUiTimer(int period, std::function<void()> tick) {
  static int lastId = 0;
  auto timer = std::make_unique<QTimer>();
  QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
  timer->start(period);
  UiTimers()[++lastId] = std::move(timer);
  return lastId;
}

// The timer may be the one whose tick is running: it goes once that ends.
void StopUiTimer(int id) {
  const auto found = UiTimers().find(id);
  if (found == UiTimers().end()) return;
  found->second->stop();
  found->second.release()->deleteLater();
  UiTimers().erase(found);
}

#include "ui_thread.moc"
