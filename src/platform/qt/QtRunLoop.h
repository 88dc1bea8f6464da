#pragma once
// Timers on the main thread's event loop (QTimer, precise). Construct and use on the main thread.
// Intervals are rounded to whole milliseconds.

#include <QElapsedTimer>
#include <QObject>
#include <map>

#include "platform/RunLoop.h"

class QTimer;

namespace balalaika::qt {

class QtRunLoop final : public platform::RunLoop {
 public:
  QtRunLoop();
  ~QtRunLoop() override;

  TimerId scheduleRepeating(double intervalSeconds, Callback callback) override;
  TimerId scheduleOnce(double delaySeconds, Callback callback) override;
  void invalidate(TimerId timer) override;
  bool isValid(TimerId timer) const override;
  double now() const override;

 private:
  TimerId add(double seconds, bool repeating, Callback callback);

  QObject context_;
  std::map<TimerId, QTimer*> timers_;
  TimerId nextId_ = 1;
  QElapsedTimer clock_;
};

}  // namespace balalaika::qt
