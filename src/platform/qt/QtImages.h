#pragma once
// Pictures among the application's Qt resources, under ":/images/<name>", found by exact name.

#include <QString>
#include <QUrl>

#include "platform/Views.h"

namespace balalaika::qt {

class QtImages : public platform::Images {
 public:
  std::optional<platform::Image> imageNamed(const std::string& name) const override;

  // ":/images/<name>" and "qrc:/images/<name>".
  static QString pathOf(const QString& name);
  static QUrl urlOf(const QString& name);
};

}  // namespace balalaika::qt
