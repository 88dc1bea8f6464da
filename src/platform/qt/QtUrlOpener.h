#pragma once
// Opens addresses with QDesktopServices. Main thread only.
//
// A store address ("itms-apps://host/path?query") opens over https with the same host, path and
// query where the platform has no handler for the store scheme: always on desktops other than
// Apple's (no store application exists there, and the desktop's generic opener would accept the
// address only to fail later), and on Apple platforms when opening the store address is refused.

#include <QUrl>

#include "platform/UrlOpener.h"

namespace balalaika::qt {

class QtUrlOpener final : public platform::UrlOpener {
 public:
  bool openURL(const std::string& url) override;

  // The same address over https.
  static QUrl overHttps(const QUrl& storeUrl);
  // Whether the platform itself may handle the store scheme.
  static bool platformHandlesStoreScheme();
};

}  // namespace balalaika::qt
