#pragma once
// The device a desktop window pretends to be, so that every layout can be run and looked at:
// an idiom and a main-screen size in points, taken from the sizes of real phones and pads.
//
// Command-line syntax (the value of --device):
//   phone                  the default phone, 390x844
//   phone:HEIGHT           the phone of that height, e.g. phone:480, phone:956
//   phone:WIDTHxHEIGHT     a listed phone size, e.g. phone:375x667
//   pad, pad:HEIGHT, pad:WIDTHxHEIGHT      the same for pads (default 820x1180)
//   other, other:WIDTHxHEIGHT              a device of another idiom, any size (default 390x844)
// Heights and widths are whole numbers of points; a size no listed device has is rejected.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace balalaika::platform {

struct ScreenSize {
  double width;   // points
  double height;  // points
};

struct EmulatedDevice {
  std::optional<int> idiom;  // kIdiomPhone, kIdiomPad or another value
  ScreenSize size;
};

// The listed sizes, smallest height first.
std::span<const ScreenSize> phoneScreenSizes();
std::span<const ScreenSize> padScreenSizes();

// The idiom value an "other" device reports.
inline constexpr int kIdiomOther = 2;

// A phone 390x844 points.
EmulatedDevice defaultEmulatedDevice();

struct DeviceOptionResult {
  std::optional<EmulatedDevice> device;  // set when the text was understood
  std::string error;                     // one line saying what is wrong, otherwise empty
};

DeviceOptionResult parseDeviceOption(std::string_view text);

}  // namespace balalaika::platform
