#include "rating/SystemVersion.h"

#include <cctype>
#include <locale>
#include <sstream>
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
  // Read in the classic locale whatever the process's locale is (std::from_chars for doubles is
  // missing from some standard libraries we build with).
  std::istringstream digits(std::string(version.substr(pos, end - pos)));
  digits.imbue(std::locale::classic());
  double value = 0.0;
  if (!(digits >> value)) return 0.0;
  return value;
}

}  // namespace balalaika::rating
