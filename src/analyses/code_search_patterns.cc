#include "analyses/code_search_patterns.h"

#include <cmath>

#include "platform/format.h"

namespace quirovel {
namespace {

std::string Shown(const std::array<char, kPatternBoundSize>& bound, int length, bool wildcard) {
  if (!wildcard) return std::string(bound.data(), bound.size());
  return std::string(bound.data(), static_cast<std::size_t>(length)) + "*";
}

// The code against one bound: all six characters, or only the stored ones
// of a bound that had a wildcard, compared as character codes.
int CompareWithBound(std::string_view code, std::string_view bound, int length, bool wildcard) {
  if (!wildcard) return code.compare(bound);
  const auto n = static_cast<std::size_t>(length);
  return code.substr(0, n).compare(bound.substr(0, n));
}

}  // namespace

std::string CodePattern::LowShown() const { return Shown(low, low_length, low_wildcard); }
std::string CodePattern::HighShown() const { return Shown(high, high_length, high_wildcard); }

bool CodePattern::BadRange() const {
  if (!range) return false;
  if ((low_value == 0) != (high_value == 0)) return true;
  return procedure && (!HasProcedureForm(HighText()) || high_wildcard);
}

float LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) sign = text[i++] == '-' ? -1 : 1;
  auto digit = [&](std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
  };
  double value = 0;
  bool any = false;
  for (; digit(i); ++i, any = true) value = value * 10 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; digit(i); ++i, any = true, scale /= 10) value += (text[i] - '0') * scale;
  }
  if (!any) return 0;
  // An exponent counts only when digits follow it, as a C library reads it.
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    int exponent_sign = 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
      exponent_sign = text[j++] == '-' ? -1 : 1;
    if (digit(j)) {
      int exponent = 0;
      for (; digit(j); ++j)
        if (exponent < 100) exponent = exponent * 10 + (text[j] - '0');
      value *= std::pow(10.0, exponent_sign * exponent);
    }
  }
  return static_cast<float>(sign * value);
}

bool HasProcedureForm(std::string_view code) {
  return code.size() > 2 && (code[2] == '.' || code[2] == ' ') && code[0] != 'E' && code[0] != 'V';
}

PatternList ParsePatterns(std::string_view raw) {
  std::string text;
  text.reserve(raw.size());
  for (char c : raw)
    if (c != '\r' && c != '\n') text.push_back(c);
  if (text.find_first_of("0123456789EV*") == std::string::npos) return {};

  PatternList list(kMaxCodePatterns);
  for (CodePattern& p : list) {
    p.low.fill(' ');
    p.high.fill(' ');
  }
  std::size_t current = 0;
  bool in_high = false;
  std::size_t position = 0;
  for (char c : text) {
    if (current >= kMaxCodePatterns - 1) break;
    CodePattern& p = list[current];
    switch (c) {
      case ' ':
        break;
      case '$':
        p.numeric = false;
        break;
      case '*':
        p.numeric = false;
        (in_high ? p.high_wildcard : p.low_wildcard) = true;
        break;
      case ',':
        ++current;
        in_high = false;
        position = 0;
        break;
      case '-':
        p.range = true;
        in_high = true;
        position = 0;
        break;
      default:
        if (position < kPatternBoundSize) {
          (in_high ? p.high : p.low)[position] = c;
          (in_high ? p.high_length : p.low_length) = static_cast<int>(position + 1);
          ++position;
        }
        break;
    }
  }
  list.resize(current + 1);
  for (CodePattern& p : list) {
    p.low_value = LeadingNumber(p.LowText());
    p.high_value = LeadingNumber(p.HighText());
    if (p.low_value == 0) p.numeric = false;
    if (p.low_value != 0 && p.high_value == 0 && p.range) p.numeric = false;
    if (HasProcedureForm(p.LowText()) && !p.low_wildcard && p.numeric) p.procedure = true;
  }
  const CodePattern& last = list.back();
  if (last.LowText() == std::string_view("      ") && !last.low_wildcard) list.pop_back();
  return list;
}

PatternTableRow PatternRow(int index, const CodePattern& p) {
  PatternTableRow row;
  row.number = StrFormat("%d", index);
  row.low = p.LowShown();
  row.high = p.HighShown();
  row.frequency = StrFormat("%6d", p.frequency);
  row.episodes = StrFormat("%6d", p.episodes);
  if (p.procedure) row.remarks = "Procedimiento";
  if (p.BadRange()) row.remarks = "Error intervalo";
  return row;
}

CodeMatch MatchCode(const CodePattern& p, std::string_view code, float value,
                    bool procedure_field) {
  // An empty code field, blank or filled with zeros, matches nothing.
  if (code.empty() || code[0] == ' ') return CodeMatch::kNone;
  if (p.range) {
    if (p.numeric)
      return p.low_value <= value && value <= p.high_value && HasProcedureForm(code) == p.procedure
                 ? CodeMatch::kMatch
                 : CodeMatch::kNone;
    return CompareWithBound(code, p.LowText(), p.low_length, p.low_wildcard) >= 0 &&
                   CompareWithBound(code, p.HighText(), p.high_length, p.high_wildcard) <= 0
               ? CodeMatch::kMatch
               : CodeMatch::kNone;
  }
  if (p.numeric) {
    if (value != p.low_value) return CodeMatch::kNone;
    if (!procedure_field) return code == p.LowText() ? CodeMatch::kMatch : CodeMatch::kNone;
    // The procedure field's five characters and one blank against the six.
    const std::string_view bound = p.LowText();
    return code.size() + 1 == bound.size() && bound.substr(0, code.size()) == code &&
                   bound.back() == ' '
               ? CodeMatch::kMatchWithSpace
               : CodeMatch::kNone;
  }
  if (p.low_wildcard)
    return CompareWithBound(code, p.LowText(), p.low_length, true) == 0 ? CodeMatch::kMatch
                                                                        : CodeMatch::kNone;
  return code == p.LowText() ? CodeMatch::kMatch : CodeMatch::kNone;
}

}  // namespace quirovel
