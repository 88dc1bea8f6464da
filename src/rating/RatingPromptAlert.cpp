// The entry points that count and ask, the alert's texts, the alert itself and the user's choice.

#include "platform/Log.h"
#include "rating/RatingPrompt.h"
#include "rating/RatingPromptConstants.h"
#include "rating/RatingPromptServices.h"
#include "rating/TextFormat.h"

namespace balalaika {

using namespace rating;

// --- Counting entry points ------------------------------------------------------------------------

void RatingPrompt::appLaunched(bool canPromptForRating) {
  services().dispatch.async([canPromptForRating] {
    RatingPrompt& prompt = sharedInstance();
    if (debug()) {
      services().dispatch.asyncMain([] { sharedInstance().showRatingAlert(); });
      return;
    }
    prompt.incrementAndRate(canPromptForRating);
  });
}

void RatingPrompt::appEnteredForeground(bool canPromptForRating) {
  services().dispatch.async([canPromptForRating] { sharedInstance().incrementAndRate(canPromptForRating); });
}

void RatingPrompt::userDidSignificantEvent(bool canPromptForRating) {
  services().dispatch.async(
      [canPromptForRating] { sharedInstance().incrementSignificantEventAndRate(canPromptForRating); });
}

void RatingPrompt::incrementAndRate(bool canPromptForRating) {
  incrementUseCount();
  if (canPromptForRating && ratingConditionsHaveBeenMet() && ratingAlertIsAppropriate()) {
    services().dispatch.asyncMain([] { sharedInstance().showRatingAlert(); });
  }
}

void RatingPrompt::incrementSignificantEventAndRate(bool canPromptForRating) {
  incrementSignificantEventCount();
  if (canPromptForRating && ratingConditionsHaveBeenMet() && ratingAlertIsAppropriate()) {
    services().dispatch.asyncMain([] { sharedInstance().showRatingAlert(); });
  }
}

// --- Showing entry points -----------------------------------------------------------------------

void RatingPrompt::tryToShowPrompt() { sharedInstance().showPromptWithChecks(true, true); }

void RatingPrompt::showPrompt() { sharedInstance().showPromptWithChecks(true, true); }

void RatingPrompt::forceShowPrompt(bool displayRateLaterButton) {
  sharedInstance().showPromptWithChecks(false, displayRateLaterButton);
}

void RatingPrompt::showPromptWithChecks(bool withChecks, bool displayRateLaterButton) {
  if (withChecks && !ratingAlertIsAppropriate()) return;
  showRatingAlert(displayRateLaterButton);
}

// --- Texts -----------------------------------------------------------------------------------------

const platform::Bundle& RatingPrompt::bundle() {
  const auto& platform = services();
  if (alwaysUseMainBundle() || platform.resourceBundle == nullptr) return platform.mainBundle;
  return *platform.resourceBundle;
}

std::string RatingPrompt::applicationName() {
  const platform::Bundle& main = services().mainBundle;
  if (auto name = main.displayName()) return *name;
  return main.name().value_or(std::string());
}

std::string RatingPrompt::defaultText(const char* key, bool formatted) {
  const std::string text = bundle().localizedString(key, kLocalizationTable);
  return formatted ? formatWithOneArgument(text, applicationName()) : text;
}

void RatingPrompt::setCustomText(Text which, const std::string& text) {
  RatingPrompt& self = sharedInstance();
  std::lock_guard lock(self.textMutex_);
  switch (which) {
    case Text::Title: self.alertTitle_ = text; break;
    case Text::Message: self.alertMessage_ = text; break;
    case Text::Cancel: self.alertCancelTitle_ = text; break;
    case Text::Rate: self.alertRateTitle_ = text; break;
    case Text::RateLater: self.alertRateLaterTitle_ = text; break;
  }
}

std::optional<std::string> RatingPrompt::customText(Text which) const {
  std::lock_guard lock(textMutex_);
  switch (which) {
    case Text::Title: return alertTitle_;
    case Text::Message: return alertMessage_;
    case Text::Cancel: return alertCancelTitle_;
    case Text::Rate: return alertRateTitle_;
    case Text::RateLater: return alertRateLaterTitle_;
  }
  return std::nullopt;
}

std::string RatingPrompt::alertTitle() const {
  if (auto custom = customText(Text::Title)) return *custom;
  return defaultText(kTitleKey, true);
}

std::string RatingPrompt::alertMessage() const {
  if (auto custom = customText(Text::Message)) return *custom;
  return defaultText(kMessageKey, true);
}

std::string RatingPrompt::alertCancelTitle() const {
  if (auto custom = customText(Text::Cancel)) return *custom;
  return defaultText(kCancelButtonKey, false);
}

std::string RatingPrompt::alertRateTitle() const {
  if (auto custom = customText(Text::Rate)) return *custom;
  return defaultText(kRateButtonKey, true);
}

std::string RatingPrompt::alertRateLaterTitle() const {
  if (auto custom = customText(Text::RateLater)) return *custom;
  return defaultText(kRateLaterButtonKey, false);
}

// --- The alert and the user's choice ---------------------------------------------------------------

void RatingPrompt::showRatingAlert(bool displayRateLaterButton) {
  (void)displayRateLaterButton;  // both buttons are always shown
  const auto delegate = delegate_.lock();
  if (delegate && delegate->ratingPromptShouldDisplayAlert(*this) == std::optional<bool>(false)) return;

  // The rate button is the cancel button (index 0); rate later is the only other one (index 1).
  auto alert = services().alerts.create(alertTitle(), alertMessage(), this, alertRateTitle(), {alertRateLaterTitle()});
  {
    std::lock_guard lock(alertMutex_);
    ratingAlert_ = alert;
  }
  alert->show();
  if (delegate) delegate->ratingPromptDidDisplayAlert(*this);
}

void RatingPrompt::alertViewDidDismissWithButtonIndex(platform::AlertView& /*alert*/, int buttonIndex) {
  const auto delegate = delegate_.lock();
  switch (buttonIndex) {
    case kRateButtonIndex:
      rateApp();
      if (delegate) delegate->ratingPromptDidOptToRate(*this);
      break;
    case kRateLaterButtonIndex: {
      // A decline for this version, not a reminder: the reminder date stays as it is.
      platform::UserDefaults& defaults = services().defaults;
      defaults.setBool(kDeclinedToRateKey, true);
      defaults.synchronize();
      if (delegate) delegate->ratingPromptDidDeclineToRate(*this);
      break;
    }
    default:
      break;  // a programmatic dismissal records nothing
  }
}

}  // namespace balalaika
