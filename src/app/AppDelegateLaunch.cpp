#include "app/AppDelegate.h"
#include "app/RatingLaunch.h"

namespace balalaika {

bool AppDelegate::didFinishLaunchingWithOptions() {
  app::launchRatingPrompt();

  initializeStoryBoardBasedOnScreenSize();

  if (services_.application != nullptr) {
    services_.application->setStatusBarHidden(true, platform::kStatusBarAnimationSlide);
  }
  return true;
}

}  // namespace balalaika
