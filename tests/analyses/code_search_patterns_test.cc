// The search text read into patterns, and one code against one pattern, with
// the cases written by hand from the syntax.
#include "analyses/code_search_patterns.h"

#include <gtest/gtest.h>

namespace quirovel {
namespace {

// A pattern as: low|high, then flags n(umeric) r(ange) p(rocedure) w (low
// wildcard) W (high wildcard), then the stored lengths.
std::string Describe(const CodePattern& p) {
  std::string flags;
  if (p.numeric) flags += 'n';
  if (p.range) flags += 'r';
  if (p.procedure) flags += 'p';
  if (p.low_wildcard) flags += 'w';
  if (p.high_wildcard) flags += 'W';
  if (flags.empty()) flags = "-";
  return std::string(p.LowText()) + "|" + std::string(p.HighText()) + " " + flags + " " +
         std::to_string(p.low_length) + "," + std::to_string(p.high_length);
}

std::vector<std::string> Parsed(const std::string& text) {
  std::vector<std::string> out;
  for (const CodePattern& p : ParsePatterns(text)) out.push_back(Describe(p));
  return out;
}

TEST(ParsePatterns, EachCharacterClass) {
  struct Case {
    const char* text;
    std::vector<std::string> patterns;
  };
  const Case cases[] = {
      // The dialog's example: exact diagnosis, prefix, procedure range, prefix range.
      {"652.6,  65*,  37.2  -  37.99,  6*  -  7*",
       {"652.6 |       n 5,0", "65    |       w 2,0", "37.2  |37.99  nrp 4,5",
        "6     |7      rwW 1,1"}},
      {"$100-200", {"100   |200    r 3,3"}},  // "$" makes it text
      {"1$00", {"100   |       - 3,0"}},      // anywhere in the pattern
      {"e80.a", {"e80.a |       - 5,0"}},     // letters keep their case
      {"123456", {"123456|       n 6,0"}},    // six characters
      {"1234567", {"123456|       n 6,0"}},   // the seventh is ignored
      {"47.0", {"47.0  |       np 4,0"}},     // procedure form
      {"47", {"47    |       np 2,0"}},       // third character blank
      {"E80.1", {"E80.1 |       - 5,0"}},     // E is never a procedure
      {"V3 .1", {"V3.1  |       - 4,0"}},     // blanks are skipped
      {"100-E800", {"100   |E800   r 3,4"}},  // high value 0: text
      {"100-0", {"100   |0      r 3,1"}},     // high value 0: text
      {"E800-E899", {"E800  |E899   r 4,4"}},
      {"486,,250", {"486   |       n 3,0", "      |       - 0,0", "250   |       n 3,0"}},
      {"486,", {"486   |       n 3,0"}},  // a trailing comma: no pattern
      {"486\r\n,250\n", {"486   |       n 3,0", "250   |       n 3,0"}},
      {"*", {"      |       w 0,0"}},        // a lone asterisk stays
      {"1-2-3", {"1     |3      nrp 1,1"}},  // a second "-" restarts the high bound
      {"", {}},
      {"hola, abc", {}},  // no digit, E, V or *
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.patterns) << c.text;
}

TEST(ParsePatterns, AtMost249PatternsAreRead) {
  std::string text = "1";
  for (int i = 1; i < 249; ++i) text += ",1";
  EXPECT_EQ(ParsePatterns(text).size(), 249u);
  EXPECT_EQ(ParsePatterns(text + ",2").size(), 249u);  // the 250th is not read
  EXPECT_EQ(ParsePatterns(text + ",2,3,4").size(), 249u);
}

TEST(ParsePatterns, TableRowsShowWildcardsAndRemarks) {
  const PatternList list = ParsePatterns("37.2-37.99, 37.2-378, E800-100, 6*-7*, 652.6");
  ASSERT_EQ(list.size(), 5u);
  const PatternTableRow procedure = PatternRow(0, list[0]);
  EXPECT_EQ(procedure.number, "0");
  EXPECT_EQ(procedure.remarks, "Procedimiento");
  EXPECT_EQ(procedure.frequency, "     0");
  EXPECT_EQ(PatternRow(1, list[1]).remarks, "Error intervalo");  // high bound not a procedure
  EXPECT_EQ(PatternRow(2, list[2]).remarks, "Error intervalo");  // one value 0
  const PatternTableRow prefixes = PatternRow(3, list[3]);
  EXPECT_EQ(prefixes.low, "6*");
  EXPECT_EQ(prefixes.high, "7*");
  EXPECT_EQ(prefixes.remarks, "");
  EXPECT_EQ(PatternRow(4, list[4]).low, "652.6 ");
}

// The code against the only pattern of a text; C for a diagnosis field, P
// for a procedure field.
std::string Match(const std::string& pattern, const std::string& code, char field) {
  const PatternList list = ParsePatterns(pattern);
  const CodeMatch m = MatchCode(list.at(0), code, LeadingNumber(code), field == 'P');
  return m == CodeMatch::kNone ? "-" : (m == CodeMatch::kMatch ? "+" : "+ ");
}

TEST(MatchCode, FiveCases) {
  struct Case {
    const char* pattern;
    const char* code;
    char field;
    const char* result;
  };
  const Case cases[] = {
      // Numeric range: by value, procedures only for a procedure pattern.
      {"37.2-37.99", "37.21", 'P', "+"},
      {"37.2-37.99", "38.0 ", 'P', "-"},
      {"100-200", "150.1 ", 'C', "+"},
      {"1-200", "47.0 ", 'P', "+"},    // low bound "1     " has procedure form
      {"100-200", "15.2 ", 'P', "-"},  // not a procedure pattern
      {"001-999", "47.0 ", 'P', "-"},
      {"001-999", "E800.0", 'C', "-"},  // value 0
      // Text range: character order, wildcards on their stored characters.
      {"$100-200", "15.2 ", 'P', "+"},
      {"$100-200", "E800  ", 'C', "-"},
      {"6*-7*", "652.6 ", 'C', "+"},
      {"6*-7*", "80.1 ", 'P', "-"},
      {"6*-7*", "V30   ", 'C', "-"},
      {"E800-E899", "E812.0", 'C', "+"},
      {"E800-E899", "E899.1", 'C', "-"},  // above "E899  "
      {"V*-V3*", "V30.00", 'C', "+"},
      // Numeric single code: value and text, a procedure field with one blank more.
      {"652.6", "652.6 ", 'C', "+"},
      {"652.6", "652.60", 'C', "-"},  // the same value, another text
      {"47.0", "47.0 ", 'P', "+ "},
      {"47.0", "47.00", 'P', "-"},
      // Text single code with wildcard.
      {"65*", "652.6 ", 'C', "+"},
      {"65*", "65.01", 'P', "+"},
      {"65*", "6     ", 'C', "-"},
      {"E8*", "E812.0", 'C', "+"},
      {"*", "E800.0", 'C', "+"},
      {"*", "      ", 'C', "-"},  // an empty field matches nothing
      {"*", "", 'C', "-"},        // nor one filled with zeros
      // Text single code without wildcard: the six characters exactly.
      {"E800.0", "E800.0", 'C', "+"},
      {"V30", "V30   ", 'C', "+"},
      {"V30", "V30.00", 'C', "-"},
      {"$47.0", "47.0 ", 'P', "-"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Match(c.pattern, c.code, c.field), c.result)
        << c.pattern << " against '" << c.code << "'";
}

}  // namespace
}  // namespace quirovel
