#pragma once
// The running application: lifecycle notifications, status bar and idle timer.

#include <functional>

namespace balalaika::platform {

// Status-bar styles.
inline constexpr int kStatusBarStyleDefault = 0;
inline constexpr int kStatusBarStyleLightContent = 1;
// Status-bar animations.
inline constexpr int kStatusBarAnimationNone = 0;
inline constexpr int kStatusBarAnimationFade = 1;
inline constexpr int kStatusBarAnimationSlide = 2;

class Application {
 public:
  using Observer = std::function<void()>;

  virtual ~Application() = default;

  // Registers an observer that runs on the main thread each time the application is about to
  // leave the foreground (stop being active). Callable from any thread; never unregistered.
  virtual void addWillResignActiveObserver(Observer observer) = 0;

  // Main thread only from here on.
  virtual int statusBarStyle() const = 0;
  virtual void setStatusBarStyle(int style, bool animated) = 0;
  virtual void setStatusBarHidden(bool hidden, int animation) = 0;
  // True keeps the display from dimming or locking while the application runs.
  virtual void setIdleTimerDisabled(bool disabled) = 0;
};

}  // namespace balalaika::platform
