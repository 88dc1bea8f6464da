#pragma once
// The probe request on QNetworkAccessManager. Construct on the main thread; start() may be called
// from any thread and never waits: the request is sent from the main thread's event loop and its
// reply is discarded when it finishes or times out. Requests are handed to the main thread through
// a queue under our own mutex (Qt carries only a wake-up), which ThreadSanitizer can follow.
//
// The address requested is the one in the environment variable BALALAIKA_TUNER_PROBE_URL when that
// is set (tests point it at loopback), otherwise the request's own.

#include <QNetworkRequest>
#include <QObject>
#include <QUrl>
#include <mutex>
#include <vector>

#include "platform/HttpProbe.h"

class QNetworkAccessManager;

namespace balalaika::qt {

inline constexpr const char* kProbeUrlVariable = "BALALAIKA_TUNER_PROBE_URL";

class QtHttpProbe final : public QObject, public platform::HttpProbe {
  Q_OBJECT

 public:
  explicit QtHttpProbe(QObject* parent = nullptr);

  // False when the address is not a valid http or https URL; nothing is sent then.
  bool start(const platform::ProbeRequest& request) override;

  // The address a request for requestedUrl goes to.
  static QUrl effectiveUrl(const std::string& requestedUrl);

 signals:
  // Emitted on the main thread once a probe's reply has finished, for observers that care.
  void probeFinished();

 private slots:
  void sendPending();

 private:
  QNetworkAccessManager* manager_;
  std::mutex pendingMutex_;
  std::vector<QNetworkRequest> pending_;
};

}  // namespace balalaika::qt
