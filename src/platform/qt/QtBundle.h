#pragma once
// The application bundle on Qt: texts from the installed translations (Language.h), falling back
// to the key; the version of the build; fixed names. Texts are read on the thread that asks;
// installing a language happens on the main thread before texts are read.

#include "platform/Bundle.h"

namespace balalaika::qt {

class QtBundle : public platform::Bundle {
 public:
  // The translation of key in table ("" is the default table, a named table such as
  // "RatingPromptLocalizable" has ids of its own); the key itself when there is none.
  std::string localizedString(const std::string& key, const std::string& table = "") const override;
  // The build's version ("1.0.0").
  std::string version() const override;
  // "Balalaika Tuner".
  std::optional<std::string> displayName() const override;
  // "balalaika-tuner".
  std::optional<std::string> name() const override;
};

}  // namespace balalaika::qt
