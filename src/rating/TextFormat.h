#pragma once
// Small text helpers of the rating prompt.

#include <cstdint>
#include <string>
#include <string_view>

namespace balalaika::rating {

// Fills the first "%@" of format with argument and turns "%%" into "%". A text needs at most one
// placeholder; any further "%@" and every other '%' sequence are kept as written, so a malformed
// translation can never read past its one argument.
std::string formatWithOneArgument(std::string_view format, std::string_view argument);

// The text's leading signed decimal integer, after optional white space: "555123987" -> 555123987,
// "12ab" -> 12; 0 when there is none; clamped to the 64-bit range.
std::int64_t leadingInteger(std::string_view text);

}  // namespace balalaika::rating
