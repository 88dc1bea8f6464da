#pragma once
// Reachability from QNetworkInformation. Construct on the main thread (after the application
// object); flagsForAddress() may then be called from any thread.
//
// The default backend is tried first, then "glib" (which works without a system D-Bus). With
// neither, or while the backend does not know the state, the flags cannot be read. Online maps to
// the Reachable flag; every other known state to no flags. The address is not consulted: the
// answer is about the network in general, which is what the zero address asks.

#include <QNetworkInformation>
#include <QObject>
#include <atomic>

#include "platform/Reachability.h"

namespace balalaika::qt {

class QtReachability final : public QObject, public platform::Reachability {
  Q_OBJECT

 public:
  explicit QtReachability(QObject* parent = nullptr);

  std::optional<std::uint32_t> flagsForAddress(const platform::SocketAddressV4& address) const override;
  // Whether a backend was loaded.
  bool hasBackend() const { return hasBackend_; }

  // The flags for a reported state; nothing for Unknown.
  static std::optional<std::uint32_t> flagsFor(QNetworkInformation::Reachability reachability);

 private:
  static constexpr int kUnreadable = -1;
  void remember(QNetworkInformation::Reachability reachability);

  bool hasBackend_ = false;
  std::atomic<int> state_{kUnreadable};  // a QNetworkInformation::Reachability, or kUnreadable
};

}  // namespace balalaika::qt
