#pragma once
// The device the screen runs on: user-interface idiom, main-screen size and system version.

#include <optional>
#include <string>

namespace balalaika::platform {

// Platform idiom values: 0 phone, 1 pad; any other value is another kind of device.
inline constexpr int kIdiomPhone = 0;
inline constexpr int kIdiomPad = 1;

class Device {
 public:
  virtual ~Device() = default;

  // The user-interface idiom, or nothing when the device does not report one.
  virtual std::optional<int> userInterfaceIdiom() const = 0;
  // Main-screen bounds in points.
  virtual double screenWidth() const = 0;
  virtual double screenHeight() const = 0;
  // The operating system's version text, "major.minor[.patch]".
  virtual std::string systemVersion() const = 0;
};

}  // namespace balalaika::platform
