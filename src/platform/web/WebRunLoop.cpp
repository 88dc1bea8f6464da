#include "platform/web/WebRunLoop.h"

#include <emscripten/eventloop.h>
#include <emscripten/emscripten.h>

#include <cstdint>
#include <utility>

namespace balalaika::web {
namespace {

// The browser hands a timer back one pointer-sized word: the timer's id. The page has one loop.
WebRunLoop* theLoop = nullptr;

}  // namespace

WebRunLoop::~WebRunLoop() {
  for (auto& [id, timer] : timers_) {
    if (timer.repeating) {
      emscripten_clear_interval(timer.browserId);
    } else {
      emscripten_clear_timeout(timer.browserId);
    }
  }
  if (theLoop == this) theLoop = nullptr;
}

platform::RunLoop::TimerId WebRunLoop::schedule(double seconds, Callback callback, bool repeating) {
  theLoop = this;
  const TimerId id = nextId_++;
  void* user = reinterpret_cast<void*>(static_cast<std::uintptr_t>(id));
  const double ms = seconds > 0.0 ? seconds * 1000.0 : 0.0;
  Timer timer{std::move(callback), repeating, 0};
  timer.browserId = repeating ? emscripten_set_interval(&WebRunLoop::fire, ms, user)
                              : emscripten_set_timeout(&WebRunLoop::fire, ms, user);
  timers_.emplace(id, std::move(timer));
  return id;
}

platform::RunLoop::TimerId WebRunLoop::scheduleRepeating(double intervalSeconds, Callback callback) {
  return schedule(intervalSeconds, std::move(callback), true);
}

platform::RunLoop::TimerId WebRunLoop::scheduleOnce(double delaySeconds, Callback callback) {
  return schedule(delaySeconds, std::move(callback), false);
}

void WebRunLoop::invalidate(TimerId timer) {
  const auto it = timers_.find(timer);
  if (it == timers_.end()) return;
  if (it->second.repeating) {
    emscripten_clear_interval(it->second.browserId);
  } else {
    emscripten_clear_timeout(it->second.browserId);
  }
  timers_.erase(it);
}

bool WebRunLoop::isValid(TimerId timer) const { return timers_.count(timer) != 0; }

double WebRunLoop::now() const { return emscripten_get_now() / 1000.0; }

void WebRunLoop::fire(void* user) {
  if (theLoop == nullptr) return;
  const auto id = static_cast<TimerId>(reinterpret_cast<std::uintptr_t>(user));
  const auto it = theLoop->timers_.find(id);
  if (it == theLoop->timers_.end()) return;
  // The callback may invalidate its own timer or schedule others: call a copy.
  Callback callback = it->second.callback;
  if (!it->second.repeating) theLoop->timers_.erase(it);
  callback();
}

}  // namespace balalaika::web
