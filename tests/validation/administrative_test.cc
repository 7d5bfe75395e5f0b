// The per-episode check on whole episodes: the clean episodes of the test
// installation pass, and the order of the steps shows in the order of the
// entries.
#include <gtest/gtest.h>

#include "support/check_fixture.h"

namespace quirovel::testing {
namespace {

TEST(AdministrativeTest, CleanEpisodesRaiseNothing) {
  CheckFixture f;
  EXPECT_EQ(f.CheckEpisode(CleanEpisode(), kMensual).ErrorsWithFields(), std::vector<std::string>{});
  EXPECT_EQ(f.CheckEpisode(CleanEpisode(), kTrimestral).ErrorsWithFields(), std::vector<std::string>{});
  EXPECT_EQ(f.CheckEpisode(CleanCmaEpisode(), kCma).ErrorsWithFields(), std::vector<std::string>{});
}

TEST(AdministrativeTest, SmokeSexo) {
  CheckFixture f;
  CheckResult r = f.CheckEpisode(CleanEpisode().Set("SEXO", "4"));
  EXPECT_EQ(r.ErrorsWithFields(), std::vector<std::string>{"13:8"});
  EXPECT_EQ(r.errores, "123456       10/03/2005 E91  Sexo incorrecto SEXO=     4 \r\n");
  EXPECT_EQ(r.status, "1:1");
}

}  // namespace
}  // namespace quirovel::testing
