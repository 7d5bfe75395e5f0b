// Predicates on the fixed-width texts of codes and dates as the checks read
// them: the full stored width, trailing blanks kept, compared byte by byte
// (like strcmp), so a shorter text sorts before any text it begins.
#pragma once

#include <string_view>

namespace quirovel {

// A code or date field is blank when its first character is a blank; a field
// of no width at all holds nothing to check either.
inline bool IsBlankText(std::string_view text) { return text.empty() || text[0] == ' '; }

inline bool BeginsWith(std::string_view text, char c) { return !text.empty() && text[0] == c; }

// The sign of text a against text b, as std::string_view::compare gives it
// (bytes unsigned, a text that ends first is the smaller). Written out because
// the checks compare short texts, mostly decided by their first byte, many
// times per episode.
inline int CompareText(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// a == b, written out for the same reason.
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

inline bool BeginsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

// low <= text <= high as byte strings. The bounds are written at the width the
// field is compared at; a narrower or wider text is compared as it stands.
inline bool InTextRange(std::string_view text, std::string_view low, std::string_view high) {
  return CompareText(text, low) >= 0 && CompareText(text, high) <= 0;
}

}  // namespace quirovel
