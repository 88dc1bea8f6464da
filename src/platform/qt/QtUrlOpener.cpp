#include "platform/qt/QtUrlOpener.h"

#include <QDesktopServices>

namespace balalaika::qt {
namespace {
constexpr auto kStoreScheme = u"itms-apps";
}

QUrl QtUrlOpener::overHttps(const QUrl& storeUrl) {
  QUrl url = storeUrl;
  url.setScheme(QStringLiteral("https"));
  return url;
}

bool QtUrlOpener::platformHandlesStoreScheme() {
#if defined(Q_OS_IOS) || defined(Q_OS_MACOS)
  return true;
#else
  return false;
#endif
}

bool QtUrlOpener::openURL(const std::string& text) {
  const QUrl url(QString::fromStdString(text), QUrl::StrictMode);
  if (!url.isValid() || url.scheme().isEmpty()) return false;
  if (url.scheme() != kStoreScheme) return QDesktopServices::openUrl(url);
  if (platformHandlesStoreScheme() && QDesktopServices::openUrl(url)) return true;
  return QDesktopServices::openUrl(overHttps(url));
}

}  // namespace balalaika::qt
