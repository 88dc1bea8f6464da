#pragma once
// The application's desktop windows (QGuiApplication's top-level windows; the focus window is the
// key window). Main thread only.
//
// QML screens are not view controllers: a desktop window has no root view controller and no view
// hierarchy that leads to one, so no store product view is ever presented on the desktop (the
// product view is unavailable there anyway). Pop-ups, tool tips, splash screens and windows that
// stay on top count as raised above the normal level.

#include "platform/WindowList.h"

class QWindow;

namespace balalaika::qt {

// The level given to raised windows.
inline constexpr double kRaisedWindowLevel = 1000.0;

class QtWindowList final : public platform::WindowList {
 public:
  std::shared_ptr<platform::HierarchyWindow> keyWindow() const override;
  std::vector<std::shared_ptr<platform::HierarchyWindow>> windows() const override;

  static double levelOf(const QWindow& window);
};

}  // namespace balalaika::qt
