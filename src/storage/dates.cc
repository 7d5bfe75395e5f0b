#include "storage/dates.h"

#include <cstring>
#include <string>

#include "platform/format.h"

namespace quirovel {
namespace {

char At(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : ' '; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Reads a number of at most max_digits digits from *pos on.
int ScanPart(std::string_view text, std::size_t* pos, int max_digits) {
  int value = 0;
  for (int n = 0; n < max_digits && *pos < text.size() && IsDigit(text[*pos]); ++n, ++*pos)
    value = value * 10 + (text[*pos] - '0');
  return value;
}

int FixedPart(std::string_view text, std::size_t from, std::size_t to) {
  if (from >= text.size()) return 0;
  return static_cast<int>(DecimalValue(text.substr(from, to - from)));
}

}  // namespace

void DisplayDateInto(std::string_view date, char out[10]) {
  const char text[10] = {At(date, 6), At(date, 7), '/',         At(date, 4), At(date, 5),
                         '/',         At(date, 0), At(date, 1), At(date, 2), At(date, 3)};
  if (std::memcmp(text, "  /  /    ", 10) == 0)
    std::memset(out, ' ', 10);
  else
    std::memcpy(out, text, 10);
}

std::string DisplayDate(std::string_view date) {
  char out[10];
  DisplayDateInto(date, out);
  return std::string(out, 10);
}

std::string DisplayShortDate(std::string_view date) {
  std::string out{At(date, 6), At(date, 7), '/',         At(date, 4),
                  At(date, 5), '/',         At(date, 2), At(date, 3)};
  if (out == "  /  /  ") return std::string(8, ' ');
  return out;
}

SplitDateParts SplitDate(std::string_view date) {
  auto d = [&](std::size_t i) { return At(date, i) - '0'; };
  return {d(0) * 1000 + d(1) * 100 + d(2) * 10 + d(3), d(4) * 10 + d(5), d(6) * 10 + d(7)};
}

long DayNumber(int year, int month, int day) {
  static constexpr int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  long y = year;
  long n = 365 * y + y / 4 - y / 100 + y / 400;
  if (month >= 1 && month <= 12) n += kBefore[month - 1];
  n += day + 1;
  if (IsLeap(year) && (month == 1 || month == 2)) n -= 1;
  return n;
}

long DaysBetween(const SplitDateParts& a, const SplitDateParts& b) {
  return DayNumber(a.year, a.month, a.day) - DayNumber(b.year, b.month, b.day);
}

std::string NormaliseDate(std::string_view text, std::string_view format, Feedback& feedback,
                          bool& date_error) {
  if (text.size() <= 5 || text == "        ") return std::string(8, ' ');
  int day = 0, month = 0, year = 0;
  char layout = format.empty() ? '\0' : format[0];
  std::size_t pos = 0;
  auto scan = [&](int max_digits) {
    int v = ScanPart(text, &pos, max_digits);
    ++pos;  // one separator, whatever it is
    return v;
  };
  bool known = true;
  switch (layout) {
    case '1':
      day = scan(2), month = scan(2), year = scan(4);
      break;
    case '2':
      month = scan(2), day = scan(2), year = scan(4);
      break;
    case '3':
      year = scan(4), month = scan(2), day = scan(2);
      break;
    case '4':
      day = FixedPart(text, 0, 2), month = FixedPart(text, 2, 4),
      year = FixedPart(text, 4, text.size());
      break;
    case '5':
      month = FixedPart(text, 0, 2), day = FixedPart(text, 2, 4),
      year = FixedPart(text, 4, text.size());
      break;
    case '6':
      year = FixedPart(text, 0, 4), month = FixedPart(text, 4, 6),
      day = FixedPart(text, 6, text.size());
      break;
    default:
      known = false;
      break;
  }
  if (year >= 0 && year <= 9)
    year += 2000;
  else if (year >= 10 && year <= 99)
    year += 1900;
  if (known && day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1000 && year <= 9999) {
    // "%4.4d%2.2d%2.2d" written digit by digit: an import converts millions.
    std::string out(8, '0');
    for (int i = 3, v = year; i >= 0; --i, v /= 10) out[static_cast<std::size_t>(i)] += v % 10;
    out[4] += month / 10, out[5] += month % 10, out[6] += day / 10, out[7] += day % 10;
    return out;
  }
  std::string shown(text);
  feedback.Message(StrFormat("Fecha [%s] erronea %d/%d/%d", shown.c_str(), day, month, year));
  date_error = true;
  return "ERROR";
}

}  // namespace quirovel
