// Counting uses and events per version, and the conditions that make a rating request due.

#include <limits>

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;
using Value = fakes::InMemoryUserDefaults::Value;

class RatingCounting : public RatingPromptTest {
 protected:
  RatingPrompt& prompt() { return RatingPrompt::sharedInstance(); }
  bool met() { return prompt().ratingConditionsHaveBeenMet(); }
};

TEST_F(RatingCounting, GivenAnEmptyStore_WhenCounting_ThenTheFirstCountStartsTheVersionAndEveryCountIsFlushed) {
  bundle.versionText = "1.2";
  const double firstCount = clock.seconds;
  prompt().incrementSignificantEventCount();  // either count starts the waiting period
  clock.seconds += 5000.0;
  prompt().incrementUseCount();
  prompt().incrementUseCount();

  EXPECT_EQ(defaults.snapshot(), (std::map<std::string, Value>{{kCurrentVersionKey, std::string("1.2")},
                                                               {kFirstUseDateKey, firstCount},
                                                               {kUseCountKey, std::int64_t{2}},
                                                               {kSignificantEventCountKey, std::int64_t{1}}}));
  EXPECT_EQ(defaults.synchronizeCount(), 3);
}

TEST_F(RatingCounting, GivenAnUpdate_WhenAUseOrAnEventIsCountedFirst_ThenEveryKeyRestartsFromThatCount) {
  bundle.versionText = "1.1";
  RatingPrompt::setDebug(true);
  fakes::LogCapture log;
  for (const bool event : {false, true}) {
    // What a user leaves behind in 1.0 after rating, declining and asking to be reminded.
    defaults.setString(kCurrentVersionKey, "1.0");
    defaults.setDouble(kFirstUseDateKey, 1000.0);
    defaults.setInteger(kUseCountKey, 40);
    defaults.setInteger(kSignificantEventCountKey, 7);
    defaults.setBool(kRatedCurrentVersionKey, true);
    defaults.setBool(kDeclinedToRateKey, true);
    defaults.setDouble(kReminderRequestDateKey, 2000.0);

    if (event) {
      prompt().incrementSignificantEventCount();
    } else {
      prompt().incrementUseCount();
    }
    // An event does not start the waiting period of the new version; a use does.
    const std::map<std::string, Value> expected{{kCurrentVersionKey, std::string("1.1")},
                                                {kFirstUseDateKey, event ? 0.0 : clock.seconds},
                                                {kUseCountKey, std::int64_t{event ? 0 : 1}},
                                                {kSignificantEventCountKey, std::int64_t{event ? 1 : 0}},
                                                {kRatedCurrentVersionKey, false},
                                                {kDeclinedToRateKey, false},
                                                {kReminderRequestDateKey, 0.0}};
    EXPECT_EQ(defaults.snapshot(), expected) << (event ? "event first" : "use first");
  }
  prompt().incrementUseCount();
  EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.seconds);
  // Debug: the tracked version at every count, and the count where one was counted on (not on a change).
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"RATINGPROMPT Tracking version: 1.0",
                                                   "RATINGPROMPT Tracking version: 1.0",
                                                   "RATINGPROMPT Tracking version: 1.1", "RATINGPROMPT Use count: 1"}));
}

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
