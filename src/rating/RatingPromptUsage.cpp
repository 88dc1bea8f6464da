// Counting uses and significant events per application version, and the two tests that decide
// whether a rating request is due and whether it may be shown now.

#include <limits>

#include "platform/Log.h"
#include "rating/RatingPrompt.h"
#include "rating/RatingPromptConstants.h"
#include "rating/RatingPromptServices.h"

namespace balalaika {

using namespace rating;

void RatingPrompt::incrementUseCount() { incrementCount(kUseCountKey, "RATINGPROMPT Use count: %@", false); }

void RatingPrompt::incrementSignificantEventCount() {
  incrementCount(kSignificantEventCountKey, "RATINGPROMPT Significant event count: %@", true);
}

// A read-increment-write of the store. Counts of this prompt are serialised; other writers of the
// store (the first-launch clearing of the application) may still interleave with a count.
void RatingPrompt::incrementCount(const char* countKey, const char* logFormat, bool eventPath) {
  std::lock_guard serialise(countMutex_);
  const auto& platform = services();
  platform::UserDefaults& defaults = platform.defaults;
  const std::string version = platform.mainBundle.version();

  std::optional<std::string> tracked = defaults.stringForKey(kCurrentVersionKey);
  if (!tracked) {
    tracked = version;
    defaults.setString(kCurrentVersionKey, version);
  }
  if (debug()) platform::log(platform::LogCategory::Rating, "RATINGPROMPT Tracking version: %@", *tracked);

  if (*tracked == version) {
    if (defaults.doubleForKey(kFirstUseDateKey).value_or(0.0) == 0.0) {
      defaults.setDouble(kFirstUseDateKey, platform.clock.secondsSince1970());
    }
    std::int64_t count = defaults.integerForKey(countKey).value_or(0);
    // A hand-edited store may hold the largest count already: stay there rather than overflow.
    if (count < std::numeric_limits<std::int64_t>::max()) ++count;
    defaults.setInteger(countKey, count);
    if (debug()) platform::log(platform::LogCategory::Rating, logFormat, count);
  } else {
    // The application was updated: start counting the new version from scratch.
    defaults.setString(kCurrentVersionKey, version);
    defaults.setDouble(kFirstUseDateKey, eventPath ? 0.0 : platform.clock.secondsSince1970());
    defaults.setInteger(kUseCountKey, eventPath ? 0 : 1);
    defaults.setInteger(kSignificantEventCountKey, eventPath ? 1 : 0);
    defaults.setBool(kRatedCurrentVersionKey, false);
    defaults.setBool(kDeclinedToRateKey, false);
    defaults.setDouble(kReminderRequestDateKey, 0.0);
  }
  defaults.synchronize();
}

bool RatingPrompt::ratingConditionsHaveBeenMet() const {
  if (debug()) return true;
  const auto& platform = services();
  const platform::UserDefaults& defaults = platform.defaults;
  const double now = platform.clock.secondsSince1970();

  const double firstUse = defaults.doubleForKey(kFirstUseDateKey).value_or(0.0);
  if (now - firstUse < daysUntilPrompt() * kSecondsPerDay) return false;
  if (defaults.integerForKey(kUseCountKey).value_or(0) < usesUntilPrompt()) return false;
  // A setting of 0 or below switches the event test off, also for a (hand-edited) negative count.
  const std::int64_t eventsNeeded = significantEventsUntilPrompt();
  if (eventsNeeded > 0 && defaults.integerForKey(kSignificantEventCountKey).value_or(0) < eventsNeeded) return false;
  const double reminderRequest = defaults.doubleForKey(kReminderRequestDateKey).value_or(0.0);
  return now - reminderRequest >= timeBeforeReminding() * kSecondsPerDay;
}

bool RatingPrompt::ratingAlertIsAppropriate() const {
  if (!connectedToNetwork()) return false;
  if (userHasDeclinedToRate()) return false;
  // Read from the background queue while the main thread may show or hide the alert: the
  // pointer is copied under a lock and the visibility is safe from any thread.
  if (const auto alert = ratingAlert(); alert && alert->isVisible()) return false;
  return !userHasRatedCurrentVersion();
}

bool RatingPrompt::connectedToNetwork() const {
  const auto& platform = services();
  const std::optional<std::uint32_t> flags = platform.reachability.flagsForAddress(platform::SocketAddressV4{});
  if (!flags) {
    platform::warn(platform::LogCategory::Rating, "Error. Could not recover network reachability flags");
    return false;
  }
  // Started and let go: nothing waits for the probe and its outcome changes nothing.
  const bool created = platform.probe.start(
      platform::ProbeRequest{kProbeUrl, platform::ProbeCachePolicy::AlwaysNetwork, kProbeTimeoutSeconds});

  const bool reachable = (*flags & platform::kReachabilityReachable) != 0;
  const bool needsConnection = (*flags & platform::kReachabilityConnectionRequired) != 0;
  const bool transient = (*flags & platform::kReachabilityTransientConnection) != 0;
  return created && ((reachable && !needsConnection) || transient);
}

bool RatingPrompt::userHasDeclinedToRate() const {
  return services().defaults.boolForKey(kDeclinedToRateKey).value_or(false);
}

bool RatingPrompt::userHasRatedCurrentVersion() const {
  return services().defaults.boolForKey(kRatedCurrentVersionKey).value_or(false);
}

void RatingPrompt::hideRatingAlert() {
  const auto alert = ratingAlert();
  if (alert && alert->isVisible()) {
    if (debug()) platform::log(platform::LogCategory::Rating, "RATINGPROMPT Hiding Alert");
    alert->dismissWithClickedButtonIndex(kProgrammaticDismissIndex, false);
  }
}

void RatingPrompt::appWillResignActive() {
  if (debug()) platform::log(platform::LogCategory::Rating, "RATINGPROMPT appWillResignActive");
  sharedInstance().hideRatingAlert();
}

}  // namespace balalaika
