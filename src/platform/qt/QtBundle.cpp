#include "platform/qt/QtBundle.h"

#include <QString>
#include <QtGlobal>

#include "translations/TextIds.h"

namespace balalaika::qt {

std::string QtBundle::localizedString(const std::string& key, const std::string& table) const {
  const std::string id = resources::translationId(key, table);
  // qtTrId answers with the id itself when no installed translation has it.
  const QString text = qtTrId(id.c_str());
  const std::string result = text.toStdString();
  return result == id ? key : result;
}

std::string QtBundle::version() const { return BT_VERSION; }

std::optional<std::string> QtBundle::displayName() const { return std::string("Balalaika Tuner"); }

std::optional<std::string> QtBundle::name() const { return std::string("balalaika-tuner"); }

}  // namespace balalaika::qt
