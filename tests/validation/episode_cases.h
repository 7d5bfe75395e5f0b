// Table-driven episode checks: each case changes some fields of a base
// episode, runs the check and names the errors it must raise, in order. A case
// may also give, laid out by hand, the 32 bytes of the entry of one of those
// errors and its line in "errores.txt".
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "support/check_fixture.h"
#include "support/dbf_builder.h"

namespace quirovel::testing {

// "FIELD=value;FIELD=value": the values keep their blanks.
inline Episode With(Episode e, const std::string& changes) {
  for (std::size_t at = 0; at < changes.size();) {
    std::size_t end = changes.find(';', at);
    if (end == std::string::npos) end = changes.size();
    const std::string pair = changes.substr(at, end - at);
    const std::size_t eq = pair.find('=');
    e.Set(pair.substr(0, eq), pair.substr(eq + 1));
    at = end + 1;
  }
  return e;
}

struct EpisodeCase {
  std::string changes;
  // Every error raised, in order: catalogue numbers ("3 8 19") or
  // number:field pairs ("43:20 41:21"), not mixed.
  std::string errors;
  std::string entry = {};  // the entry of the error numbered in its first two bytes
  // That entry's line in UTF-8 without its CR LF; a line starting with "E"
  // follows the history and discharge date of the base episode (kMonthly or kCmaDay).
  std::string line = {};
};

// The 32 bytes of an entry: number as "%2d", own field, two related fields,
// the unused slot, the record, a blank, the not-in-version mark.
inline std::string Entry(int number, std::uint32_t own, std::uint32_t related1 = 0,
                         std::uint32_t related2 = 0, std::uint32_t mark = 0,
                         std::uint32_t record = 1) {
  std::string b(32, '\0');
  b[0] = number < 10 ? ' ' : static_cast<char>('0' + number / 10);
  b[1] = static_cast<char>('0' + number % 10);
  PutLe32(&b, 4, own);
  PutLe32(&b, 8, related1);
  PutLe32(&b, 12, related2);
  PutLe32(&b, 20, record);
  b[24] = ' ';
  PutLe32(&b, 28, mark);
  return b;
}

// History "123456" in a field of 12, then the discharge date of the clean
// episode (10/03/2005) or of the CMA one (01/03/2005).
inline const std::string kMonthly = "123456       10/03/2005 ";
inline const std::string kCmaDay = "123456       01/03/2005 ";

inline void ExpectCases(CheckFixture& fixture, const Episode& base,
                        const std::vector<EpisodeCase>& cases, int type = kMensual) {
  for (const EpisodeCase& c : cases) {
    SCOPED_TRACE(c.changes);
    CheckResult r = fixture.CheckEpisode(With(base, c.changes), type);
    std::string got;
    for (std::string t : r.ErrorsWithFields()) {
      if (c.errors.find(':') == std::string::npos) t.resize(t.find(':'));
      got += (got.empty() ? "" : " ") + t;
    }
    EXPECT_EQ(got, c.errors);
    if (c.entry.empty() || got != c.errors) continue;
    std::size_t i = 0;
    while (r.entries[i].error != std::stoi(c.entry.substr(0, 2))) ++i;
    EXPECT_EQ(r.raw[i], c.entry);
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < r.errores.size(); at = end + 2) {
      end = r.errores.find("\r\n", at);
      ASSERT_NE(end, std::string::npos) << "a line without its CR LF";
      lines.push_back(r.errores.substr(at, end - at));
    }
    ASSERT_EQ(lines.size(), r.entries.size());
    const std::string prefix = c.line[0] != 'E' ? "" : type == kCma ? kCmaDay : kMonthly;
    EXPECT_EQ(Cp1252ToUtf8(lines[i]), prefix + c.line);
  }
}

}  // namespace quirovel::testing
