// Layout selection: one fixed layout per supported screen size, chosen by the device idiom
// and the main screen's height in points (exact equality).

#include "app/AppDelegate.h"
#include "app/LayoutTable.h"
#include "platform/Log.h"

namespace balalaika {
namespace {

// A device that cannot report its idiom counts as a phone, as everywhere else on the screen.
int idiomOf(const platform::Device& device) {
  return device.userInterfaceIdiom().value_or(platform::kIdiomPhone);
}

}  // namespace

void AppDelegate::initializeStoryBoardBasedOnScreenSize() {
  if (idiomOf(services_.device) == platform::kIdiomPhone) {
    const double height = services_.device.screenHeight();
    for (const auto group : app::phoneLayoutGroups()) {
      for (const auto& row : group) {
        if (height == row.height) installStoryboard(row.layout);
      }
      platform::log(platform::LogCategory::Layout, "iPhone has a height of: %f", height);
    }
  }
  if (idiomOf(services_.device) == platform::kIdiomPad) {
    const double height = services_.device.screenHeight();
    bool logged = false;
    for (const auto group : app::padLayoutGroups()) {
      for (const auto& row : group) {
        if (height == row.height) installStoryboard(row.layout);
      }
      if (!logged) {
        platform::log(platform::LogCategory::Layout, "iPad has a height of: %f", height);
        logged = true;
      }
    }
  }
}

void AppDelegate::installStoryboard(const std::string& layoutName) {
  auto screen = services_.storyboards.instantiateInitialScreen(layoutName);
  if (!screen) {
    // Every listed layout ships with the application; a broken installation gets a clear
    // line instead of an empty window.
    platform::warn(platform::LogCategory::Layout, "Layout %@ is missing", layoutName);
    return;
  }
  const platform::Rect frame{0.0, 0.0, services_.device.screenWidth(), services_.device.screenHeight()};
  setWindow(services_.storyboards.createWindow(frame));
  if (!window_) return;
  window_->setRootScreen(std::move(screen));
  window_->makeKeyAndVisible();
}

}  // namespace balalaika
