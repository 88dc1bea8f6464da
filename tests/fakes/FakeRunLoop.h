#pragma once
// A run loop with a virtual clock: nothing fires until the test advances time.

#include <algorithm>
#include <map>

#include "platform/RunLoop.h"

namespace balalaika::fakes {

class FakeRunLoop : public platform::RunLoop {
 public:
  TimerId scheduleRepeating(double intervalSeconds, Callback callback) override {
    return add(intervalSeconds, true, std::move(callback));
  }
  TimerId scheduleOnce(double delaySeconds, Callback callback) override {
    return add(delaySeconds, false, std::move(callback));
  }
  void invalidate(TimerId timer) override { timers_.erase(timer); }
  bool isValid(TimerId timer) const override { return timers_.count(timer) != 0; }
  double now() const override { return now_; }

  // Moves the clock forward, firing every due timer in time order (ties in scheduling order).
  // Timers scheduled by a callback fire within the same advance when they fall due in it.
  void advance(double seconds) {
    const double end = now_ + seconds;
    const double slack = 1e-9;  // the rounding of repeated additions (0.1 + 0.1 + ...)
    for (;;) {
      auto due = std::min_element(timers_.begin(), timers_.end(),
                                  [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
      if (due == timers_.end() || due->second.due > end + slack) break;
      const TimerId next = due->first;
      now_ = std::max(now_, due->second.due);
      Timer& timer = due->second;
      Callback callback = timer.callback;  // the callback may invalidate its own timer
      if (timer.repeating) {
        // An interval of 0 would fire forever within one advance; treat it as the smallest step.
        timer.due += timer.interval > 0 ? timer.interval : slack * 10;
      } else {
        timers_.erase(next);
      }
      callback();
    }
    now_ = end;
  }

  std::size_t pendingCount() const { return timers_.size(); }

 private:
  struct Timer {
    double due;
    double interval;  // the delay of a one-shot
    bool repeating;
    Callback callback;
  };
  TimerId add(double delay, bool repeating, Callback callback) {
    const TimerId id = nextId_++;
    timers_[id] = Timer{now_ + delay, delay, repeating, std::move(callback)};
    return id;
  }

  double now_ = 0.0;
  TimerId nextId_ = 1;
  std::map<TimerId, Timer> timers_;
};

}  // namespace balalaika::fakes
