#pragma once
// The device the screen runs on. On a desktop: the emulated phone or pad chosen on the command
// line (see platform/EmulatedDevice.h). On Android and iOS: the real screen, its size in
// points (device-independent pixels) and an idiom judged from its shorter side.
// System version from QSysInfo::productVersion(). Main thread only.

#include "platform/Device.h"
#include "platform/EmulatedDevice.h"

namespace balalaika::qt {

class QtDevice : public platform::Device {
 public:
  // On Android and iOS the emulated device is ignored and the real screen is reported.
  explicit QtDevice(platform::EmulatedDevice emulated = platform::defaultEmulatedDevice());

  std::optional<int> userInterfaceIdiom() const override;
  double screenWidth() const override;
  double screenHeight() const override;
  std::string systemVersion() const override;

 private:
  platform::EmulatedDevice emulated_;
};

}  // namespace balalaika::qt
