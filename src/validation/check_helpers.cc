#include "validation/checks.h"

namespace quirovel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

bool IsDigitsField(std::string_view text, int n) {
  int digits = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      // Blanks may only trail.
      if (i > 0 && text[i - 1] == ' ') return false;
      ++digits;
    } else if (c != ' ') {
      return false;
    }
  }
  return digits >= n;
}

bool CountDigits(std::string_view text, int n) {
  int digits = 0;
  for (char c : text)
    if (IsDigit(c)) ++digits;
  return digits >= n;
}

bool IsProcedureShaped(std::string_view text) {
  const char third = text.size() > 2 ? text[2] : '\0';
  const char first = text.empty() ? '\0' : text[0];
  return (third == '.' || third == ' ') && first != 'E' && first != 'V';
}

long IntegerValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    // No field is that wide; stop before the value could overflow.
    if (value > 100000000000000L) break;
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace quirovel
