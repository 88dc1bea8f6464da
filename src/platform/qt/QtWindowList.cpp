#include "platform/qt/QtWindowList.h"

#include <QGuiApplication>
#include <QWindow>

namespace balalaika::qt {
namespace {

class DesktopWindow final : public platform::HierarchyWindow {
 public:
  explicit DesktopWindow(double level) : level_(level) {}
  std::vector<std::shared_ptr<platform::HierarchyView>> subviews() const override { return {}; }
  std::shared_ptr<platform::ViewController> nextResponderViewController() const override { return nullptr; }
  double windowLevel() const override { return level_; }
  std::shared_ptr<platform::ViewController> rootViewController() const override { return nullptr; }

 private:
  double level_;
};

}  // namespace

double QtWindowList::levelOf(const QWindow& window) {
  const Qt::WindowType type = window.type();
  const bool raised = type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen ||
                      window.flags().testFlag(Qt::WindowStaysOnTopHint);
  return raised ? kRaisedWindowLevel : platform::kWindowLevelNormal;
}

std::shared_ptr<platform::HierarchyWindow> QtWindowList::keyWindow() const {
  const QWindow* focus = QGuiApplication::focusWindow();
  if (!focus) return nullptr;
  return std::make_shared<DesktopWindow>(levelOf(*focus));
}

std::vector<std::shared_ptr<platform::HierarchyWindow>> QtWindowList::windows() const {
  std::vector<std::shared_ptr<platform::HierarchyWindow>> all;
  for (const QWindow* window : QGuiApplication::topLevelWindows()) {
    all.push_back(std::make_shared<DesktopWindow>(levelOf(*window)));
  }
  return all;
}

}  // namespace balalaika::qt
