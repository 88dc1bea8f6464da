#pragma once
// An application whose will-resign-active notification the test sends.

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
  int statusBarStyle() const override { return platform::kStatusBarStyleDefault; }
  void setStatusBarStyle(int, bool) override {}
  void setStatusBarHidden(bool, int) override {}
  void setIdleTimerDisabled(bool) override {}

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

 private:
  mutable std::mutex mutex_;
  std::vector<Observer> observers_;
};

}  // namespace balalaika::fakes
