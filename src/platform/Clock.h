#pragma once
// Wall-clock time, as persisted by the rating prompt.

namespace balalaika::platform {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since 1970-01-01 00:00 UTC.
  virtual double secondsSince1970() const = 0;
};

}  // namespace balalaika::platform
