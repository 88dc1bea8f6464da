#pragma once
// When the tuner screen asks the rating prompt for its alert: once strings 1 and 2 have been
// tuned, a loud note that matches no string schedules promptToReview after a delay, which asks
// once per run-count threshold reached.

#include <array>
#include <cstdint>

namespace balalaika::review {

inline constexpr double kDelaySeconds = 4.0;
inline constexpr std::array<std::int64_t, 4> kRunThresholds{3, 6, 8, 10};
// User-defaults key of the run count (an integer; absent reads as 0).
inline constexpr const char* kNumberOfRunsKey = "numberOfRuns";

}  // namespace balalaika::review
