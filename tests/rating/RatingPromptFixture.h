#pragma once
// A rating prompt installed on fakes, fresh for every test, with the application's settings at hand.

#include <gtest/gtest.h>

#include "app/RatingLaunch.h"
#include "fakes/FakeBundle.h"
#include "fakes/FakeDevice.h"
#include "fakes/InMemoryUserDefaults.h"
#include "fakes/RatingServices.h"
#include "fakes/RecordingUrlOpener.h"
#include "rating/RatingPrompt.h"
#include "rating/RatingPromptConstants.h"

namespace balalaika::testing {

inline constexpr double kDay = 86400.0;

class RatingPromptTest : public ::testing::Test {
 protected:
  RatingPromptTest() {
    RatingPrompt::resetAllStateForTesting();
    install();
  }
  ~RatingPromptTest() override { RatingPrompt::resetAllStateForTesting(); }

  // Installs the fixture's services, or those the test puts in place of some of them.
  void install(platform::UserDefaults* d = nullptr, platform::Dispatch* q = nullptr, platform::UrlOpener* o = nullptr) {
    RatingPrompt::installPlatform(RatingPromptPlatform{d ? *d : defaults, bundle, nullptr, clock, device, reachability,
                                                       probe, alerts, o ? *o : urlOpener, q ? *q : dispatch, application,
                                                       storeViews, windows});
  }

  // The settings the application applies at launch.
  static void applyApplicationSettings() { app::configureRatingPrompt(); }

  // Usage state of the running version: first counted use secondsAgo back, uses counted so far.
  void storeUsage(double secondsAgo, std::int64_t uses) {
    defaults.setString(rating::kCurrentVersionKey, bundle.version());
    defaults.setDouble(rating::kFirstUseDateKey, clock.seconds - secondsAgo);
    defaults.setInteger(rating::kUseCountKey, uses);
  }

  fakes::InMemoryUserDefaults defaults;
  fakes::FakeBundle bundle;
  fakes::FakeClock clock;
  fakes::FakeDevice device;
  fakes::FakeReachability reachability;
  fakes::RecordingHttpProbe probe;
  fakes::FakeAlertViewFactory alerts;
  fakes::RecordingUrlOpener urlOpener;
  fakes::FakeDispatch dispatch;
  fakes::FakeApplication application;
  fakes::FakeStoreProductViewFactory storeViews;
  fakes::FakeWindowList windows;
};

}  // namespace balalaika::testing
