#pragma once
// The texts the application looks up by key, and how a (table, key) pair becomes a translation
// id. The default table ("") uses the key itself; a named table prefixes the key with the table
// name and a colon ("RatingPromptLocalizable:Remind me later"), so that equal keys of different
// tables never share a translation.

#include <span>
#include <string>

namespace balalaika::resources {

struct TextId {
  const char* table;  // "" for the default table
  const char* key;    // as the code looks it up
  const char* id;     // translation id in the .ts files
};

// Every text with an entry in the translations, in no particular order.
std::span<const TextId> textIds();

// The translation id of key in table.
std::string translationId(const std::string& key, const std::string& table);

// The table of the rating prompt's alert texts.
inline constexpr const char* kRatingTable = "RatingPromptLocalizable";

}  // namespace balalaika::resources
