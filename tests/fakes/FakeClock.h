#pragma once

#include "platform/Clock.h"

namespace balalaika::fakes {

// Wall clock that stands still until the test moves it.
class FakeClock : public platform::Clock {
 public:
  double secondsSince1970() const override { return seconds; }
  double seconds = 1.7e9;
};

}  // namespace balalaika::fakes
