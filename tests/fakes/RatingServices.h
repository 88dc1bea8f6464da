#pragma once
// The services the rating prompt runs on, as fakes the test sets and reads.

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/AlertView.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Dispatch.h"
#include "platform/HttpProbe.h"
#include "platform/Reachability.h"
#include "platform/StoreProductView.h"
#include "platform/StoredAlertView.h"
#include "platform/WindowList.h"

namespace balalaika::fakes {

// Wall clock that stands still until the test moves it.
class FakeClock : public platform::Clock {
 public:
  double secondsSince1970() const override { return seconds; }
  double seconds = 1.7e9;
};

// Queues whose tasks wait: main-thread tasks run when the test says so, on the test's thread;
// background tasks are kept and never run.
class FakeDispatch : public platform::Dispatch {
 public:
  void async(Task task) override {
    std::lock_guard lock(mutex_);
    background_.push_back(std::move(task));
  }
  void asyncMain(Task task) override {
    std::lock_guard lock(mutex_);
    main_.push_back(std::move(task));
  }

  // Runs the main-thread tasks (and those they queue) until none is left.
  void runMain() {
    for (;;) {
      Task task;
      {
        std::lock_guard lock(mutex_);
        if (main_.empty()) return;
        task = std::move(main_.front());
        main_.pop_front();
      }
      task();
    }
  }

 private:
  std::mutex mutex_;
  std::deque<Task> background_;
  std::deque<Task> main_;
};

// Reachability whose flags the test sets. Safe from any thread.
class FakeReachability : public platform::Reachability {
 public:
  std::optional<std::uint32_t> flagsForAddress(const platform::SocketAddressV4&) const override {
    std::lock_guard lock(mutex_);
    return flags_;
  }
  // nothing: the flags cannot be read.
  void setFlags(std::optional<std::uint32_t> flags) {
    std::lock_guard lock(mutex_);
    flags_ = flags;
  }

 private:
  mutable std::mutex mutex_;
  std::optional<std::uint32_t> flags_ = platform::kReachabilityReachable;
};

// A probe that reports its request as created or not, as the test sets. Safe from any thread.
class RecordingHttpProbe : public platform::HttpProbe {
 public:
  bool start(const platform::ProbeRequest&) override { return created_.load(); }
  void setCreated(bool created) { created_.store(created); }

 private:
  std::atomic<bool> created_{true};
};

// Alerts that record what was built and shown; the test takes their buttons.
// The platforms' alert, drawn nowhere.
class FakeAlertView : public platform::StoredAlertView {
 public:
  using StoredAlertView::StoredAlertView;
  // The user takes the button at index.
  void tap(int buttonIndex) { dismissWithClickedButtonIndex(buttonIndex, true); }

 private:
  void didShow() override {}
  void didHide(int, bool) override {}
};

class FakeAlertViewFactory : public platform::AlertViewFactory {
 public:
  std::shared_ptr<platform::AlertView> create(const std::string& title, const std::string& message,
                                              platform::AlertViewDelegate* delegate, const std::string& cancel,
                                              const std::vector<std::string>& others) override {
    auto alert = std::make_shared<FakeAlertView>(title, message, delegate, cancel, others);
    created.push_back(alert);
    return alert;
  }
  std::vector<std::shared_ptr<FakeAlertView>> created;
};

// An application whose will-resign-active notification the test sends.
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

// A desktop without windows or a store product page: the rating prompt opens the store by address.
class FakeWindowList : public platform::WindowList {
 public:
  std::shared_ptr<platform::HierarchyWindow> keyWindow() const override { return nullptr; }
  std::vector<std::shared_ptr<platform::HierarchyWindow>> windows() const override { return {}; }
};

class FakeStoreProductViewFactory : public platform::StoreProductViewFactory {
 public:
  bool isAvailable() const override { return false; }
  std::shared_ptr<platform::StoreProductViewController> create() override { return nullptr; }
};

}  // namespace balalaika::fakes
