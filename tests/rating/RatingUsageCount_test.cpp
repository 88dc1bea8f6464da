#include <limits>

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;
using Value = fakes::InMemoryUserDefaults::Value;

class RatingUsageCount : public RatingPromptTest {};

TEST_F(RatingUsageCount, GivenAnEmptyStore_WhenTheFirstUseIsCounted_ThenTheRunningVersionStartsItsWaitingPeriod) {
  applyApplicationSettings();
  bundle.versionText = "1.2";
  RatingPrompt& prompt = RatingPrompt::sharedInstance();

  prompt.incrementUseCount();

  const auto stored = defaults.snapshot();
  EXPECT_EQ(stored.at(kCurrentVersionKey), Value(std::string("1.2")));
  EXPECT_EQ(stored.at(kFirstUseDateKey), Value(clock.seconds));
  EXPECT_EQ(stored.at(kUseCountKey), Value(std::int64_t{1}));
  EXPECT_EQ(stored.size(), 3u);
  EXPECT_EQ(defaults.synchronizeCount(), 1);
  EXPECT_FALSE(prompt.ratingConditionsHaveBeenMet());
}

TEST_F(RatingUsageCount, GivenATrackedVersion_WhenUsesAndEventsAreCounted_ThenOnlyTheirCountsMoveAndEachIsFlushed) {
  storeUsage(100.0, 4);
  const double firstUse = clock.seconds - 100.0;
  RatingPrompt& prompt = RatingPrompt::sharedInstance();
  clock.seconds += 5000.0;

  prompt.incrementUseCount();
  prompt.incrementSignificantEventCount();
  prompt.incrementSignificantEventCount();

  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 5);
  EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 2);
  EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), firstUse);
  EXPECT_EQ(defaults.synchronizeCount(), 3);
}

TEST_F(RatingUsageCount, GivenAStoredCountOfZeroDate_WhenASignificantEventIsCountedThenAUse_ThenTheUseSetsTheDate) {
  defaults.setString(kCurrentVersionKey, bundle.versionText);
  RatingPrompt& prompt = RatingPrompt::sharedInstance();

  prompt.incrementSignificantEventCount();
  EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.seconds);  // either count starts the period
  clock.seconds += 10.0;
  prompt.incrementUseCount();
  EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.seconds - 10.0);
}

// The state a user leaves behind in version 1.0 after rating, declining and asking to be reminded.
void storeOldVersionHistory(fakes::InMemoryUserDefaults& defaults) {
  defaults.setString(kCurrentVersionKey, "1.0");
  defaults.setDouble(kFirstUseDateKey, 1000.0);
  defaults.setInteger(kUseCountKey, 40);
  defaults.setInteger(kSignificantEventCountKey, 7);
  defaults.setBool(kRatedCurrentVersionKey, true);
  defaults.setBool(kDeclinedToRateKey, true);
  defaults.setDouble(kReminderRequestDateKey, 2000.0);
}

TEST_F(RatingUsageCount, GivenAnUpdate_WhenAUseIsCounted_ThenAllSevenKeysRestartWithThisUse) {
  storeOldVersionHistory(defaults);
  bundle.versionText = "1.1";
  RatingPrompt& prompt = RatingPrompt::sharedInstance();

  prompt.incrementUseCount();

  const std::map<std::string, Value> expected{
      {kCurrentVersionKey, std::string("1.1")},   {kFirstUseDateKey, clock.seconds},
      {kUseCountKey, std::int64_t{1}},            {kSignificantEventCountKey, std::int64_t{0}},
      {kRatedCurrentVersionKey, false},           {kDeclinedToRateKey, false},
      {kReminderRequestDateKey, 0.0}};
  EXPECT_EQ(defaults.snapshot(), expected);
  EXPECT_FALSE(prompt.userHasRatedCurrentVersion());
  EXPECT_FALSE(prompt.userHasDeclinedToRate());
  EXPECT_EQ(defaults.synchronizeCount(), 1);
}

TEST_F(RatingUsageCount, GivenAnUpdate_WhenASignificantEventIsCountedFirst_ThenNoDateIsSetUntilTheNextUse) {
  storeOldVersionHistory(defaults);
  bundle.versionText = "1.1";
  RatingPrompt& prompt = RatingPrompt::sharedInstance();

  prompt.incrementSignificantEventCount();

  const std::map<std::string, Value> expected{
      {kCurrentVersionKey, std::string("1.1")},   {kFirstUseDateKey, 0.0},
      {kUseCountKey, std::int64_t{0}},            {kSignificantEventCountKey, std::int64_t{1}},
      {kRatedCurrentVersionKey, false},           {kDeclinedToRateKey, false},
      {kReminderRequestDateKey, 0.0}};
  EXPECT_EQ(defaults.snapshot(), expected);

  prompt.incrementUseCount();
  EXPECT_EQ(defaults.doubleForKey(kFirstUseDateKey), clock.seconds);
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);
  EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 1);
}

TEST_F(RatingUsageCount, GivenDebug_WhenCounting_ThenTrackingAndCountLinesAreLoggedButNotOnAVersionChange) {
  RatingPrompt::setDebug(true);
  bundle.versionText = "2.0";
  RatingPrompt& prompt = RatingPrompt::sharedInstance();
  fakes::LogCapture log;

  prompt.incrementUseCount();
  prompt.incrementSignificantEventCount();
  bundle.versionText = "2.1";
  prompt.incrementUseCount();

  EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "RATINGPROMPT Tracking version: 2.0", "RATINGPROMPT Use count: 1",
                             "RATINGPROMPT Tracking version: 2.0", "RATINGPROMPT Significant event count: 1",
                             "RATINGPROMPT Tracking version: 2.0"}));
}

TEST_F(RatingUsageCount, GivenAHandEditedStoreAtTheLargestCount_WhenAUseIsCounted_ThenTheCountStaysThere) {
  storeUsage(0.0, std::numeric_limits<std::int64_t>::max());
  RatingPrompt::sharedInstance().incrementUseCount();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), std::numeric_limits<std::int64_t>::max());
}

}  // namespace
}  // namespace balalaika::testing
