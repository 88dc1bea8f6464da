#pragma once
// The per-application key-value store. Every operation is atomic and may be called from any
// thread. A key that is absent, or holds a value of another type, reads as absent.

#include <cstdint>
#include <optional>
#include <string>

namespace balalaika::platform {

class UserDefaults {
 public:
  virtual ~UserDefaults() = default;

  virtual std::optional<bool> boolForKey(const std::string& key) const = 0;
  virtual std::optional<std::int64_t> integerForKey(const std::string& key) const = 0;
  virtual std::optional<double> doubleForKey(const std::string& key) const = 0;
  virtual std::optional<std::string> stringForKey(const std::string& key) const = 0;

  virtual void setBool(const std::string& key, bool value) = 0;
  virtual void setInteger(const std::string& key, std::int64_t value) = 0;
  virtual void setDouble(const std::string& key, double value) = 0;
  virtual void setString(const std::string& key, const std::string& value) = 0;

  virtual void removeObjectForKey(const std::string& key) = 0;
  // Replaces every value the application has stored with nothing.
  virtual void clearPersistentDomain() = 0;
  // Writes pending changes to disk; returns false when the write failed.
  virtual bool synchronize() = 0;
};

}  // namespace balalaika::platform
