#include "platform/web/WebUserDefaults.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Log.h"

namespace balalaika::web {

using emscripten::val;

namespace {

// A stored value of the right type whose text does not parse: logged, read as absent.
std::nullopt_t unreadable(const std::string& key) {
  platform::warn(platform::LogCategory::App, "Unreadable stored %@, read as absent", key);
  return std::nullopt;
}

}  // namespace

std::string WebUserDefaults::encode(char type, const std::string& value) { return std::string{type, ':'} + value; }

std::optional<std::string> WebUserDefaults::decode(char type, const std::optional<std::string>& stored) {
  if (!stored || stored->size() < 2 || (*stored)[0] != type || (*stored)[1] != ':') return std::nullopt;
  return stored->substr(2);
}

std::optional<std::string> WebUserDefaults::read(const std::string& key) const {
  if (const auto kept = memory_.find(key); kept != memory_.end()) return kept->second;
  const val item = store_.call<val>("read", key);
  if (!item.isString()) return std::nullopt;  // absent, or the store refused (the page logged it)
  return item.as<std::string>();
}

std::optional<std::string> WebUserDefaults::readTyped(char type, const std::string& key) const {
  const auto stored = read(key);
  const auto text = decode(type, stored);
  if (stored && !text) return unreadable(key);
  return text;
}

void WebUserDefaults::write(const std::string& key, const std::string& stored) {
  if (store_.call<bool>("write", key, stored)) {
    memory_.erase(key);
  } else {
    memory_[key] = stored;
  }
}

std::optional<bool> WebUserDefaults::boolForKey(const std::string& key) const {
  const auto text = readTyped('b', key);
  if (!text) return std::nullopt;
  if (*text != "0" && *text != "1") return unreadable(key);
  return *text == "1";
}

std::optional<std::int64_t> WebUserDefaults::integerForKey(const std::string& key) const {
  const auto text = readTyped('i', key);
  if (!text) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text->c_str(), &end, 10);
  if (text->empty() || errno != 0 || *end != '\0') return unreadable(key);
  return value;
}

std::optional<double> WebUserDefaults::doubleForKey(const std::string& key) const {
  const auto text = readTyped('d', key);
  if (!text) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text->c_str(), &end);
  if (text->empty() || *end != '\0' || !std::isfinite(value)) return unreadable(key);
  return value;
}

std::optional<std::string> WebUserDefaults::stringForKey(const std::string& key) const {
  return readTyped('s', key);
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
  store_.call<void>("remove", key);
  memory_.erase(key);
}

void WebUserDefaults::clearPersistentDomain() {
  store_.call<void>("clear");
  memory_.clear();
}

}  // namespace balalaika::web
