// printf-style formatting into a std::string: the program's message and
// report formats are C formats and must produce exactly the same bytes.
#pragma once

#include <string>

namespace quirovel {

std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace quirovel
