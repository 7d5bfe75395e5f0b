// "Buscar códigos" of the search dialog: the codes of the CIE-9-MC edition in
// use whose description contains a text, as a search text of patterns.
#pragma once

#include <string>
#include <string_view>

namespace quirovel {

struct Session;

inline constexpr std::size_t kMaxDescriptionText = 49;
inline constexpr std::size_t kMaxFoundCodesText = 1990;

struct FoundCodes {
  std::string text;       // the codes separated by ", "
  int count = 0;          // codes in text
  bool too_many = false;  // "Demasiados códigos": the list stops there
  bool stopped = false;   // a stop was requested
};

// Walks the descriptions table from its first record (a record that cannot
// be read ends the walk); the text is compared exactly, case included, on its
// first 49 characters.
FoundCodes FindCodesByDescription(Session& s, std::string_view text);

}  // namespace quirovel
