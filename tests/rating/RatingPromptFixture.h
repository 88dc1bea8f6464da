#pragma once
// A rating prompt installed on fakes, fresh for every test, with the application's settings at hand.

#include <gtest/gtest.h>

#include <stdexcept>

#include "fakes/FakeBundle.h"
#include "fakes/FakeDevice.h"
#include "fakes/InMemoryUserDefaults.h"
#include "fakes/RatingServices.h"
#include "fakes/RecordingUrlOpener.h"
#include "rating/RatingPrompt.h"
#include "rating/RatingPromptConstants.h"

namespace balalaika::testing {

inline constexpr double kDay = 86400.0;

// Services a test puts in place of the fixture's own (none: the fixture's).
struct RatingServiceReplacements {
  platform::UserDefaults* defaults = nullptr;
  platform::Dispatch* dispatch = nullptr;
  platform::UrlOpener* urlOpener = nullptr;
};

class RatingPromptTest : public ::testing::Test {
 protected:
  RatingPromptTest() {
    RatingPrompt::resetAllStateForTesting();
    install();
  }
  ~RatingPromptTest() override { RatingPrompt::resetAllStateForTesting(); }

  void install(RatingServiceReplacements r = {}) {
    RatingPrompt::installPlatform(RatingPromptPlatform{
        r.defaults ? *r.defaults : defaults, bundle, nullptr, clock, device, reachability, probe, alerts,
        r.urlOpener ? *r.urlOpener : urlOpener, r.dispatch ? *r.dispatch : dispatch, application, storeViews,
        windows});
  }

  // The settings the application applies at launch, in its order.
  static void applyApplicationSettings() {
    RatingPrompt::setAppId("555123987");
    RatingPrompt::setDaysUntilPrompt(2.0);
    RatingPrompt::setUsesUntilPrompt(2);
    RatingPrompt::setSignificantEventsUntilPrompt(-1);
    RatingPrompt::setTimeBeforeReminding(2.0);
    RatingPrompt::setOpenInAppStore(true);
  }

  // Usage state of the running version: first counted use secondsAgo back, uses counted so far.
  void storeUsage(double secondsAgo, std::int64_t uses) {
    defaults.setString(rating::kCurrentVersionKey, bundle.version());
    defaults.setDouble(rating::kFirstUseDateKey, clock.seconds - secondsAgo);
    defaults.setInteger(rating::kUseCountKey, uses);
  }

  // The last alert built; a test that expects one when none was built fails with an exception.
  std::shared_ptr<fakes::FakeAlertView> shownAlert() const {
    if (alerts.created.empty()) throw std::logic_error("no rating alert was built");
    return alerts.created.back();
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
