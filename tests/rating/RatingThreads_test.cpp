// The rating prompt under real threads: counting on background threads while the main thread
// shows, hides and reads. Run under ThreadSanitizer in CI.

#include <chrono>
#include <deque>
#include <set>
#include <thread>

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

// Background tasks run at once on threads of their own; main-queue tasks wait for the test's thread.
class ThreadedDispatch : public platform::Dispatch {
 public:
  ~ThreadedDispatch() override { joinAll(); }
  void async(Task task) override {
    std::lock_guard lock(mutex_);
    threads_.emplace_back(std::move(task));
  }
  void asyncMain(Task task) override {
    std::lock_guard lock(mutex_);
    main_.push_back(std::move(task));
  }
  int runMain() {
    int ran = 0;
    for (;;) {
      Task task;
      {
        std::lock_guard lock(mutex_);
        if (main_.empty()) return ran;
        task = std::move(main_.front());
        main_.pop_front();
      }
      task();
      ++ran;
    }
  }
  void joinAll() {
    std::vector<std::thread> threads;
    {
      std::lock_guard lock(mutex_);
      threads.swap(threads_);
    }
    for (auto& t : threads) t.join();
  }

 private:
  std::mutex mutex_;
  std::vector<std::thread> threads_;
  std::deque<Task> main_;
};

// The in-memory store, with reads that take a while, so that counts running side by side overlap.
class SlowReadingDefaults : public platform::UserDefaults {
 public:
  explicit SlowReadingDefaults(platform::UserDefaults& store) : store_(store) {}
  std::optional<bool> boolForKey(const std::string& key) const override { return slow(store_.boolForKey(key)); }
  std::optional<std::int64_t> integerForKey(const std::string& key) const override {
    return slow(store_.integerForKey(key));
  }
  std::optional<double> doubleForKey(const std::string& key) const override { return slow(store_.doubleForKey(key)); }
  std::optional<std::string> stringForKey(const std::string& key) const override {
    return slow(store_.stringForKey(key));
  }
  void setBool(const std::string& key, bool value) override { store_.setBool(key, value); }
  void setInteger(const std::string& key, std::int64_t value) override { store_.setInteger(key, value); }
  void setDouble(const std::string& key, double value) override { store_.setDouble(key, value); }
  void setString(const std::string& key, const std::string& value) override { store_.setString(key, value); }
  void removeObjectForKey(const std::string& key) override { store_.removeObjectForKey(key); }
  void clearPersistentDomain() override { store_.clearPersistentDomain(); }
  bool synchronize() override { return store_.synchronize(); }

 private:
  template <typename T>
  static T slow(T value) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    return value;
  }
  platform::UserDefaults& store_;
};

class RatingThreads : public RatingPromptTest {
 protected:
  RatingThreads() {
    RatingPrompt::resetAllStateForTesting();
    RatingPrompt::installPlatform(RatingPromptPlatform{slowDefaults, bundle, nullptr, clock, device, reachability,
                                                       probe, alerts, urlOpener, threaded, application, storeViews,
                                                       windows});
  }
  SlowReadingDefaults slowDefaults{defaults};
  ThreadedDispatch threaded;
};

TEST_F(RatingThreads, GivenManyThreadsAskingAtOnce_ThenExactlyOneSharedInstanceIsCreatedAndRegistered) {
  std::vector<std::thread> threads;
  std::mutex mutex;
  std::set<RatingPrompt*> seen;
  for (int i = 0; i < 8; ++i) {
    threads.emplace_back([&] {
      RatingPrompt* p = &RatingPrompt::sharedInstance();
      std::lock_guard lock(mutex);
      seen.insert(p);
    });
  }
  for (auto& t : threads) t.join();
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(application.observerCount(), 1u);
}

TEST_F(RatingThreads, GivenCountingInTheBackground_WhileTheMainThreadShowsHidesAndReads_ThenNoCountIsLost) {
  applyApplicationSettings();
  storeUsage(3 * kDay, 0);
  constexpr int kLaunches = 60;
  constexpr int kEvents = 40;

  std::thread reporter([] {
    for (int i = 0; i < kLaunches; ++i) {
      RatingPrompt::appLaunched(true);
      if (i < kEvents) RatingPrompt::userDidSignificantEvent(true);
    }
  });
  // The main thread meanwhile: shows, hides and reads the same store and alert.
  for (int round = 0; round < 200; ++round) {
    threaded.runMain();
    if (round % 3 == 0) RatingPrompt::forceShowPrompt(true);
    if (round % 3 == 1) application.resignActive();
    (void)defaults.integerForKey(kUseCountKey);
    (void)RatingPrompt::sharedInstance().ratingAlertIsAppropriate();
  }
  reporter.join();
  threaded.joinAll();
  threaded.runMain();

  EXPECT_EQ(defaults.integerForKey(kUseCountKey), kLaunches);
  EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), kEvents);
  EXPECT_GE(alerts.created.size(), 67u);  // at least the forced ones
}

TEST_F(RatingThreads, GivenAnAlertShownAndHiddenOnTheMainThread_ThenBackgroundAppropriatenessTestsAreSafe) {
  std::atomic<bool> done{false};
  std::atomic<int> tests{0};
  std::thread background([&] {
    while (!done) {
      (void)RatingPrompt::sharedInstance().ratingAlertIsAppropriate();
      ++tests;
    }
  });
  for (int i = 0; i < 300; ++i) {
    RatingPrompt::forceShowPrompt(false);
    RatingPrompt::sharedInstance().hideRatingAlert();
  }
  while (tests < 10) std::this_thread::yield();
  done = true;
  background.join();
  EXPECT_EQ(alerts.created.size(), 300u);
  EXPECT_FALSE(RatingPrompt::sharedInstance().ratingAlert()->isVisible());
}

}  // namespace
}  // namespace balalaika::testing
