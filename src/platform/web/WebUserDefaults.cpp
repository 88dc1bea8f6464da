#include "platform/web/WebUserDefaults.h"

#include <emscripten/val.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace balalaika::web {
namespace {

using emscripten::val;

// localStorage, or undefined when the page may not use it (reading it can throw).
val storage() {
  const val window = val::global("window");
  if (!window.hasOwnProperty("localStorage")) return val::undefined();
  return window["localStorage"];
}

}  // namespace

std::string WebUserDefaults::encode(char type, const std::string& value) { return std::string{type, ':'} + value; }

std::optional<std::string> WebUserDefaults::decode(char type, const std::optional<std::string>& stored) {
  if (!stored || stored->size() < 2 || (*stored)[0] != type || (*stored)[1] != ':') return std::nullopt;
  return stored->substr(2);
}

std::optional<std::string> WebUserDefaults::read(const std::string& key) const {
  const val store = storage();
  if (!store.isUndefined() && !store.isNull()) {
    const val item = store.call<val>("getItem", key);
    if (item.isNull() || item.isUndefined()) return std::nullopt;
    return item.as<std::string>();
  }
  const auto it = memory_.find(key);
  return it == memory_.end() ? std::nullopt : std::optional<std::string>(it->second);
}

void WebUserDefaults::write(const std::string& key, const std::string& stored) {
  const val store = storage();
  if (!store.isUndefined() && !store.isNull()) {
    store.call<void>("setItem", key, stored);
  } else {
    memory_[key] = stored;
  }
}

std::optional<bool> WebUserDefaults::boolForKey(const std::string& key) const {
  const auto text = decode('b', read(key));
  if (!text || (*text != "0" && *text != "1")) return std::nullopt;
  return *text == "1";
}

std::optional<std::int64_t> WebUserDefaults::integerForKey(const std::string& key) const {
  const auto text = decode('i', read(key));
  if (!text || text->empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text->c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return std::nullopt;
  return value;
}

std::optional<double> WebUserDefaults::doubleForKey(const std::string& key) const {
  const auto text = decode('d', read(key));
  if (!text || text->empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text->c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return value;
}

std::optional<std::string> WebUserDefaults::stringForKey(const std::string& key) const {
  return decode('s', read(key));
}

void WebUserDefaults::setBool(const std::string& key, bool value) { write(key, encode('b', value ? "1" : "0")); }

void WebUserDefaults::setInteger(const std::string& key, std::int64_t value) {
  write(key, encode('i', std::to_string(value)));
}

void WebUserDefaults::setDouble(const std::string& key, double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", value);
  write(key, encode('d', text));
}

void WebUserDefaults::setString(const std::string& key, const std::string& value) { write(key, encode('s', value)); }

void WebUserDefaults::removeObjectForKey(const std::string& key) {
  const val store = storage();
  if (!store.isUndefined() && !store.isNull()) store.call<void>("removeItem", key);
  memory_.erase(key);
}

void WebUserDefaults::clearPersistentDomain() {
  const val store = storage();
  if (!store.isUndefined() && !store.isNull()) store.call<void>("clear");
  memory_.clear();
}

}  // namespace balalaika::web
