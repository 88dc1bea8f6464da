#pragma once

#include "platform/Device.h"

namespace balalaika::fakes {

// A device with fixed metrics; a default one is a 390x844-point phone on system 17.0.
class FakeDevice : public platform::Device {
 public:
  std::optional<int> userInterfaceIdiom() const override { return idiom; }
  double screenWidth() const override { return width; }
  double screenHeight() const override { return height; }
  std::string systemVersion() const override { return version; }

  std::optional<int> idiom = platform::kIdiomPhone;
  double width = 390.0;
  double height = 844.0;
  std::string version = "17.0";
};

}  // namespace balalaika::fakes
