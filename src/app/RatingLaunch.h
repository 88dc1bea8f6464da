#pragma once
// The rating prompt's settings for this application, and the launch it counts: the same on every
// front end. Main thread, after RatingPrompt::installPlatform and before the first screen loads.

namespace balalaika::app {

// The application's settings of the prompt (creates its shared instance).
void configureRatingPrompt();
// The settings, then this launch counted (on the background queue).
void launchRatingPrompt();

}  // namespace balalaika::app
