#pragma once
// The work queues of a page, which has one thread: work for the background queue and work for
// the main queue both run on a later turn of the page's event loop, in the order they were
// handed over. Never inside the call that hands them over: the rating prompt's entry points
// return before they count, as they do where a background thread counts.

#include <deque>

#include "platform/Dispatch.h"
#include "platform/RunLoop.h"

namespace balalaika::web {

class WebDispatch final : public platform::Dispatch {
 public:
  explicit WebDispatch(platform::RunLoop& runLoop) : runLoop_(runLoop) {}
  ~WebDispatch() override;

  void async(Task task) override { enqueue(std::move(task)); }
  void asyncMain(Task task) override { enqueue(std::move(task)); }

 private:
  void enqueue(Task task);
  // Runs the tasks queued before this turn; tasks they queue wait for the next one.
  void drain();

  platform::RunLoop& runLoop_;
  std::deque<Task> queue_;
  platform::RunLoop::TimerId turn_ = 0;
};

}  // namespace balalaika::web
