// Class-level settings, the shared instance and the installation of the platform services.

#include "rating/RatingPrompt.h"

#include <cstdio>
#include <cstdlib>

#include "rating/RatingPromptConstants.h"
#include "rating/RatingPromptServices.h"
#include "rating/SystemVersion.h"

namespace balalaika {
namespace {

// Written by their setters from any thread, read at the moment of use.
struct Settings {
  std::atomic<double> daysUntilPrompt{rating::kDefaultDaysUntilPrompt};
  std::atomic<std::int64_t> usesUntilPrompt{rating::kDefaultUsesUntilPrompt};
  std::atomic<std::int64_t> significantEventsUntilPrompt{rating::kDefaultSignificantEventsUntilPrompt};
  std::atomic<double> timeBeforeReminding{rating::kDefaultTimeBeforeReminding};
  std::atomic<bool> debug{false};
  std::atomic<bool> usesAnimation{true};
  std::atomic<bool> alwaysUseMainBundle{false};
  std::atomic<int> statusBarStyle{0};
  std::atomic<bool> modalOpen{false};

  std::mutex mutex;  // guards the two below
  std::optional<std::string> appId;
  std::weak_ptr<RatingPromptDelegate> delegate;
};

// Heap objects that are never freed (except by the test reset), so that no destructor runs at
// process exit while a background task may still use them.
Settings*& settingsSlot() {
  static Settings* settings = new Settings;
  return settings;
}
Settings& settings() { return *settingsSlot(); }

struct SharedSlot {
  std::once_flag once;
  std::unique_ptr<RatingPrompt> instance;
};
SharedSlot*& sharedSlot() {
  static SharedSlot* slot = new SharedSlot;
  return slot;
}

std::unique_ptr<RatingPromptPlatform>& installedServices() {
  static std::unique_ptr<RatingPromptPlatform> installed;
  return installed;
}

}  // namespace

namespace rating {

const RatingPromptPlatform& services() {
  const auto& installed = installedServices();
  if (!installed) {
    std::fprintf(stderr, "RatingPrompt used before RatingPrompt::installPlatform\n");
    std::abort();
  }
  return *installed;
}

}  // namespace rating

void RatingPrompt::installPlatform(const RatingPromptPlatform& platform) {
  installedServices() = std::make_unique<RatingPromptPlatform>(platform);
}

RatingPrompt::RatingPrompt(bool openInAppStore, std::weak_ptr<RatingPromptDelegate> delegate)
    : openInAppStore_(openInAppStore), delegate_(std::move(delegate)) {}

RatingPrompt::~RatingPrompt() = default;

RatingPrompt& RatingPrompt::sharedInstance() {
  SharedSlot& slot = *sharedSlot();
  std::call_once(slot.once, [&slot] {
    const auto& platform = rating::services();
    const double version = rating::systemVersionNumber(platform.device.systemVersion());
    std::weak_ptr<RatingPromptDelegate> delegate;
    {
      std::lock_guard lock(settings().mutex);
      delegate = settings().delegate;
    }
    slot.instance.reset(new RatingPrompt(version >= rating::kOpenInAppStoreSinceVersion, std::move(delegate)));
    // The class, not the instance, observes the notification.
    platform.application.addWillResignActiveObserver([] { RatingPrompt::appWillResignActive(); });
  });
  return *slot.instance;
}

void RatingPrompt::resetAllStateForTesting() {
  delete sharedSlot();
  sharedSlot() = new SharedSlot;
  delete settingsSlot();
  settingsSlot() = new Settings;
  installedServices().reset();
}

std::optional<std::string> RatingPrompt::appId() {
  std::lock_guard lock(settings().mutex);
  return settings().appId;
}
void RatingPrompt::setAppId(const std::string& appId) {
  std::lock_guard lock(settings().mutex);
  settings().appId = appId;
}
double RatingPrompt::daysUntilPrompt() { return settings().daysUntilPrompt; }
void RatingPrompt::setDaysUntilPrompt(double days) { settings().daysUntilPrompt = days; }
std::int64_t RatingPrompt::usesUntilPrompt() { return settings().usesUntilPrompt; }
void RatingPrompt::setUsesUntilPrompt(std::int64_t uses) { settings().usesUntilPrompt = uses; }
std::int64_t RatingPrompt::significantEventsUntilPrompt() { return settings().significantEventsUntilPrompt; }
void RatingPrompt::setSignificantEventsUntilPrompt(std::int64_t events) {
  settings().significantEventsUntilPrompt = events;
}
double RatingPrompt::timeBeforeReminding() { return settings().timeBeforeReminding; }
void RatingPrompt::setTimeBeforeReminding(double days) { settings().timeBeforeReminding = days; }
bool RatingPrompt::debug() { return settings().debug; }
void RatingPrompt::setDebug(bool debug) { settings().debug = debug; }
void RatingPrompt::setDelegate(std::weak_ptr<RatingPromptDelegate> delegate) {
  std::lock_guard lock(settings().mutex);
  settings().delegate = std::move(delegate);
}
bool RatingPrompt::usesAnimation() { return settings().usesAnimation; }
void RatingPrompt::setUsesAnimation(bool animated) { settings().usesAnimation = animated; }
bool RatingPrompt::alwaysUseMainBundle() { return settings().alwaysUseMainBundle; }
void RatingPrompt::setAlwaysUseMainBundle(bool always) { settings().alwaysUseMainBundle = always; }
int RatingPrompt::statusBarStyle() { return settings().statusBarStyle; }
void RatingPrompt::setStatusBarStyle(int style) { settings().statusBarStyle = style; }
bool RatingPrompt::modalOpen() { return settings().modalOpen; }
void RatingPrompt::setModalOpen(bool open) { settings().modalOpen = open; }

void RatingPrompt::setOpenInAppStore(bool openInAppStore) { sharedInstance().openInAppStore_ = openInAppStore; }
bool RatingPrompt::openInAppStore() const { return openInAppStore_; }

void RatingPrompt::setCustomAlertTitle(const std::string& title) { setCustomText(Text::Title, title); }
void RatingPrompt::setCustomAlertMessage(const std::string& message) { setCustomText(Text::Message, message); }
void RatingPrompt::setCustomAlertCancelButtonTitle(const std::string& title) { setCustomText(Text::Cancel, title); }
void RatingPrompt::setCustomAlertRateButtonTitle(const std::string& title) { setCustomText(Text::Rate, title); }
void RatingPrompt::setCustomAlertRateLaterButtonTitle(const std::string& title) {
  setCustomText(Text::RateLater, title);
}

std::shared_ptr<platform::AlertView> RatingPrompt::ratingAlert() const {
  std::lock_guard lock(alertMutex_);
  return ratingAlert_;
}

}  // namespace balalaika
