#include "platform/qt/QtDevice.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>

namespace balalaika::qt {
namespace {

#if defined(Q_OS_ANDROID) || defined(Q_OS_IOS)
constexpr bool kRealScreen = true;
// Devices whose shorter side is at least this many points are pads.
constexpr double kPadShorterSide = 600.0;

QSizeF realScreenSize() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? QSizeF(screen->size()) : QSizeF();
}
#else
constexpr bool kRealScreen = false;
QSizeF realScreenSize() { return {}; }
#endif

}  // namespace

QtDevice::QtDevice(platform::EmulatedDevice emulated) : emulated_(emulated) {}

std::optional<int> QtDevice::userInterfaceIdiom() const {
#if defined(Q_OS_ANDROID) || defined(Q_OS_IOS)
  const auto size = realScreenSize();
  return std::min(size.width(), size.height()) >= kPadShorterSide ? platform::kIdiomPad : platform::kIdiomPhone;
#else
  return emulated_.idiom;
#endif
}

double QtDevice::screenWidth() const { return kRealScreen ? realScreenSize().width() : emulated_.size.width; }

double QtDevice::screenHeight() const { return kRealScreen ? realScreenSize().height() : emulated_.size.height; }

std::string QtDevice::systemVersion() const { return QSysInfo::productVersion().toStdString(); }

}  // namespace balalaika::qt
