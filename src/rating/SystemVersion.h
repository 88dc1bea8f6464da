#pragma once
// Reading an operating-system version text ("17.0.1") as a decimal number (17.0).

#include <string_view>

namespace balalaika::rating {

// The leading "major.minor" of the text as a decimal number: "8.0" -> 8.0, "7.1.2" -> 7.1,
// "17" -> 17.0. Text that does not start with a number reads as 0.
double systemVersionNumber(std::string_view version);

}  // namespace balalaika::rating
