#pragma once
// Named screen layouts and the windows that show them. A layout is loaded by name and gives
// its initial screen (the tuner screen laid out for one device size); a window covers a
// rectangle of the main screen and shows one root screen. Main thread only.

#include <memory>
#include <string>

namespace balalaika::platform {

// A rectangle in points.
struct Rect {
  double x = 0.0;
  double y = 0.0;
  double width = 0.0;
  double height = 0.0;
  bool operator==(const Rect&) const = default;
};

// The initial screen of a layout, ready to become a window's root.
class Screen {
 public:
  virtual ~Screen() = default;
};

class Window {
 public:
  virtual ~Window() = default;
  // Makes the screen the window's content; loading the screen into the window happens here.
  virtual void setRootScreen(std::unique_ptr<Screen> screen) = 0;
  // Shows the window in front of every other one and gives it the keyboard focus.
  virtual void makeKeyAndVisible() = 0;
};

class Storyboards {
 public:
  virtual ~Storyboards() = default;
  // The initial screen of the layout with this exact name; nullptr when there is no such layout.
  virtual std::unique_ptr<Screen> instantiateInitialScreen(const std::string& layoutName) = 0;
  // A new, not yet visible window with this frame (points, main-screen coordinates).
  virtual std::unique_ptr<Window> createWindow(const Rect& frame) = 0;
};

}  // namespace balalaika::platform
