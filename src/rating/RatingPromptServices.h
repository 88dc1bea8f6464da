#pragma once
// Internal to the rating prompt: access to the installed platform services.

#include "rating/RatingPromptPlatform.h"

namespace balalaika::rating {

// The services handed to RatingPrompt::installPlatform; aborts with a message when none were.
const RatingPromptPlatform& services();

}  // namespace balalaika::rating
