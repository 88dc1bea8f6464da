#include "tuner/ScreenMetrics.h"

#include <algorithm>
#include <array>

namespace balalaika::screen {
namespace {
constexpr std::array<double, 10> kLargePhoneHeights{667.0, 736.0, 812.0, 844.0, 852.0,
                                                     874.0, 896.0, 926.0, 932.0, 956.0};
}  // namespace

DeviceClass deviceClass(const platform::Device& device) {
  const std::optional<int> idiom = device.userInterfaceIdiom();
  if (!idiom || *idiom == platform::kIdiomPhone) return DeviceClass::Phone;
  if (*idiom == platform::kIdiomPad) return DeviceClass::Pad;
  return DeviceClass::Other;
}

bool isLargePhoneHeight(double heightPoints) {
  return std::find(kLargePhoneHeights.begin(), kLargePhoneHeights.end(), heightPoints) != kLargePhoneHeights.end();
}

}  // namespace balalaika::screen
