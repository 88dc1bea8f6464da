#include "platform/qt/QtApplication.h"

#include <QGuiApplication>

#ifdef BT_HAVE_QTDBUS
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#endif

namespace balalaika::qt {
namespace {
#ifdef BT_HAVE_QTDBUS
constexpr auto kScreenSaverService = "org.freedesktop.ScreenSaver";
constexpr auto kScreenSaverPath = "/org/freedesktop/ScreenSaver";
constexpr auto kScreenSaverInterface = "org.freedesktop.ScreenSaver";
#endif
}  // namespace

QtApplication::QtApplication(QObject* parent) : QObject(parent) {
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    state_ = app->applicationState();
    connect(app, &QGuiApplication::applicationStateChanged, this, &QtApplication::handleApplicationStateChanged);
  }
}

QtApplication::~QtApplication() { releaseScreenSaver(); }

void QtApplication::addWillResignActiveObserver(Observer observer) {
  std::lock_guard lock(observersMutex_);
  observers_.push_back(std::move(observer));
}

void QtApplication::handleApplicationStateChanged(Qt::ApplicationState state) {
  const bool resigning = state_ == Qt::ApplicationActive && state != Qt::ApplicationActive;
  state_ = state;
  if (!resigning) return;
  std::vector<Observer> observers;
  {
    std::lock_guard lock(observersMutex_);
    observers = observers_;
  }
  for (auto& observer : observers) observer();
}

void QtApplication::setStatusBarStyle(int style, bool /*animated*/) {
  statusBarStyle_ = style;
  emit statusBarChanged();
}

void QtApplication::setStatusBarHidden(bool hidden, int animation) {
  statusBarHidden_ = hidden;
  statusBarAnimation_ = animation;
  emit statusBarChanged();
}

void QtApplication::setIdleTimerDisabled(bool disabled) {
  const bool changed = idleTimerDisabled_ != disabled;
  idleTimerDisabled_ = disabled;
  if (disabled) {
    inhibitScreenSaver();
  } else {
    releaseScreenSaver();
  }
  if (changed) emit idleTimerDisabledChanged();
}

void QtApplication::inhibitScreenSaver() {
#ifdef BT_HAVE_QTDBUS
  if (inhibitCookie_ || inhibitPending_) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath, kScreenSaverInterface,
                                                     QStringLiteral("Inhibit"));
  call << QCoreApplication::applicationName() << QStringLiteral("Tuning");
  inhibitPending_ = true;
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
    w->deleteLater();
    inhibitPending_ = false;
    const QDBusPendingReply<unsigned> reply = *w;
    if (reply.isError()) return;  // no screen saver service: the flag alone is kept
    inhibitCookie_ = reply.value();
    if (!idleTimerDisabled_) releaseScreenSaver();  // enabled again while the call was under way
  });
#endif
}

void QtApplication::releaseScreenSaver() {
#ifdef BT_HAVE_QTDBUS
  if (!inhibitCookie_) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kScreenSaverService, kScreenSaverPath, kScreenSaverInterface,
                                                     QStringLiteral("UnInhibit"));
  call << *inhibitCookie_;
  QDBusConnection::sessionBus().asyncCall(call);
  inhibitCookie_.reset();
#endif
}

}  // namespace balalaika::qt
