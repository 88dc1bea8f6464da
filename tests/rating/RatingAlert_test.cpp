// When the alert is shown, what it says, and what each answer records.

#include <functional>

#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

// A store in which the launch counted next is due: two days since the first use, one use so far.
class RatingAlert : public RatingPromptTest {
 protected:
  RatingAlert() {
    RatingPrompt::setDelegate(delegate);  // before the settings create the shared instance
    applyApplicationSettings();
    storeUsage(2 * kDay, 1);
  }
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
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

TEST_F(RatingAlert, GivenUnreadableFlags_ThenNeitherTriggerNorCountShowsOrProbes_AndEachTestLogsTheFailure) {
  reachability.setFlags(std::nullopt);
  fakes::LogCapture log;
  RatingPrompt::tryToShowPrompt();
  RatingPrompt::appLaunched(true);
  runQueues();
  const std::string line = "Error. Could not recover network reachability flags";
  EXPECT_EQ(log.lines(), (std::vector<std::string>{line, line}));
  EXPECT_TRUE(alerts.created.empty());
  EXPECT_TRUE(probe.requests().empty());
  RatingPrompt::forceShowPrompt(false);  // forcing tests nothing
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingAlert, GivenADueState_WhenEachCountingEntryPointReports_ThenItCountsInTheBackgroundAndShowsIfAllowed) {
  RatingPrompt::appLaunched(false);
  RatingPrompt::appEnteredForeground(false);
  RatingPrompt::userDidSignificantEvent(false);
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);  // nothing happens on the caller's thread
  runQueues();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 3);
  EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 1);
  EXPECT_TRUE(alerts.created.empty());

  RatingPrompt::appLaunched(true);
  EXPECT_EQ(dispatch.runBackground(), 1);
  EXPECT_TRUE(alerts.created.empty());  // shown from the main queue only
  EXPECT_EQ(dispatch.runMain(), 1);
  ASSERT_EQ(alerts.created.size(), 1u);
  EXPECT_EQ(RatingPrompt::sharedInstance().ratingAlert(), shownAlert());
  for (const auto report : {&RatingPrompt::appEnteredForeground, &RatingPrompt::userDidSignificantEvent}) {
    shownAlert()->tap(kProgrammaticDismissIndex);
    report(true);
    runQueues();
  }
  EXPECT_EQ(alerts.created.size(), 3u);
}

TEST_F(RatingAlert, GivenDebug_ThenTheLaunchShowsTheAlertWithoutCountingOrTesting_ButAForegroundReturnCounts) {
  RatingPrompt::setDebug(true);
  RatingPrompt::setDaysUntilPrompt(1000.0);
  reachability.setFlags(0);
  defaults.setBool(kDeclinedToRateKey, true);
  EXPECT_TRUE(RatingPrompt::sharedInstance().ratingConditionsHaveBeenMet());
  const auto before = defaults.snapshot();

  RatingPrompt::appLaunched(false);
  runQueues();
  EXPECT_EQ(alerts.created.size(), 1u);
  EXPECT_EQ(defaults.snapshot(), before);
  EXPECT_EQ(reachability.queries(), 0);

  RatingPrompt::appEnteredForeground(true);  // offline and declined: counted, not shown
  runQueues();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingAlert, GivenNoTableEntries_ThenTheDefaultTextsAreTheKeysWithTheApplicationName) {
  RatingPrompt::forceShowPrompt(false);
  const auto alert = shownAlert();
  EXPECT_EQ(alert->title(), "Rate Title");
  EXPECT_EQ(alert->message(),
            "If you enjoy using Balalaika Tuner, would you mind taking a moment to rate it? It won't take more than a "
            "minute. Thanks for your support!");
  EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Rate Balalaika Tuner", "Remind me later"}));
  EXPECT_EQ(RatingPrompt::sharedInstance().alertCancelTitle(), "No, Thanks");
  EXPECT_EQ(alert->delegate(), &RatingPrompt::sharedInstance());
}

TEST_F(RatingAlert, GivenTableEntriesAndCustomTexts_ThenOnlyTheFirstPlaceholderOfAMarkedTableTextGetsTheName) {
  bundle.texts[{kLocalizationTable, kTitleKey}] = "%@ and %@ at 100%%";
  bundle.texts[{kLocalizationTable, kRateLaterButtonKey}] = "Later %@";
  bundle.texts[{"", kRateButtonKey}] = "wrong table";
  RatingPrompt::setCustomAlertMessage("Like %@? 100%");
  RatingPrompt::forceShowPrompt(true);
  const auto alert = shownAlert();
  EXPECT_EQ(alert->title(), "Balalaika Tuner and %@ at 100%");
  EXPECT_EQ(alert->message(), "Like %@? 100%");
  EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Rate Balalaika Tuner", "Later %@"}));
}

TEST_F(RatingAlert, GivenTheAlert_WhenRemindMeLaterIsTaken_ThenTheDeclineIsStoredAndPromptingEnds) {
  RatingPrompt::tryToShowPrompt();  // shows although one use is too few: the trigger tests appropriateness only
  const int flushes = defaults.synchronizeCount();
  shownAlert()->tap(kRateLaterButtonIndex);

  EXPECT_EQ(defaults.boolForKey(kDeclinedToRateKey), true);
  EXPECT_EQ(defaults.synchronizeCount(), flushes + 1);
  EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), std::nullopt);  // a decline, not a reminder
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"shouldDisplay", "didDisplay", "didDecline"}));

  clock.seconds += 30 * kDay;
  RatingPrompt::tryToShowPrompt();
  RatingPrompt::appLaunched(true);
  runQueues();
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingAlert, GivenTheAlert_WhenRateIsTaken_ThenTheRatingIsStoredBeforeTheStoreOpens) {
  std::optional<bool> ratedWhenOpened;
  struct Opener : platform::UrlOpener {
    std::function<void()> onOpen;
    bool openURL(const std::string&) override {
      onOpen();
      return false;  // the store cannot be opened: the rating stays recorded
    }
  } opener;
  opener.onOpen = [&] { ratedWhenOpened = defaults.boolForKey(kRatedCurrentVersionKey); };
  install({.urlOpener = &opener});

  RatingPrompt::tryToShowPrompt();
  shownAlert()->tap(kRateButtonIndex);

  EXPECT_EQ(ratedWhenOpened, true);
  EXPECT_EQ(delegate->calls.back(), "didOptToRate");
  RatingPrompt::tryToShowPrompt();
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingAlert, GivenAVisibleAlert_WhenTheApplicationResignsActive_ThenItIsHiddenAndNothingIsRecorded) {
  RatingPrompt::tryToShowPrompt();
  const auto alert = shownAlert();
  const auto before = defaults.snapshot();
  application.resignActive();
  application.resignActive();  // nothing visible: no second dismissal
  EXPECT_EQ(alert->dismissals, (std::vector<std::pair<int, bool>>{{kProgrammaticDismissIndex, false}}));
  EXPECT_EQ(defaults.snapshot(), before);
  RatingPrompt::tryToShowPrompt();
  EXPECT_EQ(alerts.created.size(), 2u);
}

TEST_F(RatingAlert, GivenADelegateThatVetoes_ThenNothingIsShownAndThePreviousAlertStays) {
  RatingPrompt::forceShowPrompt(false);
  const auto first = shownAlert();
  first->tap(kProgrammaticDismissIndex);

  delegate->shouldDisplay = false;
  RatingPrompt::forceShowPrompt(false);
  RatingPrompt::tryToShowPrompt();

  EXPECT_EQ(alerts.created.size(), 1u);
  EXPECT_EQ(RatingPrompt::sharedInstance().ratingAlert(), first);
  EXPECT_EQ(delegate->calls,
            (std::vector<std::string>{"shouldDisplay", "didDisplay", "shouldDisplay", "shouldDisplay"}));
}

}  // namespace
}  // namespace balalaika::testing
