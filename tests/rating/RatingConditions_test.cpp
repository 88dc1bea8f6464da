#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

class RatingConditions : public RatingPromptTest {
 protected:
  RatingConditions() { applyApplicationSettings(); }
  bool met() { return RatingPrompt::sharedInstance().ratingConditionsHaveBeenMet(); }
};

TEST_F(RatingConditions, GivenTwoDaysToWait_ThenOneSecondShortIsNotEnoughAndTheExactSecondIs) {
  storeUsage(172799.0, 2);
  EXPECT_FALSE(met());
  clock.seconds += 1.0;
  EXPECT_TRUE(met());
}

TEST_F(RatingConditions, GivenTwoUsesNeeded_ThenTheUseThatBringsTheCountToTwoQualifies) {
  storeUsage(3 * kDay, 0);
  RatingPrompt& prompt = RatingPrompt::sharedInstance();
  prompt.incrementUseCount();
  EXPECT_FALSE(met());
  prompt.incrementUseCount();
  EXPECT_TRUE(met());
}

TEST_F(RatingConditions, GivenSignificantEventsSwitchedOffByMinusOne_ThenNoEventCountBlocks) {
  storeUsage(3 * kDay, 2);
  defaults.setInteger(kSignificantEventCountKey, -5);
  EXPECT_TRUE(met());
  defaults.removeObjectForKey(kSignificantEventCountKey);
  EXPECT_TRUE(met());
}

TEST_F(RatingConditions, GivenThreeEventsNeeded_ThenTwoBlockAndThreePass_AndZeroNeededNeverBlocks) {
  storeUsage(3 * kDay, 2);
  RatingPrompt::setSignificantEventsUntilPrompt(3);
  defaults.setInteger(kSignificantEventCountKey, 2);
  EXPECT_FALSE(met());
  defaults.setInteger(kSignificantEventCountKey, 3);
  EXPECT_TRUE(met());
  RatingPrompt::setSignificantEventsUntilPrompt(0);
  defaults.setInteger(kSignificantEventCountKey, -1);
  EXPECT_TRUE(met());
}

TEST_F(RatingConditions, GivenAReminderRequest_ThenTheRequestIsDueExactlyTimeBeforeRemindingLater) {
  storeUsage(10 * kDay, 2);
  defaults.setDouble(kReminderRequestDateKey, clock.seconds - 172799.0);
  EXPECT_FALSE(met());
  clock.seconds += 1.0;
  EXPECT_TRUE(met());
}

TEST_F(RatingConditions, GivenDebug_ThenTheConditionsAreMetWhateverIsStored) {
  RatingPrompt::setDaysUntilPrompt(1000.0);
  RatingPrompt::setUsesUntilPrompt(1000);
  RatingPrompt::setDebug(true);
  EXPECT_TRUE(met());
  EXPECT_TRUE(defaults.snapshot().empty());
}

class RatingAppropriateness : public RatingPromptTest {
 protected:
  bool appropriate() { return RatingPrompt::sharedInstance().ratingAlertIsAppropriate(); }
};

TEST_F(RatingAppropriateness, GivenAFreshStoreOnline_ThenTheAlertIsAppropriateAndOneProbeIsStarted) {
  EXPECT_TRUE(appropriate());
  ASSERT_EQ(probe.requests().size(), 1u);
  const platform::ProbeRequest request = probe.requests()[0];
  EXPECT_EQ(request.url.rfind("http://", 0), 0u);
  EXPECT_EQ(request.url.substr(request.url.find('/', 7)), "/");
  EXPECT_EQ(request.cachePolicy, platform::ProbeCachePolicy::AlwaysNetwork);
  EXPECT_EQ(request.timeoutSeconds, 20.0);
  EXPECT_EQ(reachability.lastAddress(), (platform::SocketAddressV4{16, 2, 0, 0}));
}

TEST_F(RatingAppropriateness, GivenTheReachabilityFlags_ThenOnlyADirectOrTransientConnectionCountsAsOnline) {
  using namespace platform;
  const struct {
    std::uint32_t flags;
    bool online;
  } cases[] = {
      {0, false},
      {kReachabilityReachable, true},
      {kReachabilityReachable | kReachabilityConnectionRequired, false},
      {kReachabilityConnectionRequired, false},
      {kReachabilityTransientConnection, true},
      {kReachabilityTransientConnection | kReachabilityConnectionRequired, true},
      {kReachabilityReachable | kReachabilityConnectionRequired | kReachabilityTransientConnection, true},
  };
  for (const auto& c : cases) {
    reachability.setFlags(c.flags);
    EXPECT_EQ(appropriate(), c.online) << "flags " << c.flags;
  }
}

TEST_F(RatingAppropriateness, GivenUnreadableFlags_ThenOneLineIsLoggedNoProbeStartsAndTheAlertIsNotAppropriate) {
  reachability.setFlags(std::nullopt);
  fakes::LogCapture log;
  EXPECT_FALSE(appropriate());
  EXPECT_EQ(log.lines(), std::vector<std::string>{"Error. Could not recover network reachability flags"});
  EXPECT_TRUE(probe.requests().empty());
}

TEST_F(RatingAppropriateness, GivenAProbeThatCannotBeCreated_ThenTheDeviceCountsAsOffline) {
  probe.setCreated(false);
  EXPECT_FALSE(appropriate());
}

TEST_F(RatingAppropriateness, GivenADeclineOrARating_ThenNotAppropriateButTheProbeStillStarts) {
  defaults.setBool(kDeclinedToRateKey, true);
  EXPECT_FALSE(appropriate());
  defaults.setBool(kDeclinedToRateKey, false);
  defaults.setBool(kRatedCurrentVersionKey, true);
  EXPECT_FALSE(appropriate());
  EXPECT_EQ(probe.requests().size(), 2u);
}

TEST_F(RatingAppropriateness, GivenAVisibleAlert_ThenNotAppropriateUntilItIsGone) {
  RatingPrompt::forceShowPrompt(true);
  EXPECT_FALSE(appropriate());
  const auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  alert->tap(kProgrammaticDismissIndex);
  EXPECT_TRUE(appropriate());
}

}  // namespace
}  // namespace balalaika::testing
