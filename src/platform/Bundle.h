#pragma once
// The application bundle: version, names and localized texts.

#include <optional>
#include <string>

namespace balalaika::platform {

class Bundle {
 public:
  virtual ~Bundle() = default;

  // The localized text for key in the named table ("" is the default table); the key itself
  // when the table has no entry for it.
  virtual std::string localizedString(const std::string& key, const std::string& table = "") const = 0;
  // The bundle version text (the version whose uses the rating prompt counts).
  virtual std::string version() const = 0;
  virtual std::optional<std::string> displayName() const = 0;
  virtual std::optional<std::string> name() const = 0;
};

}  // namespace balalaika::platform
