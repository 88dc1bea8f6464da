#pragma once
// Work queues: the main queue (the main thread's run loop) and a shared background queue.
// One-time initialisation is std::call_once.

#include <functional>

namespace balalaika::platform {

class Dispatch {
 public:
  using Task = std::function<void()>;

  virtual ~Dispatch() = default;

  // Runs the task later on a background thread; returns at once. Callable from any thread.
  virtual void async(Task task) = 0;
  // Runs the task later on the main thread; returns at once. Callable from any thread.
  virtual void asyncMain(Task task) = 0;
};

}  // namespace balalaika::platform
