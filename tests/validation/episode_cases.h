// Table-driven episode checks: each case changes some fields of a base
// episode, runs the check under a test type and names the errors it must
// raise, in order. A case may also give, laid out by hand, the 32 bytes of the
// entry of one of those errors and its whole line in "errores.txt".
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "support/check_fixture.h"
#include "support/dbf_builder.h"

namespace quirovel::testing {

using Values = std::vector<std::pair<std::string, std::string>>;

inline Episode With(Episode e, const Values& values) {
  for (const auto& [field, value] : values) e.Set(field, value);
  return e;
}

struct EpisodeCase {
  const char* name;
  Values changes;
  // Every error raised, in order, separated by blanks: catalogue numbers
  // ("3 8 19") or number:field pairs ("43:20 41:21"), not mixed.
  std::string errors;
  int type = kMensual;
  std::string entry = {};  // the entry of the error numbered in its first two bytes
  std::string line = {};   // that entry's line, CR LF included
};

// The 32 bytes of an entry of record 1: number as "%2d", own field, two
// related fields, the unused slot, the record, a blank, the not-in-version mark.
inline std::string Entry(const char* number, std::uint32_t own, std::uint32_t related1 = 0,
                         std::uint32_t related2 = 0, std::uint32_t mark = 0) {
  std::string b(32, '\0');
  b[0] = number[0];
  b[1] = number[1];
  PutLe32(&b, 4, own);
  PutLe32(&b, 8, related1);
  PutLe32(&b, 12, related2);
  PutLe32(&b, 20, 1);
  b[24] = ' ';
  PutLe32(&b, 28, mark);
  return b;
}

// The start of the lines of the clean episodes: history "123456" in a field of
// 12, then the discharge date (10/03/2005, or 01/03/2005 for the CMA one).
inline const std::string kMonthly = "123456       10/03/2005 ";
inline const std::string kCmaDay = "123456       01/03/2005 ";

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    end = end == std::string::npos ? text.size() : end + 2;
    out.push_back(text.substr(at, end - at));
    at = end;
  }
  return out;
}

inline void ExpectCases(CheckFixture& fixture, const Episode& base,
                        const std::vector<EpisodeCase>& cases) {
  for (const EpisodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    CheckResult r = fixture.CheckEpisode(With(base, c.changes), c.type);
    std::vector<std::string> tokens = r.ErrorsWithFields();
    if (c.errors.find(':') == std::string::npos)
      for (std::string& t : tokens) t.resize(t.find(':'));
    std::string got;
    for (const std::string& t : tokens) got += (got.empty() ? "" : " ") + t;
    EXPECT_EQ(got, c.errors);
    if (c.entry.empty() || got != c.errors) continue;
    const int target = std::stoi(c.entry.substr(0, 2));
    std::size_t i = 0;
    while (i < r.entries.size() && r.entries[i].error != target) ++i;
    ASSERT_LT(i, r.entries.size());
    EXPECT_EQ(r.raw[i], c.entry);
    const std::vector<std::string> lines = Lines(r.errores);
    ASSERT_EQ(lines.size(), r.entries.size());
    EXPECT_EQ(Cp1252ToUtf8(lines[i]), Cp1252ToUtf8(c.line));
  }
}

}  // namespace quirovel::testing
