#include "fakes/FakeDispatch.h"

namespace balalaika::fakes {

void FakeDispatch::async(Task task) {
  std::lock_guard lock(mutex_);
  background_.push_back(std::move(task));
}

void FakeDispatch::asyncMain(Task task) {
  std::lock_guard lock(mutex_);
  main_.push_back(std::move(task));
}

int FakeDispatch::drain(std::deque<Task>& queue) {
  int ran = 0;
  for (;;) {
    Task task;
    {
      std::lock_guard lock(mutex_);
      if (queue.empty()) return ran;
      task = std::move(queue.front());
      queue.pop_front();
    }
    task();
    ++ran;
  }
}

int FakeDispatch::runBackground() { return drain(background_); }
int FakeDispatch::runMain() { return drain(main_); }

void FakeDispatch::runAll() {
  while (runBackground() + runMain() > 0) {
  }
}

}  // namespace balalaika::fakes
