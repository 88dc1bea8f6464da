#pragma once
// The main queue and the background queue on Qt. Construct on the main thread, after the
// application object; async() and asyncMain() may be called from any thread.
//
// Background tasks run on QThreadPool::globalInstance(); main-thread tasks are queued invocations
// on a context object that lives on the main thread and run in submission order.

#include <QObject>
#include <memory>

#include "platform/Dispatch.h"

namespace balalaika::qt {

class QtDispatch final : public platform::Dispatch {
 public:
  QtDispatch();
  ~QtDispatch() override;

  void async(Task task) override;
  void asyncMain(Task task) override;

 private:
  std::unique_ptr<QObject> mainContext_;
};

}  // namespace balalaika::qt
