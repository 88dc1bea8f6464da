#include "app/AppDelegate.h"
#include "rating/RatingPrompt.h"

namespace balalaika {

bool AppDelegate::didFinishLaunchingWithOptions() {
  RatingPrompt::setAppId("555123987");
  RatingPrompt::setDaysUntilPrompt(2.0);
  RatingPrompt::setUsesUntilPrompt(2);
  RatingPrompt::setSignificantEventsUntilPrompt(-1);
  RatingPrompt::setTimeBeforeReminding(2.0);
  RatingPrompt::setOpenInAppStore(true);
  RatingPrompt::appLaunched(true);

  initializeStoryBoardBasedOnScreenSize();

  if (services_.application != nullptr) {
    services_.application->setStatusBarHidden(true, platform::kStatusBarAnimationSlide);
  }
  return true;
}

}  // namespace balalaika
