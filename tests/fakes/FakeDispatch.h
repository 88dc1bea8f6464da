#pragma once
// Queues whose tasks wait: main-thread tasks run when the test says so, on the test's thread;
// background tasks are kept and never run.

#include <deque>
#include <mutex>

#include "platform/Dispatch.h"

namespace balalaika::fakes {

class FakeDispatch : public platform::Dispatch {
 public:
  void async(Task task) override {
    std::lock_guard lock(mutex_);
    background_.push_back(std::move(task));
  }
  void asyncMain(Task task) override {
    std::lock_guard lock(mutex_);
    main_.push_back(std::move(task));
  }

  // Runs the main-thread tasks (and those they queue) until none is left.
  void runMain() {
    for (;;) {
      Task task;
      {
        std::lock_guard lock(mutex_);
        if (main_.empty()) return;
        task = std::move(main_.front());
        main_.pop_front();
      }
      task();
    }
  }

 private:
  std::mutex mutex_;
  std::deque<Task> background_;
  std::deque<Task> main_;
};

}  // namespace balalaika::fakes
