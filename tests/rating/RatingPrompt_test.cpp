// When a rating request is due (uses and events counted per version), and the alert: when it
// shows, what it says, what each answer records and where rating leads.

#include <functional>
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

// A store in which the launch counted next is due: two days since the first use, one use so far.
class RatingAlert : public RatingPromptTest {
 protected:
  RatingAlert() {
    applyApplicationSettings();
    storeUsage(2 * kDay, 1);
  }
};

TEST_F(RatingAlert, GivenEachReasonToHoldBack_ThenTheAlertIsNotAppropriate_AndOnlyDirectOrTransientLinksAreOnline) {
  using namespace platform;
  constexpr std::uint32_t R = kReachabilityReachable, C = kReachabilityConnectionRequired,
                          T = kReachabilityTransientConnection;
  const struct {
    const char* given;
    std::function<void()> arrange;
    bool appropriate;
  } cases[] = {
      {"reachable", [] {}, true},
      {"no flag", [&] { reachability.setFlags(0); }, false},
      {"reachable, needs a connection", [&] { reachability.setFlags(R | C); }, false},
      {"transient", [&] { reachability.setFlags(T); }, true},
      {"transient, needs a connection", [&] { reachability.setFlags(T | C); }, true},
      {"unreadable flags", [&] { reachability.setFlags(std::nullopt); }, false},
      {"probe not created", [&] { probe.setCreated(false); }, false},
      {"declined", [&] { defaults.setBool(kDeclinedToRateKey, true); }, false},
      {"rated", [&] { defaults.setBool(kRatedCurrentVersionKey, true); }, false},
      {"alert visible", [] { RatingPrompt::forceShowPrompt(true); }, false},
  };
  RatingPrompt& prompt = RatingPrompt::sharedInstance();
  for (const auto& c : cases) {
    reachability.setFlags(R);
    probe.setCreated(true);
    defaults.clearPersistentDomain();
    prompt.hideRatingAlert();
    c.arrange();
    EXPECT_EQ(prompt.ratingAlertIsAppropriate(), c.appropriate) << c.given;
  }
}

TEST_F(RatingAlert, GivenTableEntriesAndCustomTexts_ThenOnlyTheFirstPlaceholderOfAMarkedTableTextGetsTheName) {
  bundle.texts[{kLocalizationTable, kTitleKey}] = "%@ and %@ at 100%%";
  bundle.texts[{kLocalizationTable, kRateLaterButtonKey}] = "Later %@";
  bundle.texts[{"", kRateButtonKey}] = "wrong table";
  RatingPrompt::setCustomAlertMessage("Like %@? 100%");
  RatingPrompt::forceShowPrompt(true);
  ASSERT_EQ(alerts.created.size(), 1u);
  const auto alert = alerts.created.back();
  EXPECT_EQ(alert->title(), "Balalaika Tuner and %@ at 100%");
  EXPECT_EQ(alert->message(), "Like %@? 100%");
  EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Rate Balalaika Tuner", "Later %@"}));
}

TEST_F(RatingAlert, GivenTheAlert_WhenRateIsTaken_ThenTheRatingIsStoredBeforeTheStoreOpens) {
  struct Opener : platform::UrlOpener {
    platform::UserDefaults* defaults = nullptr;
    std::optional<bool> ratedWhenOpened;
    bool openURL(const std::string&) override {
      ratedWhenOpened = defaults->boolForKey(rating::kRatedCurrentVersionKey);
      return false;  // the store cannot be opened: the rating stays recorded
    }
  } opener;
  opener.defaults = &defaults;
  install(nullptr, nullptr, &opener);

  RatingPrompt::tryToShowPrompt();
  ASSERT_EQ(alerts.created.size(), 1u);
  alerts.created.back()->tap(kRateButtonIndex);

  EXPECT_EQ(opener.ratedWhenOpened, true);
  RatingPrompt::tryToShowPrompt();
  EXPECT_EQ(alerts.created.size(), 1u);
}

// The rating step: the store application's address for each system version.
TEST_F(RatingAlert, GivenEachSystemVersion_ThenRatingOpensTheReviewAppOrWriteReviewPage) {
  const std::string app = "itms-apps://apps.apple.com/app/id555123987";
  const std::pair<const char*, std::string> cases[] = {
      {"6.1", "itms-apps://itunes.apple.com/WebObjects/MZStore.woa/wa/"
              "viewContentsUserReviews?type=Purple+Software&id=555123987"},
      {"7.1.2", app},
      {"8.0", app + "?action=write-review"}};
  for (const auto& [version, url] : cases) {
    device.version = version;
    RatingPrompt::rateApp();
    EXPECT_EQ(urlOpener.opened, std::vector<std::string>{url}) << "system " << version;
    urlOpener.opened.clear();
  }
}

}  // namespace
}  // namespace balalaika::testing
