#pragma once
// A bundle of version 1.0 whose texts the test sets.

#include <map>
#include <utility>

#include "platform/Bundle.h"

namespace balalaika::fakes {

class FakeBundle : public platform::Bundle {
 public:
  std::string localizedString(const std::string& key, const std::string& table = "") const override {
    auto it = texts.find({table, key});
    return it == texts.end() ? key : it->second;
  }
  std::string version() const override { return "1.0"; }
  std::optional<std::string> displayName() const override { return "Balalaika Tuner"; }
  std::optional<std::string> name() const override { return "balalaika-tuner"; }

  // (table, key) -> text; "" is the default table.
  std::map<std::pair<std::string, std::string>, std::string> texts;
};

}  // namespace balalaika::fakes
