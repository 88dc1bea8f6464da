#include <gtest/gtest.h>

#include "platform/Device.h"
#include "platform/EmulatedDevice.h"

namespace balalaika::platform {
namespace {

void expectDevice(std::string_view text, std::optional<int> idiom, double width, double height) {
  SCOPED_TRACE(std::string(text));
  const auto result = parseDeviceOption(text);
  ASSERT_TRUE(result.device) << result.error;
  EXPECT_TRUE(result.error.empty());
  EXPECT_EQ(result.device->idiom, idiom);
  EXPECT_EQ(result.device->size.width, width);
  EXPECT_EQ(result.device->size.height, height);
}

std::string errorOf(std::string_view text) {
  const auto result = parseDeviceOption(text);
  EXPECT_FALSE(result.device) << text;
  return result.error;
}

TEST(DeviceOption, GivenNoChoiceThenTheDeviceIsAPhone844PointsHigh) {
  const auto device = defaultEmulatedDevice();
  EXPECT_EQ(device.idiom, kIdiomPhone);
  EXPECT_EQ(device.size.width, 390);
  EXPECT_EQ(device.size.height, 844);
  expectDevice("phone", kIdiomPhone, 390, 844);
}

TEST(DeviceOption, GivenAListedHeightOrSizeThenThatDeviceIsEmulated) {
  expectDevice("phone:480", kIdiomPhone, 320, 480);
  expectDevice("phone:956", kIdiomPhone, 440, 956);
  expectDevice("phone:375x667", kIdiomPhone, 375, 667);
  expectDevice("pad", kIdiomPad, 820, 1180);
  expectDevice("pad:1024", kIdiomPad, 768, 1024);
  expectDevice("pad:744x1133", kIdiomPad, 744, 1133);
  expectDevice("pad:1376", kIdiomPad, 1032, 1376);
  expectDevice("other", kIdiomOther, 390, 844);
  expectDevice("other:1920x1080", kIdiomOther, 1920, 1080);
}

TEST(DeviceOption, GivenEveryListedSizeThenItParsesBackToItself) {
  for (const auto& size : phoneScreenSizes()) {
    expectDevice("phone:" + std::to_string(int(size.width)) + "x" + std::to_string(int(size.height)), kIdiomPhone,
                 size.width, size.height);
  }
  for (const auto& size : padScreenSizes()) {
    expectDevice("pad:" + std::to_string(int(size.height)), kIdiomPad, size.width, size.height);
  }
  EXPECT_EQ(phoneScreenSizes().size(), 12u);
  EXPECT_EQ(padScreenSizes().size(), 9u);
}

TEST(DeviceOption, GivenASizeNoListedDeviceHasThenItIsRejectedWithTheListedSizes) {
  EXPECT_EQ(errorOf("phone:693").find("no phone is 693 points; phone sizes: 320x480, 320x568"), 0u);
  EXPECT_NE(errorOf("phone:390x845").find("phone sizes:"), std::string::npos);
  EXPECT_NE(errorOf("phone:1024").find("no phone is 1024"), std::string::npos) << "a pad height on a phone";
  EXPECT_NE(errorOf("pad:844").find("pad sizes: 768x1024"), std::string::npos);
  EXPECT_NE(errorOf("pad:800x1024").find("no pad is 800x1024 points"), std::string::npos);
}

TEST(DeviceOption, GivenMalformedTextThenItIsRejectedWithTheSyntax) {
  for (const char* text : {"", "tablet", "Phone", "phone:", "phone:abc", "phone:844.5", "phone:-844", "phone:x844",
                           "phone:390x", "phone:390x844x2", "pad: 1024", "other:0x10", "other:844", "other:99999x1"}) {
    SCOPED_TRACE(text);
    const auto error = errorOf(text);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << "one line";
  }
  EXPECT_NE(errorOf("tablet").find("unknown device 'tablet': use phone"), std::string::npos);
}

}  // namespace
}  // namespace balalaika::platform
