#pragma once
// The application's lifecycle, status bar and idle timer on Qt. Construct on the main thread,
// after the application object.
//
// Will-resign-active: the QGuiApplication's state leaving Qt::ApplicationActive. The status bar
// exists only on phones: on a desktop its style and hidden flag are just recorded for the QML to
// read. Idle timer: recorded; where the session offers org.freedesktop.ScreenSaver over D-Bus (built
// with Qt DBus), disabling it also inhibits the screen saver until it is enabled again or the
// process ends.

#include <QObject>
#include <mutex>
#include <optional>
#include <vector>

#include "platform/Application.h"

namespace balalaika::qt {

class QtApplication final : public QObject, public platform::Application {
  Q_OBJECT
  Q_PROPERTY(int statusBarStyle READ statusBarStyle NOTIFY statusBarChanged)
  Q_PROPERTY(bool statusBarHidden READ statusBarHidden NOTIFY statusBarChanged)
  Q_PROPERTY(bool idleTimerDisabled READ idleTimerDisabled NOTIFY idleTimerDisabledChanged)

 public:
  explicit QtApplication(QObject* parent = nullptr);
  ~QtApplication() override;

  void addWillResignActiveObserver(Observer observer) override;
  int statusBarStyle() const override { return statusBarStyle_; }
  void setStatusBarStyle(int style, bool animated) override;
  void setStatusBarHidden(bool hidden, int animation) override;
  void setIdleTimerDisabled(bool disabled) override;

  bool statusBarHidden() const { return statusBarHidden_; }
  int statusBarAnimation() const { return statusBarAnimation_; }
  bool idleTimerDisabled() const { return idleTimerDisabled_; }
  // Whether the screen saver is currently inhibited through D-Bus.
  bool screenSaverInhibited() const { return inhibitCookie_.has_value(); }

  // Reacts to a change of the application's state (connected to QGuiApplication's signal): leaving
  // the active state tells every will-resign-active observer.
  void handleApplicationStateChanged(Qt::ApplicationState state);

 signals:
  void statusBarChanged();
  void idleTimerDisabledChanged();

 private:
  void inhibitScreenSaver();
  void releaseScreenSaver();

  std::mutex observersMutex_;
  std::vector<Observer> observers_;
  Qt::ApplicationState state_ = Qt::ApplicationActive;
  int statusBarStyle_ = platform::kStatusBarStyleDefault;
  bool statusBarHidden_ = false;
  int statusBarAnimation_ = platform::kStatusBarAnimationNone;
  bool idleTimerDisabled_ = false;
  std::optional<unsigned> inhibitCookie_;
  bool inhibitPending_ = false;
};

}  // namespace balalaika::qt
