#pragma once

#include "platform/Device.h"

namespace balalaika::fakes {

// A 390x844-point phone on the system version the test sets (17.0 unless set).
class FakeDevice : public platform::Device {
 public:
  std::optional<int> userInterfaceIdiom() const override { return platform::kIdiomPhone; }
  double screenWidth() const override { return 390.0; }
  double screenHeight() const override { return 844.0; }
  std::string systemVersion() const override { return version; }

  std::string version = "17.0";
};

}  // namespace balalaika::fakes
