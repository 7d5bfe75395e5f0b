// The code patterns of the diagnosis and procedure search: the search text
// read into at most 250 entries (single codes, prefixes with "*", ranges with
// "-"), and the test of one code field against one entry.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quirovel {

inline constexpr int kMaxCodePatterns = 250;
inline constexpr std::size_t kPatternBoundSize = 6;

struct CodePattern {
  std::array<char, kPatternBoundSize> low{};   // blank-padded
  std::array<char, kPatternBoundSize> high{};  // blank-padded
  float low_value = 0;
  float high_value = 0;
  bool numeric = true;  // compared by value
  bool range = false;   // has a high bound
  bool procedure = false;
  int low_length = 0;  // characters stored in each bound
  int high_length = 0;
  bool low_wildcard = false;  // the bound ended with "*"
  bool high_wildcard = false;
  std::int32_t frequency = 0;  // code fields that matched
  bool pending = false;        // not yet matched in the episode being tested
  std::int32_t episodes = 0;   // episodes in which it matched

  std::string_view LowText() const { return {low.data(), low.size()}; }
  std::string_view HighText() const { return {high.data(), high.size()}; }
  // A bound as the pattern table and the reports show it: the six characters,
  // or the stored ones followed by "*" when the bound had a wildcard.
  std::string LowShown() const;
  std::string HighShown() const;
  // "Error intervalo": a range with one value 0 and the other not, or a
  // procedure range whose high bound is not a procedure code or has a wildcard.
  bool BadRange() const;
};

// The entries numbered from 0; empty when the text holds no pattern.
using PatternList = std::vector<CodePattern>;

// Reads the search text (line ends already removed, or removed here).
PatternList ParsePatterns(std::string_view text);

// The leading decimal number of a text, as a float; 0 when it does not start
// with one. Only decimal digits, a point and an exponent are read.
float LeadingNumber(std::string_view text);

// Third character "." or " " and first neither "E" nor "V": the form of a
// procedure code ("47.0", "47").
bool HasProcedureForm(std::string_view code);

// One row of the pattern table: "Rango", "Desde", "Hasta", "Frecuencia",
// "Episodios", "Observaciones".
struct PatternTableRow {
  std::string number, low, high, frequency, episodes, remarks;
};
PatternTableRow PatternRow(int index, const CodePattern& p);

// How a code field matched a pattern; kNone when it did not.
enum class CodeMatch { kNone, kMatch, kMatchWithSpace };

// The test of one code field's raw text against one pattern. `value` is
// LeadingNumber(code), computed once per field; `procedure_field` is true for
// P1 to P15, whose text is compared with one blank appended.
CodeMatch MatchCode(const CodePattern& p, std::string_view code, float value, bool procedure_field);

}  // namespace quirovel
