#pragma once

#include <chrono>

#include "platform/Clock.h"

namespace balalaika::platform {

// The machine's wall clock.
class SystemClock final : public Clock {
 public:
  double secondsSince1970() const override {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
  }
};

}  // namespace balalaika::platform
