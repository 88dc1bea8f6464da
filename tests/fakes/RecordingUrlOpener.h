#pragma once

#include <vector>

#include "platform/UrlOpener.h"

namespace balalaika::fakes {

class RecordingUrlOpener : public platform::UrlOpener {
 public:
  bool openURL(const std::string& url) override {
    opened.push_back(url);
    return true;
  }
  std::vector<std::string> opened;
};

}  // namespace balalaika::fakes
