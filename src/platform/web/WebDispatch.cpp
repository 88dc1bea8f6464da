#include "platform/web/WebDispatch.h"

#include <utility>

namespace balalaika::web {

WebDispatch::~WebDispatch() {
  if (turn_ != 0) runLoop_.invalidate(turn_);
}

void WebDispatch::enqueue(Task task) {
  queue_.push_back(std::move(task));
  if (turn_ == 0) turn_ = runLoop_.scheduleOnce(0.0, [this] { drain(); });
}

void WebDispatch::drain() {
  turn_ = 0;
  std::deque<Task> due;
  due.swap(queue_);
  while (!due.empty()) {
    Task task = std::move(due.front());
    due.pop_front();
    task();
  }
}

}  // namespace balalaika::web
