#pragma once
// Queues that run their tasks only when the test says so, on the test's thread.

#include <deque>
#include <mutex>

#include "platform/Dispatch.h"

namespace balalaika::fakes {

class FakeDispatch : public platform::Dispatch {
 public:
  void async(Task task) override;
  void asyncMain(Task task) override;

  // Run queued tasks (and those they queue) until the queue is empty; return how many ran.
  int runBackground();
  int runMain();
  // Alternate both queues until both are empty.
  void runAll();

 private:
  int drain(std::deque<Task>& queue);
  mutable std::mutex mutex_;
  std::deque<Task> background_;
  std::deque<Task> main_;
};

}  // namespace balalaika::fakes
