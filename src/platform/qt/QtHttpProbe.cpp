#include "platform/qt/QtHttpProbe.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <cmath>

namespace balalaika::qt {

QtHttpProbe::QtHttpProbe(QObject* parent) : QObject(parent), manager_(new QNetworkAccessManager(this)) {}

QUrl QtHttpProbe::effectiveUrl(const std::string& requestedUrl) {
  const QByteArray configured = qgetenv(kProbeUrlVariable);
  const QString text = configured.isEmpty() ? QString::fromStdString(requestedUrl) : QString::fromUtf8(configured);
  return QUrl(text, QUrl::StrictMode);
}

bool QtHttpProbe::start(const platform::ProbeRequest& request) {
  const QUrl url = effectiveUrl(request.url);
  if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https") || url.host().isEmpty()) return false;

  QNetworkRequest networkRequest(url);
  networkRequest.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                              request.cachePolicy == platform::ProbeCachePolicy::AlwaysNetwork
                                  ? QNetworkRequest::AlwaysNetwork
                                  : QNetworkRequest::PreferNetwork);
  networkRequest.setTransferTimeout(static_cast<int>(std::lround(request.timeoutSeconds * 1000.0)));

  // The manager lives on the main thread: hand the request over to it and return at once.
  std::lock_guard lock(pendingMutex_);
  pending_.push_back(networkRequest);
  QMetaObject::invokeMethod(this, "sendPending", Qt::QueuedConnection);
  return true;
}

void QtHttpProbe::sendPending() {
  std::vector<QNetworkRequest> requests;
  {
    std::lock_guard lock(pendingMutex_);
    requests.swap(pending_);
  }
  for (const QNetworkRequest& request : requests) {
    QNetworkReply* reply = manager_->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
      reply->deleteLater();
      emit probeFinished();
    });
  }
}

}  // namespace balalaika::qt
