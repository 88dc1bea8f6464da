#include "platform/qt/QtRunLoop.h"

#include <QTimer>
#include <cmath>

namespace balalaika::qt {

QtRunLoop::QtRunLoop() { clock_.start(); }

QtRunLoop::~QtRunLoop() {
  for (auto& [id, timer] : timers_) delete timer;
}

platform::RunLoop::TimerId QtRunLoop::add(double seconds, bool repeating, Callback callback) {
  const TimerId id = nextId_++;
  auto* timer = new QTimer(&context_);
  timer->setTimerType(Qt::PreciseTimer);
  timer->setSingleShot(!repeating);
  timer->setInterval(static_cast<int>(std::lround(std::max(0.0, seconds) * 1000.0)));
  QObject::connect(timer, &QTimer::timeout, &context_, [this, id, repeating, callback = std::move(callback)] {
    if (!repeating) {
      // A one-shot is no longer valid once it fires; the callback may schedule new timers.
      auto it = timers_.find(id);
      if (it == timers_.end()) return;
      it->second->deleteLater();
      timers_.erase(it);
    }
    callback();
  });
  timers_[id] = timer;
  timer->start();
  return id;
}

platform::RunLoop::TimerId QtRunLoop::scheduleRepeating(double intervalSeconds, Callback callback) {
  return add(intervalSeconds, true, std::move(callback));
}

platform::RunLoop::TimerId QtRunLoop::scheduleOnce(double delaySeconds, Callback callback) {
  return add(delaySeconds, false, std::move(callback));
}

void QtRunLoop::invalidate(TimerId timer) {
  auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();  // the timer may be invalidating itself from its own callback
  timers_.erase(it);
}

bool QtRunLoop::isValid(TimerId timer) const { return timers_.count(timer) != 0; }

double QtRunLoop::now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }

}  // namespace balalaika::qt
