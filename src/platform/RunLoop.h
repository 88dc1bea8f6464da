#pragma once
// Timers and delayed calls on the main thread's run loop. Every callback runs on the main
// thread; schedule and invalidate are called from the main thread only.

#include <cstdint>
#include <functional>

namespace balalaika::platform {

class RunLoop {
 public:
  using TimerId = std::uint64_t;  // 0 is never a valid timer
  using Callback = std::function<void()>;

  virtual ~RunLoop() = default;

  // A timer that fires every intervalSeconds until invalidated; the first firing comes one
  // interval after scheduling.
  virtual TimerId scheduleRepeating(double intervalSeconds, Callback callback) = 0;
  // A timer that fires once, delaySeconds from now (0 means at the next turn of the loop).
  virtual TimerId scheduleOnce(double delaySeconds, Callback callback) = 0;
  // Stops a timer; unknown, fired or already invalidated ids are ignored.
  virtual void invalidate(TimerId timer) = 0;
  // True while the timer is scheduled: a repeating timer until invalidated, a one-shot until it fires.
  virtual bool isValid(TimerId timer) const = 0;
  // Monotonic seconds of this loop's clock.
  virtual double now() const = 0;
};

}  // namespace balalaika::platform
