#pragma once
// Keys, texts, addresses and thresholds of the rating prompt, in one place.

#include <string_view>

namespace balalaika::rating {

// Persisted usage state, in the application's user-defaults domain.
inline constexpr const char* kCurrentVersionKey = "kRatingPromptCurrentVersion";
inline constexpr const char* kFirstUseDateKey = "kRatingPromptFirstUseDate";              // seconds since 1970
inline constexpr const char* kUseCountKey = "kRatingPromptUseCount";
inline constexpr const char* kSignificantEventCountKey = "kRatingPromptSignificantEventCount";
inline constexpr const char* kRatedCurrentVersionKey = "kRatingPromptRatedCurrentVersion";
inline constexpr const char* kDeclinedToRateKey = "kRatingPromptDeclinedToRate";
inline constexpr const char* kReminderRequestDateKey = "kRatingPromptReminderRequestDate";  // seconds since 1970

inline constexpr double kSecondsPerDay = 86400.0;

// Initial values of the class-level settings.
inline constexpr double kDefaultDaysUntilPrompt = 1.0;
inline constexpr long long kDefaultUsesUntilPrompt = 2;
inline constexpr long long kDefaultSignificantEventsUntilPrompt = -1;
inline constexpr double kDefaultTimeBeforeReminding = 2.0;

// Alert texts: the localisation table and the lookup keys of the default texts.
inline constexpr const char* kLocalizationTable = "RatingPromptLocalizable";
inline constexpr const char* kTitleKey = "Rate Title";
inline constexpr const char* kMessageKey =
    "If you enjoy using %@, would you mind taking a moment to rate it? It won't take more than a minute. Thanks "
    "for your support!";
inline constexpr const char* kRateButtonKey = "Rate %@";
inline constexpr const char* kRateLaterButtonKey = "Remind me later";
inline constexpr const char* kCancelButtonKey = "No, Thanks";

// Alert button indexes.
inline constexpr int kRateButtonIndex = 0;
inline constexpr int kRateLaterButtonIndex = 1;
inline constexpr int kProgrammaticDismissIndex = -1;

// The store's web hosts; the templates of the store-application path are built from them in
// StoreUrl.cpp. "APP_ID" stands for appId.
inline constexpr std::string_view kStoreScheme = "itms-apps";
inline constexpr std::string_view kStoreWebObjectsHost = "itunes.apple.com";
inline constexpr std::string_view kStoreMainHost = "apps.apple.com";
inline constexpr std::string_view kAppIdPlaceholder = "APP_ID";
inline constexpr std::string_view kReviewPagePathAndQuery =
    "/WebObjects/MZStore.woa/wa/viewContentsUserReviews?type=Purple+Software&id=APP_ID";
inline constexpr std::string_view kAppPagePath = "/app/idAPP_ID";
inline constexpr std::string_view kWriteReviewQuery = "?action=write-review";

// System versions (major.minor as a decimal number) at which the store URL changes.
inline constexpr double kAppPageSinceVersion = 7.0;
inline constexpr double kWriteReviewSinceVersion = 8.0;
// System version from which the shared instance opens the store application by default.
inline constexpr double kOpenInAppStoreSinceVersion = 7.0;

// The reachability probe: the plain-HTTP root of an always-reachable public site.
inline constexpr const char* kProbeUrl = "http://www.google.com/";
inline constexpr double kProbeTimeoutSeconds = 20.0;

}  // namespace balalaika::rating
