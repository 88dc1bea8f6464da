#include <gtest/gtest.h>

#include "app/AppDelegate.h"
#include "fakes/FakeStoryboards.h"
#include "rating/RatingPromptFixture.h"

namespace balalaika {
namespace {

class AppDelegateLaunch : public testing::RatingPromptTest {
 protected:
  fakes::FakeStoryboards storyboards;
  fakes::FakeDevice screenDevice;  // the device the layout is chosen for
  AppDelegate delegate{AppDelegateServices{screenDevice, storyboards, &application}};
};

TEST_F(AppDelegateLaunch, ConfiguresTheRatingPromptCountsTheLaunchInstallsTheLayoutAndHidesTheStatusBar) {
  EXPECT_TRUE(delegate.didFinishLaunchingWithOptions());

  EXPECT_EQ(RatingPrompt::appId(), "555123987");
  EXPECT_EQ(RatingPrompt::daysUntilPrompt(), 2.0);
  EXPECT_EQ(RatingPrompt::usesUntilPrompt(), 2);
  EXPECT_EQ(RatingPrompt::significantEventsUntilPrompt(), -1);
  EXPECT_EQ(RatingPrompt::timeBeforeReminding(), 2.0);
  EXPECT_TRUE(RatingPrompt::sharedInstance().openInAppStore());

  EXPECT_EQ(storyboards.journal, (std::vector<std::string>{"instantiate Main_iPhone12Pro", "window 0 0 390 844",
                                                           "root Main_iPhone12Pro", "key and visible"}));
  EXPECT_EQ(application.hiddenCalls, (std::vector<std::pair<bool, int>>{{true, platform::kStatusBarAnimationSlide}}));
  EXPECT_TRUE(delegate.prefersStatusBarHidden());

  // The launch is counted on the background queue, not during the launch itself.
  EXPECT_FALSE(defaults.integerForKey("kRatingPromptUseCount"));
  runQueues();
  EXPECT_EQ(defaults.integerForKey("kRatingPromptUseCount"), 1);
}

TEST_F(AppDelegateLaunch, ADeviceWithoutALayoutStillLaunches) {
  screenDevice.height = 693.0;
  EXPECT_TRUE(delegate.didFinishLaunchingWithOptions());
  EXPECT_TRUE(storyboards.journal.empty());
  EXPECT_EQ(delegate.window(), nullptr);
  EXPECT_EQ(application.hiddenCalls.size(), 1u);
}

}  // namespace
}  // namespace balalaika
