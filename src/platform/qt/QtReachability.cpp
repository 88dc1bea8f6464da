#include "platform/qt/QtReachability.h"

namespace balalaika::qt {

QtReachability::QtReachability(QObject* parent) : QObject(parent) {
  hasBackend_ = QNetworkInformation::loadDefaultBackend() || QNetworkInformation::loadBackendByName(u"glib");
  QNetworkInformation* info = hasBackend_ ? QNetworkInformation::instance() : nullptr;
  if (!info) {
    hasBackend_ = false;
    return;
  }
  // The backend reports on the main thread; the state is mirrored into an atomic for readers on
  // other threads.
  remember(info->reachability());
  connect(info, &QNetworkInformation::reachabilityChanged, this, &QtReachability::remember);
}

void QtReachability::remember(QNetworkInformation::Reachability reachability) {
  state_ = static_cast<int>(reachability);
}

std::optional<std::uint32_t> QtReachability::flagsFor(QNetworkInformation::Reachability reachability) {
  switch (reachability) {
    case QNetworkInformation::Reachability::Unknown:
      return std::nullopt;
    case QNetworkInformation::Reachability::Online:
      return platform::kReachabilityReachable;
    case QNetworkInformation::Reachability::Disconnected:
    case QNetworkInformation::Reachability::Local:
    case QNetworkInformation::Reachability::Site:
      return 0u;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> QtReachability::flagsForAddress(const platform::SocketAddressV4& /*address*/) const {
  const int state = state_;
  if (state == kUnreadable) return std::nullopt;
  return flagsFor(static_cast<QNetworkInformation::Reachability>(state));
}

}  // namespace balalaika::qt
