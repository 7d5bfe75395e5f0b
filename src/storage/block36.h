// The catalogue's description texts are stored in blocks of 36 characters,
// each multiplied as a 6 x 6 matrix by a fixed matrix with entries -1, 0 and 1.
// Decoding multiplies by that matrix; encoding by its inverse modulo 256.
#pragma once

#include <string>
#include <string_view>

namespace quirovel {

// Restores one block: the first 36 characters of text (missing ones count as
// zero bytes); trailing blanks are removed from the result.
std::string DecodeBlock36(std::string_view text);

// The forward transform, for the tools that build catalogue tables: the first
// 36 characters of plain, padded with blanks, as 36 stored bytes.
std::string EncodeBlock36(std::string_view plain);

}  // namespace quirovel
