#include "app/RatingLaunch.h"

#include "rating/RatingPrompt.h"

namespace balalaika::app {

void configureRatingPrompt() {
  RatingPrompt::setAppId("555123987");
  RatingPrompt::setDaysUntilPrompt(2.0);
  RatingPrompt::setUsesUntilPrompt(2);
  RatingPrompt::setSignificantEventsUntilPrompt(-1);
  RatingPrompt::setTimeBeforeReminding(2.0);
  RatingPrompt::setOpenInAppStore(true);
}

void launchRatingPrompt() {
  configureRatingPrompt();
  RatingPrompt::appLaunched(true);
}

}  // namespace balalaika::app
