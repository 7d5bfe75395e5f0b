// Dates as dBase stores them: eight characters AAAAMMDD, eight blanks when empty.
#pragma once

#include <string>
#include <string_view>

#include "platform/feedback.h"

namespace quirovel {

// "15/03/2006"; ten blanks for a blank date.
std::string DisplayDate(std::string_view date);
// The same ten characters written to `out`, for callers that make many.
void DisplayDateInto(std::string_view date, char out[10]);
// "15/03/06"; eight blanks for a blank date.
std::string DisplayShortDate(std::string_view date);

struct SplitDateParts {
  int year = 0, month = 0, day = 0;
};
// Digit by digit, (character - '0') with no validation; missing characters count as blanks.
SplitDateParts SplitDate(std::string_view date);

long DayNumber(int year, int month, int day);
// Days from b to a, negative when a is earlier.
long DaysBetween(const SplitDateParts& a, const SplitDateParts& b);

// Converts a date in one of six layouts (format "1" to "6") to AAAAMMDD; eight
// blanks for an empty or short text; "ERROR" (after the message, with
// date_error set) for a date out of range or an unknown format.
std::string NormaliseDate(std::string_view text, std::string_view format, Feedback& feedback,
                          bool& date_error);

// A text read as a decimal number: leading blanks skipped, reading stops at the
// first non-digit, 0 without digits. Shared by every reader of numeric fields;
// inline because decoding a record reads a score of them.
inline long DecimalValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > 100000000000L) break;  // far beyond any field's width
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace quirovel
