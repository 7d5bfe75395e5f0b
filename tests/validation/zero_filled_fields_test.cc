// A text field ends at its first zero byte: a field filled with zeros is the
// empty text for every check, not five or six characters that match nothing.
#include <gtest/gtest.h>

#include <string>

#include "support/check_fixture.h"

namespace quirovel::testing {
namespace {

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }

struct ZeroCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> fields;
  std::vector<std::string> expected;  // "error:field", in order
};

TEST(ZeroFilledFieldsTest, ChecksReadTheTextUpToItsFirstZeroByte) {
  const ZeroCase cases[] = {
      // The empty service occurs in the neonatal list: E181, no E235 (770.0
      // is not in the test catalogue, hence E231).
      {"perinatal, service all zeros",
       {{"C1", "770.0"}, {"SERVALT", Zeros(5)}},
       {"33:19", "24:15"}},
      {"perinatal, service cut by a zero",
       {{"C1", "770.0"}, {"SERVALT", std::string("704\0\0", 5)}},
       {"33:19", "24:15"}},
      // "123" is a valid history once the zeros are gone.
      {"history with trailing zeros", {{"HISTORIA", std::string("123\0\0\0", 6)}}, {}},
      // An empty discharge date sorts before any other: E122, E84 and E201.
      {"discharge date all zeros", {{"FECALT", Zeros(8)}}, {"20:12", "12:7", "25:16"}},
      // The admission service is as empty as a blank one.
      {"admission service all zeros", {{"SERVING", Zeros(5)}}, {"23:14"}},
  };
  for (const ZeroCase& c : cases) {
    SCOPED_TRACE(c.name);
    CheckFixture f;
    Episode e = CleanEpisode();
    for (const auto& [name, value] : c.fields) e.Set(name, value);
    EXPECT_EQ(f.CheckEpisode(e).ErrorsWithFields(), c.expected);
  }
}

}  // namespace
}  // namespace quirovel::testing
