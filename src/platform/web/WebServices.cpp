#include "platform/web/WebServices.h"

#include <emscripten/val.h>


namespace balalaika::web {

std::string WebBundle::localizedString(const std::string& key, const std::string& table) const {
  // The translation files' ids: the key itself in the default table, "table:key" in a named one.
  const auto it = texts_.find(table.empty() ? key : table + ":" + key);
  return it == texts_.end() || it->second.empty() ? key : it->second;
}

bool WebUrlOpener::openURL(const std::string& url) {
  const emscripten::val opened = emscripten::val::global("window").call<emscripten::val>("open", url, std::string("_blank"));
  return !opened.isNull() && !opened.isUndefined();
}

}  // namespace balalaika::web
