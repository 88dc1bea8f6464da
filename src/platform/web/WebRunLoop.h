#pragma once
// Timers on the browser's event loop (setTimeout / setInterval through emscripten). The page has
// one thread, so every callback runs on it. now() is the page's monotonic clock in seconds.

#include <map>

#include "platform/RunLoop.h"

namespace balalaika::web {

class WebRunLoop final : public platform::RunLoop {
 public:
  ~WebRunLoop() override;
  TimerId scheduleRepeating(double intervalSeconds, Callback callback) override;
  TimerId scheduleOnce(double delaySeconds, Callback callback) override;
  void invalidate(TimerId timer) override;
  bool isValid(TimerId timer) const override;
  double now() const override;

 private:
  struct Timer {
    Callback callback;
    bool repeating = false;
    long browserId = 0;  // the browser's timeout or interval id
  };
  static void fire(void* user);
  TimerId schedule(double seconds, Callback callback, bool repeating);

  std::map<TimerId, Timer> timers_;
  TimerId nextId_ = 1;
};

}  // namespace balalaika::web
