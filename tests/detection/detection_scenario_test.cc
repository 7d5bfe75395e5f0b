// A dozen episodes over three discharge services (one not in the service
// table) and two months, one without discharge date, with errors of ten types:
// the four reports of the run against hand-written bytes.
#include <gtest/gtest.h>

#include <regex>

#include "detection/error_grouping.h"
#include "detection/run_detection.h"
#include "support/detection_fixture.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

Episode At(const std::string& historia, const std::string& service, const std::string& fecalt) {
  return Episode().Set("HISTORIA", historia).Set("SERVALT", service).Set("FECALT", fecalt);
}

std::vector<Episode> ScenarioEpisodes() {
  return {
      At("1001", "70100", "20050310").Set("C2", "ZZZ.1"),
      At("1002", "70440", "20050315").Set("FECING", "20050320"),
      At("1003", "99999", "20050402").Set("SEXO", "7"),
      At("1004", "70100", "20050405").Set("C2", "XX1").Set("C3", "XX2").Set("P1", "99.9X"),
      At("1005", "70100", ""),
      At("1006", "70440", "20050420").Set("TRASH", "28999").Set("TIPALT", "1"),
      At("1007", "70100", "20050301"),
      At("1008", "70440", "20050330").Set("FECNAC", "20050401"),
      At("1009", "99999", "20050311").Set("C3", "850.0"),
      At("1010", "70100", "20050428").Set("FECING", "20050430"),
      At("1011", "70440", "20050405").Set("C2", "QQQ").Set("SEXO", "5"),
      At("1012", "70100", "20050318"),
  };
}

// Catalogue numbers: 7 E61, 12 E84, 13 E91, 20 E122, 24 E181, 25 E201,
// 31 E222, 40 E241, 47 E253, 49 E261.
ErrorScript ScenarioErrors() {
  return {
      {1, {{7, HISTORIA}, {40, C1 + 1}}},
      {2, {{20, FECING}}},
      {3, {{24, SERVALT}, {13, SEXO}}},
      {4, {{40, C1 + 1}, {40, C1 + 2}, {49, P1}}},
      {5, {{25, FECALT}}},
      {6, {{31, TRASH}}},
      {8, {{12, FECNAC}, {7, HISTORIA}}},
      {9, {{24, SERVALT}, {47, C1 + 2}}},
      {10, {{20, FECING}}},
      {11, {{40, C1 + 1}, {13, SEXO}}},
      {12, {{7, HISTORIA}}},
  };
}

class DetectionScenarioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable(ScenarioEpisodes());
    ASSERT_TRUE(f.Run(kMensual, Scripted(ScenarioErrors())));
  }
  DetectionFixture f;
};

TEST_F(DetectionScenarioTest, ErrorsByEpisodeMatchByteForByte) {
  EXPECT_EQ(WithoutTimes(f.Work("errores.txt")), ExpectedReport("errores.txt"));
}

TEST_F(DetectionScenarioTest, SummaryMatchesByteForByte) {
  EXPECT_EQ(WithoutTimes(f.Work("resumen.txt")), ExpectedReport("resumen.txt"));
}

TEST_F(DetectionScenarioTest, GroupingByTypeMatchesByteForByte) {
  EXPECT_EQ(WithoutTimes(f.Work("erragr.txt")), ExpectedReport("erragr.txt"));
}

TEST_F(DetectionScenarioTest, GroupingByServiceMatchesByteForByte) {
  EXPECT_EQ(WithoutTimes(f.Work("erragrserv.txt")), ExpectedReport("erragrserv.txt"));
}

TEST_F(DetectionScenarioTest, RunLeavesCountDateLogAndStatus) {
  ConfigRecord saved = f.SavedConfig();
  EXPECT_EQ(saved.ErrorCount(), 18);
  EXPECT_TRUE(std::regex_match(saved.LastRunDate(), std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d)")))
      << saved.LastRunDate();
  EXPECT_EQ(f.Work("fallos.dat").size(), 19u * 32);
  // The status and the period are put back after the groupings.
  EXPECT_TRUE(std::regex_match(f.feedback().status, std::regex(R"(Errs=18 \(\d+"\) FR=0)")))
      << f.feedback().status;
  EXPECT_EQ(f.feedback().info, "           -> 28/04/2005");
  EXPECT_EQ(f.feedback().record_count, 12);
  EXPECT_TRUE(f.feedback().Texts().empty());
  EXPECT_TRUE(f.session().run.ResultsChangedFlag);
}

TEST_F(DetectionScenarioTest, CountsByTypeComeFromTheLog) {
  std::array<std::int32_t, 72> counts{};
  ASSERT_TRUE(CountErrorsByType(f.session(), &counts));
  std::array<std::int32_t, 72> expected{};
  expected[7] = 3, expected[12] = 1, expected[13] = 2, expected[20] = 2, expected[24] = 2;
  expected[25] = 1, expected[31] = 1, expected[40] = 4, expected[47] = 1, expected[49] = 1;
  EXPECT_EQ(counts, expected);
}

}  // namespace
}  // namespace quirovel::testing

namespace quirovel::testing {
namespace {

// The run with the real checks: two clean episodes around one with an
// impossible sex give one E91 against record 2, and nothing else.
TEST(DetectionWithChecksTest, RealChecksFeedTheReports) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode(), CleanEpisode().Set("SEXO", "4"), CleanEpisode()});
  ASSERT_TRUE(RunDetection(f.session(), kMensual));
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 1);
  const std::string log = f.Work("fallos.dat");
  ASSERT_EQ(log.size(), 64u);
  EXPECT_EQ(log.substr(32, 4), std::string("13\0\0", 4));
  EXPECT_EQ(log.substr(52, 4), std::string("\x02\0\0\0", 4));  // record 2
  EXPECT_EQ(WithoutTimes(f.Work("erragr.txt")),
            "HOSPITAL DE PRUEBAS                                     DD/MM/AAAA HH:MM\r\n"
            "-------------------------------------------------------------------------------\r\n"
            "[C:\\Quirovel\\trabajo\\episodios.dbf]\r\n"
            "\r\n"
            "E91  Sexo incorrecto\r\n"
            "     HISTORIA        ALTA            SEXO \r\n"
            "     --------------------------------------------------------------------------\r\n"
            "     123456       10/03/2005            4 \r\n"
            "     - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -\r\n"
            "     Total errores E91  Sexo incorrecto=1\r\n"
            "\r\n"
            "\r\n"
            "\r\n"
            " TOTAL Errores procesados = 1\r\n");
  EXPECT_NE(f.Work("resumen.txt")
                .find("\r\nE91  Sexo incorrecto                                     1\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace quirovel::testing
