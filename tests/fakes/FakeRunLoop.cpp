#include "fakes/FakeRunLoop.h"

#include <limits>

namespace balalaika::fakes {

platform::RunLoop::TimerId FakeRunLoop::add(double delay, bool repeating, Callback callback) {
  const TimerId id = nextId_++;
  timers_[id] = Timer{now_ + delay, delay, repeating, std::move(callback)};
  return id;
}

platform::RunLoop::TimerId FakeRunLoop::scheduleRepeating(double intervalSeconds, Callback callback) {
  return add(intervalSeconds, true, std::move(callback));
}

platform::RunLoop::TimerId FakeRunLoop::scheduleOnce(double delaySeconds, Callback callback) {
  return add(delaySeconds, false, std::move(callback));
}

void FakeRunLoop::invalidate(TimerId timer) { timers_.erase(timer); }

bool FakeRunLoop::isValid(TimerId timer) const { return timers_.count(timer) != 0; }

std::vector<double> FakeRunLoop::pendingIntervals() const {
  std::vector<double> out;
  for (const auto& [id, t] : timers_) out.push_back(t.interval);
  return out;
}

void FakeRunLoop::advance(double seconds) {
  const double end = now_ + seconds;
  // Tolerate the rounding of repeated additions (0.1 + 0.1 + ...).
  const double slack = 1e-9;
  for (;;) {
    TimerId nextTimer = 0;
    double nextDue = std::numeric_limits<double>::infinity();
    for (const auto& [id, t] : timers_) {
      if (t.due < nextDue) {
        nextDue = t.due;
        nextTimer = id;
      }
    }
    if (nextTimer == 0 || nextDue > end + slack) break;
    if (nextDue > now_) now_ = nextDue;
    Timer& timer = timers_[nextTimer];
    Callback callback = timer.callback;  // the callback may invalidate its own timer
    if (timer.repeating) {
      // An interval of 0 would fire forever within one advance; treat it as the smallest step.
      timer.due += timer.interval > 0 ? timer.interval : slack * 10;
    } else {
      timers_.erase(nextTimer);
    }
    callback();
  }
  now_ = end;
}

}  // namespace balalaika::fakes
