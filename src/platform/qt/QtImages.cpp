#include "platform/qt/QtImages.h"

#include <QFileInfo>

namespace balalaika::qt {

std::optional<platform::Image> QtImages::imageNamed(const std::string& name) const {
  // An empty or path-like name would find a folder or another resource tree, not a picture.
  if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
  const QFileInfo file(pathOf(QString::fromStdString(name)));
  if (!file.exists() || !file.isFile()) return std::nullopt;
  return platform::Image{name};
}

QString QtImages::pathOf(const QString& name) { return QStringLiteral(":/images/") + name; }

QUrl QtImages::urlOf(const QString& name) { return QUrl(QStringLiteral("qrc:/images/") + name); }

}  // namespace balalaika::qt
