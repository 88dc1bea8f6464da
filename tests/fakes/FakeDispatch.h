#pragma once
// Queues whose tasks wait: main-thread tasks run when the test says so, on the test's thread.

#include <deque>
#include <mutex>

#include "platform/Dispatch.h"

namespace balalaika::fakes {

class FakeDispatch : public platform::Dispatch {
 public:
  void async(Task task) override { push(background_, std::move(task)); }
  void asyncMain(Task task) override { push(main_, std::move(task)); }

  // Runs the main-thread tasks (and those they queue) until none is left; returns how many ran.
  int runMain() { return drain(main_); }

 private:
  void push(std::deque<Task>& queue, Task task) {
    std::lock_guard lock(mutex_);
    queue.push_back(std::move(task));
  }
  int drain(std::deque<Task>& queue) {
    for (int ran = 0;; ++ran) {
      Task task;
      {
        std::lock_guard lock(mutex_);
        if (queue.empty()) return ran;
        task = std::move(queue.front());
        queue.pop_front();
      }
      task();
    }
  }
  std::mutex mutex_;
  std::deque<Task> background_;
  std::deque<Task> main_;
};

}  // namespace balalaika::fakes
