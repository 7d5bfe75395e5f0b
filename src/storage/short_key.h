// Texts of up to seven bytes packed in one word with their length, so that a
// set of short codes can be searched by comparing integers.
#pragma once

#include <cstdint>
#include <string_view>

namespace quirovel {

constexpr std::size_t kShortKeyMax = 7;

// Two texts of at most kShortKeyMax bytes pack alike only when they are
// equal. A longer text is cut; callers check the length first.
inline std::uint64_t PackShortKey(std::string_view text) {
  if (text.size() > kShortKeyMax) text = text.substr(0, kShortKeyMax);
  std::uint64_t packed = static_cast<std::uint64_t>(text.size()) << 56;
  for (std::size_t i = 0; i < text.size(); ++i)
    packed |= static_cast<std::uint64_t>(static_cast<unsigned char>(text[i])) << (8 * i);
  return packed;
}

}  // namespace quirovel
