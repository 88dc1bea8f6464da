#include "RatingPromptFixture.h"

namespace balalaika::testing {
namespace {

using namespace rating;

// A store in which the launch counted next is due: two days since the first use, one use so far.
class RatingEntryPoints : public RatingPromptTest {
 protected:
  RatingEntryPoints() {
    RatingPrompt::setDelegate(delegate);  // before the settings create the shared instance
    applyApplicationSettings();
    storeUsage(2 * kDay, 1);
  }
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(RatingEntryPoints, GivenADueLaunch_WhenReported_ThenItCountsInTheBackgroundAndShowsOnTheMainQueue) {
  RatingPrompt::appLaunched(true);
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 1);  // nothing happens on the caller's thread

  EXPECT_EQ(dispatch.runBackground(), 1);
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
  EXPECT_TRUE(alerts.created.empty());

  EXPECT_EQ(dispatch.runMain(), 1);
  ASSERT_EQ(alerts.created.size(), 1u);
  EXPECT_TRUE(shownAlert()->isVisible());
  EXPECT_EQ(RatingPrompt::sharedInstance().ratingAlert(), shownAlert());
}

TEST_F(RatingEntryPoints, GivenTheFlagFalse_WhenAnyCountingEntryPointIsCalled_ThenItCountsButNeverShows) {
  RatingPrompt::appLaunched(false);
  RatingPrompt::appEnteredForeground(false);
  RatingPrompt::userDidSignificantEvent(false);
  runQueues();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 3);
  EXPECT_EQ(defaults.integerForKey(kSignificantEventCountKey), 1);
  EXPECT_TRUE(alerts.created.empty());
}

TEST_F(RatingEntryPoints, GivenADueState_WhenAForegroundReturnOrASignificantEventIsReported_ThenEachShowsTheAlert) {
  RatingPrompt::appEnteredForeground(true);
  runQueues();
  ASSERT_EQ(alerts.created.size(), 1u);
  shownAlert()->tap(kProgrammaticDismissIndex);

  RatingPrompt::userDidSignificantEvent(true);
  runQueues();
  EXPECT_EQ(alerts.created.size(), 2u);
}

TEST_F(RatingEntryPoints, GivenAnEarlyLaunch_WhenReported_ThenItIsCountedWithoutAnAlert) {
  storeUsage(2 * kDay - 1.0, 1);
  RatingPrompt::appLaunched();
  runQueues();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
  EXPECT_TRUE(alerts.created.empty());
}

TEST_F(RatingEntryPoints, GivenDebug_WhenTheLaunchIsReported_ThenTheAlertShowsWithoutCountingOrTesting) {
  RatingPrompt::setDebug(true);
  reachability.setFlags(0);
  defaults.setBool(kDeclinedToRateKey, true);
  const auto before = defaults.snapshot();

  RatingPrompt::appLaunched(false);
  runQueues();

  EXPECT_EQ(alerts.created.size(), 1u);
  EXPECT_EQ(defaults.snapshot(), before);
  EXPECT_EQ(reachability.queries(), 0);
}

TEST_F(RatingEntryPoints, GivenDebug_WhenAForegroundReturnIsReported_ThenItStillCounts) {
  RatingPrompt::setDebug(true);
  RatingPrompt::appEnteredForeground(true);
  runQueues();
  EXPECT_EQ(defaults.integerForKey(kUseCountKey), 2);
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingEntryPoints, GivenOfflineOrUnreadableFlags_ThenNeitherTheTriggerNorTheCountingShowsTheAlert) {
  for (const std::optional<std::uint32_t> flags : {std::optional<std::uint32_t>(0), std::optional<std::uint32_t>()}) {
    reachability.setFlags(flags);
    RatingPrompt::tryToShowPrompt();
    RatingPrompt::appLaunched(true);
    runQueues();
  }
  EXPECT_TRUE(alerts.created.empty());
}

TEST_F(RatingEntryPoints, GivenNoUsageAtAll_WhenTheTriggerAsks_ThenTheAlertShowsBecauseOnlyAppropriatenessCounts) {
  defaults.clearPersistentDomain();
  RatingPrompt::tryToShowPrompt();
  ASSERT_EQ(alerts.created.size(), 1u);

  RatingPrompt::showPrompt();  // visible already
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingEntryPoints, GivenARatingOrADecline_WhenTheTriggerAsks_ThenNothingShows_ButForcingStillShows) {
  defaults.setBool(kRatedCurrentVersionKey, true);
  RatingPrompt::tryToShowPrompt();
  EXPECT_TRUE(alerts.created.empty());

  defaults.setBool(kDeclinedToRateKey, true);
  reachability.setFlags(std::nullopt);
  RatingPrompt::forceShowPrompt(false);
  ASSERT_EQ(alerts.created.size(), 1u);
  RatingPrompt::forceShowPrompt(false);  // even over a visible one
  EXPECT_EQ(alerts.created.size(), 2u);
  EXPECT_EQ(RatingPrompt::sharedInstance().ratingAlert(), alerts.created[1]);
}

TEST_F(RatingEntryPoints, GivenNoTableEntries_ThenTheDefaultTextsAreTheKeysWithTheApplicationName) {
  RatingPrompt::forceShowPrompt(false);
  const auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title(), "Rate Title");
  EXPECT_EQ(alert->message(),
            "If you enjoy using Balalaika Tuner, would you mind taking a moment to rate it? It won't take more than a "
            "minute. Thanks for your support!");
  EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Rate Balalaika Tuner", "Remind me later"}));
  EXPECT_EQ(RatingPrompt::sharedInstance().alertCancelTitle(), "No, Thanks");
  EXPECT_EQ(alert->delegate(), &RatingPrompt::sharedInstance());
}

TEST_F(RatingEntryPoints, GivenTableEntries_ThenTheyAreLookedUpInTheRatingTableAndFormattedWhereMarked) {
  bundle.displayNameText.reset();  // the bundle name stands in
  bundle.texts[{kLocalizationTable, kTitleKey}] = "Оцените %@";
  bundle.texts[{kLocalizationTable, kRateLaterButtonKey}] = "Later %@";
  bundle.texts[{"", kRateButtonKey}] = "wrong table";
  RatingPrompt::forceShowPrompt(true);
  const auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title(), "Оцените balalaika-tuner");
  EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Rate balalaika-tuner", "Later %@"}));
}

TEST_F(RatingEntryPoints, GivenATranslationWithTwoPlaceholders_ThenOnlyTheFirstReceivesTheName) {
  bundle.texts[{kLocalizationTable, kTitleKey}] = "%@ and %@ at 100%%";
  RatingPrompt::forceShowPrompt(true);
  EXPECT_EQ(RatingPrompt::sharedInstance().alertTitle(), "Balalaika Tuner and %@ at 100%");
}

TEST_F(RatingEntryPoints, GivenCustomTexts_ThenTheyAppearExactlyAsSet) {
  RatingPrompt::setCustomAlertTitle("Like %@?");
  RatingPrompt::setCustomAlertMessage("100% honest");
  RatingPrompt::setCustomAlertRateButtonTitle("Sure");
  RatingPrompt::setCustomAlertRateLaterButtonTitle("Nope");
  RatingPrompt::setCustomAlertCancelButtonTitle("Never");
  RatingPrompt::forceShowPrompt(false);
  const auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  EXPECT_EQ(alert->title(), "Like %@?");
  EXPECT_EQ(alert->message(), "100% honest");
  EXPECT_EQ(alert->buttonTitles(), (std::vector<std::string>{"Sure", "Nope"}));
  EXPECT_EQ(RatingPrompt::sharedInstance().alertCancelTitle(), "Never");
}

TEST_F(RatingEntryPoints, GivenARatingPromptResourceBundle_ThenTextsComeFromItUnlessTheMainBundleIsForced) {
  fakes::FakeBundle resources;
  resources.texts[{kLocalizationTable, kRateLaterButtonKey}] = "From the resource bundle";
  install(&resources);
  EXPECT_EQ(RatingPrompt::sharedInstance().alertRateLaterTitle(), "From the resource bundle");
  RatingPrompt::setAlwaysUseMainBundle(true);
  EXPECT_EQ(RatingPrompt::sharedInstance().alertRateLaterTitle(), "Remind me later");
}

TEST_F(RatingEntryPoints, GivenTheAlert_WhenRemindMeLaterIsTaken_ThenTheDeclineIsStoredAndPromptingEnds) {
  RatingPrompt::tryToShowPrompt();
  ASSERT_EQ(alerts.created.size(), 1u);
  const int flushes = defaults.synchronizeCount();

  shownAlert()->tap(kRateLaterButtonIndex);

  EXPECT_EQ(defaults.boolForKey(kDeclinedToRateKey), true);
  EXPECT_EQ(defaults.synchronizeCount(), flushes + 1);
  EXPECT_EQ(defaults.doubleForKey(kReminderRequestDateKey), std::nullopt);
  EXPECT_TRUE(urlOpener.opened.empty());
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"shouldDisplay", "didDisplay", "didDecline"}));

  clock.seconds += 30 * kDay;
  RatingPrompt::tryToShowPrompt();
  RatingPrompt::appLaunched(true);
  runQueues();
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingEntryPoints, GivenTheAlert_WhenRateIsTaken_ThenTheRatingIsStoredBeforeTheStoreOpens) {
  std::optional<bool> ratedWhenOpened;
  struct Opener : platform::UrlOpener {
    std::function<void()> onOpen;
    bool openURL(const std::string&) override {
      onOpen();
      return false;  // the store cannot be opened: nothing changes
    }
  } opener;
  opener.onOpen = [&] { ratedWhenOpened = defaults.boolForKey(kRatedCurrentVersionKey); };
  RatingPromptPlatform platform{defaults, bundle,      nullptr, clock,       device,     reachability, probe,
                                alerts,   opener,      dispatch, application, storeViews, windows};
  RatingPrompt::installPlatform(platform);

  RatingPrompt::tryToShowPrompt();
  ASSERT_EQ(alerts.created.size(), 1u);
  shownAlert()->tap(kRateButtonIndex);

  EXPECT_EQ(ratedWhenOpened, true);
  EXPECT_EQ(defaults.boolForKey(kRatedCurrentVersionKey), true);
  EXPECT_EQ(delegate->calls.back(), "didOptToRate");
  RatingPrompt::tryToShowPrompt();
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingEntryPoints, GivenAVisibleAlert_WhenTheApplicationResignsActive_ThenItIsHiddenAndNothingIsRecorded) {
  RatingPrompt::setDebug(true);
  RatingPrompt::tryToShowPrompt();
  const auto alert = shownAlert();
  ASSERT_NE(alert, nullptr);
  const auto before = defaults.snapshot();
  fakes::LogCapture log;

  application.resignActive();

  EXPECT_FALSE(alert->isVisible());
  EXPECT_EQ(alert->dismissals, (std::vector<std::pair<int, bool>>{{-1, false}}));
  EXPECT_EQ(defaults.snapshot(), before);
  EXPECT_TRUE(urlOpener.opened.empty());
  EXPECT_EQ(log.lines(), (std::vector<std::string>{"RATINGPROMPT appWillResignActive", "RATINGPROMPT Hiding Alert"}));

  application.resignActive();  // nothing visible: no second dismissal
  EXPECT_EQ(alert->dismissals.size(), 1u);
  RatingPrompt::tryToShowPrompt();
  EXPECT_EQ(alerts.created.size(), 2u);
}

TEST_F(RatingEntryPoints, GivenADelegateThatVetoes_ThenNothingIsShownAndThePreviousAlertStays) {
  RatingPrompt::forceShowPrompt(false);
  const auto first = shownAlert();
  ASSERT_NE(first, nullptr);
  first->tap(kProgrammaticDismissIndex);

  delegate->shouldDisplay = false;
  RatingPrompt::forceShowPrompt(false);
  RatingPrompt::tryToShowPrompt();

  EXPECT_EQ(alerts.created.size(), 1u);
  EXPECT_EQ(RatingPrompt::sharedInstance().ratingAlert(), first);
  EXPECT_EQ(delegate->calls,
            (std::vector<std::string>{"shouldDisplay", "didDisplay", "shouldDisplay", "shouldDisplay"}));
}

TEST_F(RatingEntryPoints, GivenADelegateSetAfterTheInstanceExists_ThenItNeverHearsAnything) {
  auto late = std::make_shared<RecordingDelegate>();
  RatingPrompt::setDelegate(late);  // the fixture's settings created the instance already
  RatingPrompt::forceShowPrompt(false);
  EXPECT_TRUE(late->calls.empty());
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"shouldDisplay", "didDisplay"}));
  EXPECT_EQ(alerts.created.size(), 1u);
}

TEST_F(RatingEntryPoints, GivenADelegateThatIsGone_ThenTheAlertStillShows) {
  RatingPrompt::resetAllStateForTesting();
  install(nullptr);
  {
    auto shortLived = std::make_shared<RecordingDelegate>();
    shortLived->shouldDisplay = false;
    RatingPrompt::setDelegate(shortLived);
    RatingPrompt::sharedInstance();
  }
  RatingPrompt::forceShowPrompt(false);
  EXPECT_EQ(alerts.created.size(), 1u);
}

}  // namespace
}  // namespace balalaika::testing
