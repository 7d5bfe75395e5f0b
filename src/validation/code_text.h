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

// low <= text <= high as byte strings. The bounds are written at the width the
// field is compared at; a narrower or wider text is compared as it stands.
inline bool InTextRange(std::string_view text, std::string_view low, std::string_view high) {
  return text >= low && text <= high;
}

}  // namespace quirovel
