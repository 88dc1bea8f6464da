#pragma once
// A run loop with a virtual clock: nothing fires until the test advances time.

#include <map>
#include <vector>

#include "platform/RunLoop.h"

namespace balalaika::fakes {

class FakeRunLoop : public platform::RunLoop {
 public:
  TimerId scheduleRepeating(double intervalSeconds, Callback callback) override;
  TimerId scheduleOnce(double delaySeconds, Callback callback) override;
  void invalidate(TimerId timer) override;
  bool isValid(TimerId timer) const override;
  double now() const override { return now_; }

  // Moves the clock forward, firing every due timer in time order (ties in scheduling order).
  // Timers scheduled by a callback fire within the same advance when they fall due in it.
  void advance(double seconds);
  // Fires timers due at the current time (zero-delay calls).
  void runPending() { advance(0.0); }

  std::size_t pendingCount() const { return timers_.size(); }
  // Intervals of the scheduled timers, in scheduling order (for checking what was asked for).
  std::vector<double> pendingIntervals() const;

 private:
  struct Timer {
    double due;
    double interval;  // 0 for one-shot
    bool repeating;
    Callback callback;
  };
  TimerId add(double delay, bool repeating, Callback callback);

  double now_ = 0.0;
  TimerId nextId_ = 1;
  std::map<TimerId, Timer> timers_;
};

}  // namespace balalaika::fakes
