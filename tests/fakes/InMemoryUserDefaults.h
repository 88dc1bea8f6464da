#pragma once
// A user-defaults store held in memory; thread-safe like the real one.

#include <map>
#include <mutex>
#include <variant>

#include "platform/UserDefaults.h"

namespace balalaika::fakes {

class InMemoryUserDefaults : public platform::UserDefaults {
 public:
  using Value = std::variant<bool, std::int64_t, double, std::string>;

  std::optional<bool> boolForKey(const std::string& key) const override { return get<bool>(key); }
  std::optional<std::int64_t> integerForKey(const std::string& key) const override { return get<std::int64_t>(key); }
  std::optional<double> doubleForKey(const std::string& key) const override { return get<double>(key); }
  std::optional<std::string> stringForKey(const std::string& key) const override { return get<std::string>(key); }

  void setBool(const std::string& key, bool value) override { set(key, value); }
  void setInteger(const std::string& key, std::int64_t value) override { set(key, value); }
  void setDouble(const std::string& key, double value) override { set(key, value); }
  void setString(const std::string& key, const std::string& value) override { set(key, value); }

  void removeObjectForKey(const std::string& key) override {
    std::lock_guard lock(mutex_);
    values_.erase(key);
  }
  void clearPersistentDomain() override {
    std::lock_guard lock(mutex_);
    values_.clear();
  }
  bool synchronize() override { return true; }

 private:
  template <typename T>
  std::optional<T> get(const std::string& key) const {
    std::lock_guard lock(mutex_);
    auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    if (const T* v = std::get_if<T>(&it->second)) return *v;
    return std::nullopt;
  }
  void set(const std::string& key, Value value) {
    std::lock_guard lock(mutex_);
    values_[key] = std::move(value);
  }

  mutable std::mutex mutex_;
  std::map<std::string, Value> values_;
};

}  // namespace balalaika::fakes
