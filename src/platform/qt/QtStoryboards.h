#pragma once
// The thirteen layouts as QML files under "qrc:/layouts/<name>.qml", each instantiated as a
// tuner screen (QtTunerScreen) with a new ViewController, and windows that show one screen.
//
// On a desktop a window has the emulated device's size in points; when that is larger than
// the desktop (and fitToDesktop is set) the whole screen is drawn scaled down to fit, while
// the layout keeps its size in points. On Android and iOS the window covers the screen.
// Main thread only; a QGuiApplication must exist.

#include <QString>
#include <functional>
#include <memory>

#include "platform/Storyboards.h"

class QQmlEngine;
class QQuickItem;
class QQuickWindow;

namespace balalaika {
class ViewController;
}

namespace balalaika::qt {

class QtTunerScreen;

struct QtStoryboardsOptions {
  // Creates the controller of each instantiated screen.
  std::function<std::unique_ptr<ViewController>()> makeViewController;
  // Called once the layout is loaded into its window and the outlets are connected.
  std::function<void(ViewController&)> screenDidLoad;
  // Called each time the window is about to be shown.
  std::function<void(ViewController&)> screenWillAppear;
  // Called once with the engine that will load every layout (to add objects the QML uses).
  std::function<void(QQmlEngine&)> prepareEngine;
  // Scale a window larger than the desktop down to fit it (desktop only).
  bool fitToDesktop = true;
};

class QtStoryboards : public platform::Storyboards {
 public:
  explicit QtStoryboards(QtStoryboardsOptions options);
  ~QtStoryboards() override;

  std::unique_ptr<platform::Screen> instantiateInitialScreen(const std::string& layoutName) override;
  std::unique_ptr<platform::Window> createWindow(const platform::Rect& frame) override;

  // "qrc:/layouts/<name>.qml".
  static QString layoutUrl(const QString& layoutName);

 private:
  QtStoryboardsOptions options_;
  std::shared_ptr<QQmlEngine> engine_;
};

class QtWindow : public platform::Window {
 public:
  QtWindow(const platform::Rect& frame, const QtStoryboardsOptions& options);
  ~QtWindow() override;

  void setRootScreen(std::unique_ptr<platform::Screen> screen) override;
  void makeKeyAndVisible() override;

  QQuickWindow* quickWindow() const { return window_.get(); }
  // The screen shown, or nullptr before setRootScreen (or when it was not a tuner screen).
  QtTunerScreen* tunerScreen() const { return screen_.get(); }
  // The drawing scale: window pixels per point (1 unless scaled down to fit).
  double scale() const { return scale_; }

 private:
  QtStoryboardsOptions options_;
  platform::Rect frame_;
  double scale_ = 1.0;
  std::unique_ptr<QQuickWindow> window_;
  QQuickItem* stage_ = nullptr;  // the emulated screen, frame-sized, owned by the window
  // Declared after the window: destroyed first, so the layout's items go before the window.
  std::unique_ptr<QtTunerScreen> screen_;
};

}  // namespace balalaika::qt
