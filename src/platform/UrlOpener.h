#pragma once
// Opens an address in the browser or the store. Main thread only.

#include <string>

namespace balalaika::platform {

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // Returns whether the platform opened it; callers in this system ignore the answer.
  virtual bool openURL(const std::string& url) = 0;
};

}  // namespace balalaika::platform
