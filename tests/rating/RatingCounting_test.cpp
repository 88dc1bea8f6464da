// Counting uses and events per version, and the conditions that make a rating request due.

#include <limits>

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

class RatingCounting : public RatingPromptTest {
 protected:
  RatingPrompt& prompt() { return RatingPrompt::sharedInstance(); }
  bool met() { return prompt().ratingConditionsHaveBeenMet(); }
};

TEST_F(RatingCounting, GivenAHandEditedStoreAtTheLargestCount_WhenAUseIsCounted_ThenTheCountStaysThere) {
  storeUsage(0.0, std::numeric_limits<std::int64_t>::max());
  prompt().incrementUseCount();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), std::numeric_limits<std::int64_t>::max());
}

TEST_F(RatingCounting, GivenTwoDaysTwoUsesAndTwoDaysBeforeReminding_ThenEachIsReachedExactlyAtItsThreshold) {
  applyApplicationSettings();
  storeUsage(172799.0, 1);
  prompt().incrementUseCount();  // the use that brings the count to two
  EXPECT_FALSE(met());
  clock.seconds += 1.0;
  EXPECT_TRUE(met());
  defaults.setInteger(kUseCountKey, 1);
  EXPECT_FALSE(met());

  storeUsage(10 * kDay, 2);
  defaults.setDouble(kReminderRequestDateKey, clock.seconds - 172799.0);
  EXPECT_FALSE(met());
  clock.seconds += 1.0;
  EXPECT_TRUE(met());
}

TEST_F(RatingCounting, GivenTheEventThreshold_ThenItBlocksOnlyWhenPositive_EvenAgainstANegativeStoredCount) {
  applyApplicationSettings();  // -1: switched off
  storeUsage(3 * kDay, 2);
  EXPECT_TRUE(met());
  defaults.setInteger(kSignificantEventCountKey, -5);
  EXPECT_TRUE(met());
  RatingPrompt::setSignificantEventsUntilPrompt(0);
  EXPECT_TRUE(met());

  RatingPrompt::setSignificantEventsUntilPrompt(3);
  defaults.setInteger(kSignificantEventCountKey, 2);
  EXPECT_FALSE(met());
  defaults.setInteger(kSignificantEventCountKey, 3);
  EXPECT_TRUE(met());
}

}  // namespace
}  // namespace balalaika::testing
