#pragma once
// The application's windows and their view-controller chains, as far as finding the controller
// that presents a modal view needs them. Main thread only.

#include <functional>
#include <memory>
#include <vector>

namespace balalaika::platform {

// The level of ordinary application windows; alerts and overlays sit above it.
inline constexpr double kWindowLevelNormal = 0.0;

class ViewController {
 public:
  using Completion = std::function<void()>;

  virtual ~ViewController() = default;
  // The controller this one presents modally, or none.
  virtual std::shared_ptr<ViewController> presentedViewController() const = 0;
  // Presents controller modally on top of this one; completion (may be empty) runs on the main
  // thread once the presentation has finished.
  virtual void presentViewController(std::shared_ptr<ViewController> controller, bool animated,
                                     Completion completion) = 0;
  // Dismisses the controller this one presents or, when it presents none, this one from its
  // presenter; completion (may be empty) runs once the dismissal has finished.
  virtual void dismissViewControllerAnimated(bool animated, Completion completion) = 0;
};

// A view in a window's hierarchy.
class HierarchyView {
 public:
  virtual ~HierarchyView() = default;
  // Direct subviews, back to front.
  virtual std::vector<std::shared_ptr<HierarchyView>> subviews() const = 0;
  // The view's next responder when that is a view controller (the controller owning the view);
  // none when the next responder is another view or nothing.
  virtual std::shared_ptr<ViewController> nextResponderViewController() const = 0;
};

class HierarchyWindow : public HierarchyView {
 public:
  virtual double windowLevel() const = 0;
  virtual std::shared_ptr<ViewController> rootViewController() const = 0;
};

class WindowList {
 public:
  virtual ~WindowList() = default;
  virtual std::shared_ptr<HierarchyWindow> keyWindow() const = 0;
  // The application's windows, in the application's order.
  virtual std::vector<std::shared_ptr<HierarchyWindow>> windows() const = 0;
};

}  // namespace balalaika::platform
