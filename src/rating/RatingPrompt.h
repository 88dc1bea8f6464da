#pragma once
// Asks a returning user to rate the application in the store.
//
// Uses and significant events of each application version are counted in the user-defaults
// store; once enough days, uses and events have passed, a two-button alert (rate / remind me
// later) is shown when the device is online and the user has neither rated nor declined this
// version. The rate button leads to the store.
//
// Class-level settings and operations are static members; one shared instance, created on first
// use and never destroyed, carries the per-alert state. The platform services are installed once
// with installPlatform() before anything else is called.
//
// Threads: the counting entry points return at once and count on the background queue; the
// counting operations, both tests and the network test run on whichever thread calls them.
// Everything that shows, hides or answers the alert, opens the store or touches the
// view-controller chain runs on the main thread. Settings may be read and written from any thread.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/AlertView.h"
#include "platform/StoreProductView.h"
#include "platform/WindowList.h"
#include "rating/RatingPromptDelegate.h"
#include "rating/RatingPromptPlatform.h"

namespace balalaika {

class RatingPrompt final : public platform::AlertViewDelegate, public platform::StoreProductViewDelegate {
 public:
  RatingPrompt(const RatingPrompt&) = delete;
  RatingPrompt& operator=(const RatingPrompt&) = delete;
  ~RatingPrompt() override;

  // --- Installation -------------------------------------------------------------------------
  // Hands over the platform services; call once at start-up, on the main thread, before any
  // other operation. The referenced objects must live as long as the process uses the prompt.
  static void installPlatform(const RatingPromptPlatform& platform);

  // --- Class-level settings (any thread) ----------------------------------------------------
  // The store's numeric item identifier; none initially.
  static std::optional<std::string> appId();
  static void setAppId(const std::string& appId);
  // Days (86400 s each) from the version's first counted use until a request is due; 1.0 initially.
  static double daysUntilPrompt();
  static void setDaysUntilPrompt(double days);
  // Uses of the version needed before a request is due; 2 initially.
  static std::int64_t usesUntilPrompt();
  static void setUsesUntilPrompt(std::int64_t uses);
  // Significant events needed; 0 or below never blocks; -1 initially.
  static std::int64_t significantEventsUntilPrompt();
  static void setSignificantEventsUntilPrompt(std::int64_t events);
  // Days from a request to be reminded until the next request; 2.0 initially.
  static double timeBeforeReminding();
  static void setTimeBeforeReminding(double days);
  // Forces the rating conditions and enables the debug log lines; false initially.
  static bool debug();
  static void setDebug(bool debug);
  // Copied into the shared instance when that is created; a later setting never reaches it.
  static void setDelegate(std::weak_ptr<RatingPromptDelegate> delegate);
  // Whether the store product view is presented and dismissed with animation; true initially.
  static bool usesAnimation();
  static void setUsesAnimation(bool animated);
  // Whether texts come from the main bundle even when a "RatingPrompt" resource bundle exists.
  static bool alwaysUseMainBundle();
  static void setAlwaysUseMainBundle(bool always);
  // The status-bar style saved while the store product view is open; 0 initially.
  static int statusBarStyle();
  static void setStatusBarStyle(int style);
  // Whether the store product view is open; false initially.
  static bool modalOpen();
  static void setModalOpen(bool open);

  // Settings held by the shared instance (each creates it first when needed).
  static void setOpenInAppStore(bool openInAppStore);
  static void setCustomAlertTitle(const std::string& title);
  static void setCustomAlertMessage(const std::string& message);
  static void setCustomAlertCancelButtonTitle(const std::string& title);
  static void setCustomAlertRateButtonTitle(const std::string& title);
  static void setCustomAlertRateLaterButtonTitle(const std::string& title);

  // The shared instance, created once, thread-safely, on first use.
  static RatingPrompt& sharedInstance();

  // --- Counting entry points (any thread; return at once, work on the background queue) ------
  // canPromptForRating: whether a rating alert may follow the count.
  static void appLaunched(bool canPromptForRating = true);
  static void appEnteredForeground(bool canPromptForRating);
  static void userDidSignificantEvent(bool canPromptForRating);

  // --- Showing entry points (main thread; synchronous) --------------------------------------
  // Shows the alert now when it is appropriate; the rating conditions are not consulted.
  static void tryToShowPrompt();
  static void showPrompt();
  // Shows the alert now without any test.
  static void forceShowPrompt(bool displayRateLaterButton);

  // --- Store navigation (main thread) --------------------------------------------------------
  // The bundle the alert texts come from.
  static const platform::Bundle& bundle();
  // Records the rating, then opens the store (product view or store application).
  static void rateApp();
  // Dismisses an open store product view and restores the status bar.
  static void closeModal();
  static std::shared_ptr<platform::ViewController> getRootViewController();
  static std::shared_ptr<platform::ViewController> iterateSubViewsForViewController(const platform::HierarchyView& view);
  static std::shared_ptr<platform::ViewController> topMostViewController(std::shared_ptr<platform::ViewController> controller);

  // Handler of the will-resign-active notification (main thread): hides a visible alert.
  static void appWillResignActive();

  // --- Usage state (thread of the caller) -----------------------------------------------------
  void incrementUseCount();
  void incrementSignificantEventCount();
  bool ratingConditionsHaveBeenMet() const;
  bool ratingAlertIsAppropriate() const;
  bool connectedToNetwork() const;
  bool userHasDeclinedToRate() const;
  bool userHasRatedCurrentVersion() const;

  // Count, test, and queue the alert on the main queue when due and appropriate.
  void incrementAndRate(bool canPromptForRating);
  void incrementSignificantEventAndRate(bool canPromptForRating);

  // --- The alert (main thread) ---------------------------------------------------------------
  void showPromptWithChecks(bool withChecks, bool displayRateLaterButton);
  // The flag has no effect on the alert, which always has both buttons.
  void showRatingAlert(bool displayRateLaterButton = false);
  // Dismisses a visible alert with index -1, which records nothing.
  void hideRatingAlert();
  void alertViewDidDismissWithButtonIndex(platform::AlertView& alert, int buttonIndex) override;
  void productViewControllerDidFinish(platform::StoreProductViewController& controller) override;

  // The texts the alert shows: the custom text when set, otherwise the localized default.
  std::string alertTitle() const;
  std::string alertMessage() const;
  std::string alertCancelTitle() const;
  std::string alertRateTitle() const;
  std::string alertRateLaterTitle() const;

  // The last alert shown, or none (any thread).
  std::shared_ptr<platform::AlertView> ratingAlert() const;
  bool openInAppStore() const;
  std::weak_ptr<RatingPromptDelegate> delegate() const { return delegate_; }

  // --- Tests only ------------------------------------------------------------------------------
  // FOR TESTS ONLY: destroys the shared instance, restores every class-level setting to its
  // initial value and forgets the installed platform. Never call it while another thread may use
  // the prompt.
  static void resetAllStateForTesting();

 private:
  enum class Text { Title, Message, Cancel, Rate, RateLater };

  RatingPrompt(bool openInAppStore, std::weak_ptr<RatingPromptDelegate> delegate);

  static void setCustomText(Text which, const std::string& text);
  std::optional<std::string> customText(Text which) const;
  // The default text of the localisation table, formatted with the application name when asked.
  static std::string defaultText(const char* key, bool formatted);
  static std::string applicationName();
  // Counting a use or an event; their differences are the parameters.
  void incrementCount(const char* countKey, const char* logFormat, bool eventPath);
  void rateInApp();

  // Counts that overlap (several entry-point calls in quick succession) run one after the other,
  // so that no use or event is lost.
  std::mutex countMutex_;
  std::atomic<bool> openInAppStore_;
  const std::weak_ptr<RatingPromptDelegate> delegate_;

  mutable std::mutex alertMutex_;  // guards ratingAlert_, read from the background queue
  std::shared_ptr<platform::AlertView> ratingAlert_;

  mutable std::mutex textMutex_;
  std::optional<std::string> alertTitle_;
  std::optional<std::string> alertMessage_;
  std::optional<std::string> alertCancelTitle_;
  std::optional<std::string> alertRateTitle_;
  std::optional<std::string> alertRateLaterTitle_;
};

}  // namespace balalaika
