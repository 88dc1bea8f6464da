#pragma once
// The main queue and the background queue on Qt. Construct on the main thread, after the
// application object; async() and asyncMain() may be called from any thread.
//
// Background tasks run on QThreadPool::globalInstance(); main-thread tasks run from the main
// thread's event loop in submission order. The tasks themselves travel through queues guarded by
// our own mutexes; Qt only carries a wake-up without payload. That keeps every hand-over visible to
// ThreadSanitizer, which cannot see the synchronisation inside an uninstrumented Qt.

#include <QObject>
#include <deque>
#include <mutex>

#include "platform/Dispatch.h"

namespace balalaika::qt {

class QtDispatch final : public QObject, public platform::Dispatch {
  Q_OBJECT

 public:
  explicit QtDispatch(QObject* parent = nullptr);
  ~QtDispatch() override;

  void async(Task task) override;
  void asyncMain(Task task) override;

 private slots:
  // Runs the main-thread tasks queued so far.
  void drainMain();

 private:
  std::mutex mainMutex_;
  std::deque<Task> mainTasks_;
};

}  // namespace balalaika::qt
