#pragma once
// An application that records status-bar and idle-timer calls; the test sends the
// will-resign-active notification.

#include <mutex>
#include <utility>
#include <vector>

#include "platform/Application.h"

namespace balalaika::fakes {

class FakeApplication : public platform::Application {
 public:
  void addWillResignActiveObserver(Observer observer) override {
    std::lock_guard lock(mutex_);
    observers_.push_back(std::move(observer));
  }
  int statusBarStyle() const override { return style; }
  void setStatusBarStyle(int newStyle, bool animated) override {
    style = newStyle;
    styleCalls.emplace_back(newStyle, animated);
  }
  void setStatusBarHidden(bool hidden, int animation) override { hiddenCalls.emplace_back(hidden, animation); }
  void setIdleTimerDisabled(bool disabled) override { idleTimerCalls.push_back(disabled); }

  // The application is about to leave the foreground.
  void resignActive() {
    std::vector<Observer> observers;
    {
      std::lock_guard lock(mutex_);
      observers = observers_;
    }
    for (auto& o : observers) o();
  }
  std::size_t observerCount() const {
    std::lock_guard lock(mutex_);
    return observers_.size();
  }

  int style = platform::kStatusBarStyleDefault;
  std::vector<std::pair<int, bool>> styleCalls;   // (style, animated)
  std::vector<std::pair<bool, int>> hiddenCalls;  // (hidden, animation)
  std::vector<bool> idleTimerCalls;

 private:
  mutable std::mutex mutex_;
  std::vector<Observer> observers_;
};

}  // namespace balalaika::fakes
