#include <gtest/gtest.h>

#include "platform/Device.h"
#include "platform/EmulatedDevice.h"

namespace balalaika::platform {
namespace {

TEST(DeviceOption, GivenAKnownIdiomWithAListedHeightOrSizeThenThatDeviceIsEmulated) {
  struct Case {
    const char* text;
    std::optional<int> idiom;
    double width, height;
  };
  const Case cases[] = {{"phone", kIdiomPhone, 390, 844},        {"phone:480", kIdiomPhone, 320, 480},
                        {"phone:956", kIdiomPhone, 440, 956},    {"phone:375x667", kIdiomPhone, 375, 667},
                        {"pad", kIdiomPad, 820, 1180},           {"pad:1024", kIdiomPad, 768, 1024},
                        {"pad:744x1133", kIdiomPad, 744, 1133},  {"pad:1376", kIdiomPad, 1032, 1376},
                        {"other", kIdiomOther, 390, 844},        {"other:1920x1080", kIdiomOther, 1920, 1080}};
  for (const Case& c : cases) {
    const auto result = parseDeviceOption(c.text);
    ASSERT_TRUE(result.device && result.error.empty()) << c.text << ": " << result.error;
    EXPECT_TRUE(result.device->idiom == c.idiom && result.device->size.width == c.width &&
                result.device->size.height == c.height) << c.text;
  }
}

TEST(DeviceOption, GivenMalformedTextOrAnUnlistedSizeThenItIsRejectedInOneLine) {
  auto errorOf = [](std::string_view text) {
    const auto result = parseDeviceOption(text);
    EXPECT_TRUE(!result.device && !result.error.empty() && result.error.find('\n') == std::string::npos) << text;
    return result.error;
  };
  for (const char* text : {"", "Phone", "phone:", "phone:abc", "phone:844.5", "phone:-844", "phone:x844", "phone:390x",
                           "phone:390x844x2", "pad: 1024", "phone:1024", "other:0x10", "other:844", "other:99999x1"})
    errorOf(text);
  EXPECT_EQ(errorOf("tablet").find("unknown device 'tablet': use phone"), 0u);
  EXPECT_EQ(errorOf("phone:693").find("no phone is 693 points; phone sizes: 320x480, 320x568"), 0u);
  EXPECT_NE(errorOf("pad:800x1024").find("no pad is 800x1024 points; pad sizes: 768x1024"), std::string::npos);
}

}  // namespace
}  // namespace balalaika::platform
