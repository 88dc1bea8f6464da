#include "platform/qt/QtDispatch.h"

#include <QThreadPool>

namespace balalaika::qt {
namespace {

// The process-wide background queue: every QtDispatch shares it, as the platform's global queue.
std::mutex& backgroundMutex() {
  static std::mutex mutex;
  return mutex;
}
std::deque<platform::Dispatch::Task>& backgroundTasks() {
  static auto* tasks = new std::deque<platform::Dispatch::Task>;  // never destroyed: pool threads may outlive main
  return *tasks;
}

// Runs on a pool thread: takes the oldest task and runs it. Captures nothing, so that Qt carries
// no data of ours between the threads.
void runOneBackgroundTask() {
  platform::Dispatch::Task task;
  {
    std::lock_guard lock(backgroundMutex());
    if (backgroundTasks().empty()) return;
    task = std::move(backgroundTasks().front());
    backgroundTasks().pop_front();
  }
  task();
}

}  // namespace

QtDispatch::QtDispatch(QObject* parent) : QObject(parent) {}

QtDispatch::~QtDispatch() = default;

void QtDispatch::async(Task task) {
  std::lock_guard lock(backgroundMutex());
  backgroundTasks().push_back(std::move(task));
  QThreadPool::globalInstance()->start(&runOneBackgroundTask);
}

void QtDispatch::asyncMain(Task task) {
  std::lock_guard lock(mainMutex_);
  mainTasks_.push_back(std::move(task));
  QMetaObject::invokeMethod(this, "drainMain", Qt::QueuedConnection);
}

void QtDispatch::drainMain() {
  for (;;) {
    Task task;
    {
      std::lock_guard lock(mainMutex_);
      if (mainTasks_.empty()) return;
      task = std::move(mainTasks_.front());
      mainTasks_.pop_front();
    }
    task();
  }
}

}  // namespace balalaika::qt
