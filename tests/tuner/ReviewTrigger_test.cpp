#include <gtest/gtest.h>

#include <limits>

#include "support/ScreenHarness.h"

namespace balalaika {
namespace {

using testing::kLoud;

class ReviewTriggerTest : public ::testing::Test {
 protected:
  testing::ScreenHarness screen;
  void unmatchedNote() { screen.tick(kLoud, 300.0f); }
};

TEST_F(ReviewTriggerTest, GivenStrings1And2TunedAStreamOfUnmatchedNotesAsksOnceFourSecondsAfterTheFirst) {
  screen.defaults.setInteger("numberOfRuns", 3);
  screen.controller.play1stSoundOnce();  // strings 1 and 2 tuned
  screen.controller.play2ndSoundOnce();
  unmatchedNote();
  EXPECT_EQ(screen.runLoop.pendingCount(), 1u);
  for (int i = 0; i < 10; ++i) {  // a second of unmatched ticks: one review stays pending
    screen.runLoop.advance(0.1);
    unmatchedNote();
  }
  EXPECT_EQ(screen.runLoop.pendingCount(), 1u);
  screen.runLoop.advance(2.98);
  EXPECT_EQ(screen.promptRequests, 0);
  screen.runLoop.advance(0.03);
  EXPECT_EQ(screen.promptRequests, 1);

  // Once it has run, a later unmatched note may ask again.
  unmatchedNote();
  screen.runLoop.advance(4.0);
  EXPECT_EQ(screen.promptRequests, 2);
}

TEST_F(ReviewTriggerTest, TheReviewAsksOncePerRunCountThresholdReached) {
  const std::pair<std::int64_t, int> cases[] = {{-4, 0}, {2, 0}, {3, 1}, {5, 1},  {6, 2},
                                                {7, 2},  {8, 3}, {9, 3}, {10, 4}, {1000000, 4}};
  for (auto [runs, calls] : cases) {
    screen.defaults.setInteger("numberOfRuns", runs);
    screen.promptRequests = 0;
    screen.controller.promptToReview();
    EXPECT_EQ(screen.promptRequests, calls) << runs << " runs";
  }
  screen.promptRequests = 0;
  screen.defaults.setString("numberOfRuns", "12");  // mistyped: reads as 0
  screen.controller.promptToReview();
  EXPECT_EQ(screen.promptRequests, 0);
}

TEST_F(ReviewTriggerTest, AControllerDestroyedWithAReviewPendingCancelsIt) {
  {
    ViewController other(ViewControllerServices{screen.device, screen.images, screen.bundle, screen.runLoop,
                                                screen.defaults, screen.urlOpener, screen.pitch, [] {}});
    screen.pitch.power = kLoud;
    for (float hertz : {440.0f, 329.6f, 300.0f}) {
      screen.pitch.hertz = hertz;
      other.tickFree();
    }
    ASSERT_EQ(screen.runLoop.pendingCount(), 1u);
  }
  EXPECT_EQ(screen.runLoop.pendingCount(), 0u);
}

}  // namespace
}  // namespace balalaika
