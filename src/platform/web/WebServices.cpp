#include "platform/web/WebServices.h"

#include <emscripten/val.h>

#include <string_view>

namespace balalaika::web {

std::string WebBundle::localizedString(const std::string& key, const std::string& table) const {
  // The translation files' ids: the key itself in the default table, "table:key" in a named one.
  const auto it = texts_.find(table.empty() ? key : table + ":" + key);
  return it == texts_.end() || it->second.empty() ? key : it->second;
}

std::string WebUrlOpener::effectiveUrl(const std::string& url) const {
  constexpr std::string_view kStoreScheme = "itms-apps:";
  if (storeSchemeHandled_ || url.rfind(kStoreScheme, 0) != 0) return url;
  return "https:" + url.substr(kStoreScheme.size());
}

bool WebUrlOpener::openURL(const std::string& url) {
  emscripten::val opened =
      emscripten::val::global("window").call<emscripten::val>("open", effectiveUrl(url), std::string("_blank"));
  if (opened.isNull() || opened.isUndefined()) return false;  // a blocked pop-up
  // The store's or the maker's page gets no hold on the tuner's tab.
  opened.set("opener", emscripten::val::null());
  return true;
}

}  // namespace balalaika::web
