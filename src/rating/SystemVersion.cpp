#include "rating/SystemVersion.h"

#include <cctype>
#include <charconv>
#include <string>

namespace balalaika::rating {

double systemVersionNumber(std::string_view version) {
  std::size_t pos = 0;
  while (pos < version.size() && std::isspace(static_cast<unsigned char>(version[pos]))) ++pos;
  // Digits, at most one dot, digits: anything after a second dot (the patch level) is ignored.
  std::size_t end = pos;
  bool seenDot = false;
  while (end < version.size()) {
    const char c = version[end];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      ++end;
    } else if (c == '.' && !seenDot) {
      seenDot = true;
      ++end;
    } else {
      break;
    }
  }
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(version.data() + pos, version.data() + end, value);
  (void)ptr;
  return ec == std::errc() ? value : 0.0;
}

}  // namespace balalaika::rating
