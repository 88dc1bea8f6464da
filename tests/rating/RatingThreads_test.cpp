// The rating prompt under real threads: counting on background threads while the main thread
// shows, hides and reads. Run under ThreadSanitizer in CI.

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

class RatingThreads : public RatingPromptTest {
 protected:
  RatingThreads() {
    RatingPrompt::resetAllStateForTesting();
    RatingPrompt::installPlatform(RatingPromptPlatform{defaults, bundle, nullptr, clock, device, reachability, probe,
                                                       alerts, urlOpener, threaded, application, storeViews, windows});
  }
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
