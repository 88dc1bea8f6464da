// The rating prompt under real threads: counting on background threads while the main thread
// shows, hides and reads. Run under ThreadSanitizer in CI.

#include <chrono>
#include <thread>
#include <vector>

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

// Background tasks run at once on threads of their own; main-queue tasks wait for runMain().
// async() is called from one thread only; clearing the threads joins them.
class ThreadedDispatch : public fakes::FakeDispatch {
 public:
  void async(Task task) override { threads.emplace_back(std::move(task)); }
  std::vector<std::jthread> threads;
};

// The in-memory store with count reads that take a while, so that counts running side by side overlap.
class SlowReadingDefaults : public fakes::InMemoryUserDefaults {
 public:
  std::optional<std::int64_t> integerForKey(const std::string& key) const override {
    const auto value = InMemoryUserDefaults::integerForKey(key);
    std::this_thread::sleep_for(std::chrono::microseconds(200));  // between the read and the caller's write
    return value;
  }
};

class RatingThreads : public RatingPromptTest {
 protected:
  RatingThreads() { install(&slow, &threaded); }
  SlowReadingDefaults slow;
  ThreadedDispatch threaded;
};

TEST_F(RatingThreads, GivenCountingInTheBackground_WhileTheMainThreadShowsHidesAndReads_ThenNoCountIsLost) {
  slow.setString(kCurrentVersionKey, bundle.version());
  slow.setDouble(kFirstUseDateKey, clock.seconds - 3 * kDay);
  constexpr int kLaunches = 60;
  constexpr int kEvents = 40;

  // The shared instance is first asked for from several threads at once.
  std::thread reporter([] {
    for (int i = 0; i < kLaunches; ++i) {
      RatingPrompt::appLaunched(true);
      if (i < kEvents) RatingPrompt::userDidSignificantEvent(true);
    }
  });
  // The main thread meanwhile shows and hides the alert that the counts read, and reads the store.
  for (int round = 0; round < 200; ++round) {
    threaded.runMain();
    if (round % 3 == 0) RatingPrompt::forceShowPrompt(true);
    if (round % 3 == 1) application.resignActive();
    (void)slow.integerForKey(kUseCountKey);
    (void)RatingPrompt::sharedInstance().ratingAlertIsAppropriate();
  }
  reporter.join();
  threaded.threads.clear();
  threaded.runMain();

  EXPECT_EQ(slow.integerForKey(kUseCountKey), kLaunches);
  EXPECT_EQ(slow.integerForKey(kSignificantEventCountKey), kEvents);
  EXPECT_EQ(application.observerCount(), 1u);  // one shared instance
  EXPECT_GE(alerts.created.size(), 67u);       // at least the forced ones
}

}  // namespace
}  // namespace balalaika::testing
