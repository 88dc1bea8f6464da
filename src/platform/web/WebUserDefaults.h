#pragma once
// The user-defaults store in the browser's localStorage, under the same keys as on the desktop.
// Each value is stored as text with its type in front ("b:1", "i:42", "d:0.5", "s:text"), so
// that a value of another type, or one edited by hand into something else, reads as absent (and
// is logged). The page hands over its store (web/src/storage.ts): an object whose read answers a
// string, null when the key is absent or undefined when the browser refused; whose write answers
// false when refused (a full store, a private window). Values the browser refused live in memory
// for the page's life.

#include <emscripten/val.h>

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/UserDefaults.h"

namespace balalaika::web {

class WebUserDefaults final : public platform::UserDefaults {
 public:
  explicit WebUserDefaults(emscripten::val store) : store_(std::move(store)) {}

  std::optional<bool> boolForKey(const std::string& key) const override;
  std::optional<std::int64_t> integerForKey(const std::string& key) const override;
  std::optional<double> doubleForKey(const std::string& key) const override;
  std::optional<std::string> stringForKey(const std::string& key) const override;
  void setBool(const std::string& key, bool value) override;
  void setInteger(const std::string& key, std::int64_t value) override;
  void setDouble(const std::string& key, double value) override;
  void setString(const std::string& key, const std::string& value) override;
  void removeObjectForKey(const std::string& key) override;
  void clearPersistentDomain() override;
  bool synchronize() override { return true; }  // localStorage writes at once

  // The typed text of a value and back; nothing for text that is not of the asked type.
  static std::string encode(char type, const std::string& value);
  static std::optional<std::string> decode(char type, const std::optional<std::string>& stored);

 private:
  std::optional<std::string> read(const std::string& key) const;
  // The typed text of the key's value; nothing when absent, and a logged nothing when unreadable.
  std::optional<std::string> readTyped(char type, const std::string& key) const;
  void write(const std::string& key, const std::string& stored);

  emscripten::val store_;
  std::map<std::string, std::string> memory_;  // values the store refused
};

}  // namespace balalaika::web
