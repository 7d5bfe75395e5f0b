// The readmission analysis on small hand-made files: every report compared
// byte for byte with what the formats give for the episodes by hand.
#include "analyses/readmissions.h"

#include <gtest/gtest.h>

#include "analyses/readmissions_report_text.h"
#include "platform/cp1252.h"
#include "support/dbf_builder.h"
#include "support/detection_fixture.h"

namespace quirovel::testing {
namespace {

const std::string& kHeading = kAnalysisHeading;
const std::string kColumns =
    "     HISTORIA Servicio                 C1    Ingreso        Alta   Ingreso        Alta "
    "dias/Coment.";
const std::string kColumnsRule =
    "============= ==================== ======== ========    ========  ========    ======== "
    "=================";
const std::string kAssistance = Lines({"", "", "Historia  Historia  Numero de asistencia",
                                       "========= ========= ====================="});
const std::string kMonths =
    "Servicio              ENE  FEB  MAR  ABR  MAY  JUN  JUL  AGO  SEP  OCT  NOV  DIC Reingresos";
const std::string kMonthsRule =
    "-------------------- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ----------";
const std::string kTitleRule = std::string(91, '-');

Episode Stay(const std::string& historia, const std::string& in, const std::string& out,
             const std::string& c1, const std::string& servalt, const std::string& tiping,
             const std::string& asistenc) {
  return Episode()
      .Set("HISTORIA", historia)
      .Set("FECING", in)
      .Set("FECALT", out)
      .Set("C1", c1)
      .Set("SERVALT", servalt)
      .Set("TIPING", tiping)
      .Set("ASISTENC", asistenc);
}

// Histories of several episodes: a not programmed readmission and one beyond
// the limit (100); a duplicate that is also a readmission and an overlap
// (200); a blank C1 before and TIPING 3 on a repeated ASISTENC (300); an
// episode outside the period, a readmission exactly at the limit and one a
// day beyond, a blank ASISTENC three times (400); a service in no slot (500).
std::vector<Episode> Scenario() {
  return {Stay("100", "20050301", "20050310", "486", "70100", "2", "0000001"),
          Stay("100", "20050320", "20050325", "486", "70100", "1", "0000002"),
          Stay("100", "20050601", "20050605", "486", "70440", "2", "0000003"),
          Stay("200", "20050401", "20050410", "250.00", "70440", "2", "0000004"),
          Stay("200", "20050405", "20050410", "250.00", "70440", "2", "0000004"),
          Stay("300", "20050501", "20050505", "", "70100", "3", "0000006"),
          Stay("300", "20050507", "20050509", "", "70100", "3", "0000006"),
          Stay("400", "20041220", "20041228", "486", "70100", "2", "0000001"),
          Stay("400", "20050105", "20050110", "486", "70100", "2", ""),
          Stay("400", "20050209", "20050215", "486", "70552", "2", ""),
          Stay("400", "20050318", "20050320", "486", "70552", "2", ""),
          Stay("500", "20050701", "20050702", "486", "99999", "2", "0000012"),
          Stay("500", "20050702", "20050703", "486", "99999", "2", "0000013")};
}

ReadmissionsRequest Request(const std::string& from, const std::string& to, int days = 30,
                            ReadmissionMode mode = ReadmissionMode::kSameC1) {
  ReadmissionsRequest r;
  r.mode = mode;
  r.period = PeriodOf(from, to);
  r.days = days;
  r.today = "20070101";
  return r;
}

TEST(ReadmissionsTest, ScenarioReportsEveryCaseOnce) {
  DetectionFixture f;
  f.WriteTable(Scenario());
  const ReadmissionsResult r = FindReadmissions(f.session(), Request("20050101", "20051231"));
  ASSERT_TRUE(r.completed);
  EXPECT_TRUE(f.feedback().messages.empty());
  EXPECT_EQ(r.result_text,
            "Duplicadas:      1 +       3 n\xFAmeros de asistencia duplicados,      Reingresos:    "
            "  4 en   30 dias, de los cuales 1 son no programados. Solapamiento de fechas:     1");
  EXPECT_EQ(
      WithoutTimes(f.Work("reingr.txt")),
      kHeading +
          Lines({"Reingresos periodo: 20050101 -> 20051231 [20041220 -> 20050702]  en 30 dias", "",
                 kColumns, kColumnsRule,
                 "100          MEDICINA INTERNA       486    20050301 -> 20050310, 20050320 -> "
                 "20050325     10 * No Prog",
                 "200          PEDIATRIA                     20050401 -> 20050410, 20050405 -> "
                 "20050410 Duplicada",
                 "200          PEDIATRIA              250.00 20050401 -> 20050410, 20050405 -> "
                 "20050410      5",
                 "200          PEDIATRIA                     20050401 -> 20050410, 20050405 -> "
                 "20050410 Solapamiento",
                 "400          OBSTETRICIA            486    20050105 -> 20050110, 20050209 -> "
                 "20050215     30",
                 "500          Error                  486    20050701 -> 20050702, 20050702 -> "
                 "20050703      0"}) +
          kAssistance +
          Lines({"400           400                     ", "400           400                     ",
                 "200           200              0000004",
                 "-----------------------------------------", "",
                 "Total duplicadas   =     1 +     3 N\xBA asist",
                 "Total reingresos   =     4 en 30 dias, de los cuales 1 son no programados",
                 "Total solapamientos=     1"}));
  const std::string blank5 = "     ";
  EXPECT_EQ(
      WithoutTimes(f.Work("reingrserv.txt")),
      kHeading +
          Lines({"", "REINGRESOS POR SERVICIO", kTitleRule, "", kMonths, kMonthsRule,
                 "MEDICINA INTERNA                  1" + std::string(45, ' ') + "       1",
                 "PEDIATRIA                              1" + std::string(40, ' ') + "       1",
                 "OBSTETRICIA                  1" + std::string(50, ' ') + "       1", kMonthsRule,
                 std::string(25, ' ') + "    1    1    1" + std::string(40, ' ') + "       3"}));
  EXPECT_EQ(
      WithoutTimes(f.Work("reingrservnoprog.txt")),
      kHeading +
          Lines({"", "REINGRESOS POR SERVICIO NO PROGRAMADOS", kTitleRule, "", kMonths, kMonthsRule,
                 "MEDICINA INTERNA                  1" + std::string(45, ' ') + "       1",
                 "PEDIATRIA           " + std::string(60, ' ') + "       0",
                 "OBSTETRICIA         " + std::string(60, ' ') + "       0", kMonthsRule,
                 std::string(30, ' ') + "    1" + std::string(45, ' ') + "       1"}));
  // temp.dat holds the second pass: the ASISTENC keys in selection order
  // with the record numbers (record 8 lies outside the period).
  const std::string temp = f.Work("temp.dat");
  ASSERT_EQ(temp.size(), 12u * 32);
  EXPECT_EQ(temp.substr(0, 32), "0000001" + std::string(21, '\0') + std::string("\1\0\0\0", 4));
  EXPECT_EQ(temp.substr(8 * 32, 32),
            "       " + std::string(21, '\0') + std::string("\12\0\0\0", 4));

  // n = 0: only the readmission on the day of the previous discharge.
  const ReadmissionsResult zero = FindReadmissions(f.session(), Request("20050101", "20051231", 0));
  EXPECT_EQ(zero.readmissions, 1);
  EXPECT_EQ(zero.not_programmed, 0);
  EXPECT_EQ(zero.duplicates, 1);
}

TEST(ReadmissionsTest, EmptyPeriodWritesHeadingsAndZeroTotals) {
  DetectionFixture f;
  f.WriteTable(Scenario());
  const ReadmissionsResult r = FindReadmissions(f.session(), Request("20080101", "20071231"));
  ASSERT_TRUE(r.completed);
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>({"Rango de fechas incorrecto", "Fecha hasta incorrecta"}));
  EXPECT_EQ(WithoutTimes(f.Work("reingr.txt")),
            kHeading +
                Lines({"Reingresos periodo: 20080101 -> 20071231 [20041220 -> 20050702]  en 30 "
                       "dias",
                       "", kColumns, kColumnsRule}) +
                kAssistance +
                Lines({"-----------------------------------------", "",
                       "Total duplicadas   =     0 +     0 N\xBA asist",
                       "Total reingresos   =     0 en 30 dias, de los cuales 0 son no programados",
                       "Total solapamientos=     0"}));
  EXPECT_EQ(WithoutTimes(f.Work("reingrserv.txt")),
            kHeading + Lines({"", "REINGRESOS POR SERVICIO", kTitleRule, "", kMonths, kMonthsRule,
                              kMonthsRule, std::string(80, ' ') + "       0"}));
}

TEST(ReadmissionsTest, TableWithoutHistoriaAndServaltByService) {
  DetectionFixture f;
  f.WriteTable({Stay("", "20050101", "20050105", "486", "", "1", "0000001"),
                Stay("", "20050103", "20050105", "486", "", "1", "0000002"),
                Stay("", "20050110", "20050112", "486", "", "1", "0000002")},
               {"FECING#D8", "FECALT#D8", "C1#C6", "TIPING#N1", "ASISTENC#C7"});
  const ReadmissionsResult r = FindReadmissions(
      f.session(), Request("20050101", "20051231", 30, ReadmissionMode::kSameService));
  ASSERT_TRUE(r.completed);
  // One history (" "), no service: a duplicate and an overlap, no
  // readmission (a blank SERVALT before), one repeated assistance number.
  EXPECT_EQ(
      WithoutTimes(f.Work("reingr.txt")),
      kHeading +
          Lines({"Reingresos periodo: 20050101 -> 20051231 [20050101 -> 20050110]  en 30 "
                 "dias",
                 "", kColumns, kColumnsRule,
                 std::string(30, ' ') +
                     "          20050101 -> 20050105, 20050103 -> 20050105 Duplicada",
                 std::string(30, ' ') +
                     "          20050101 -> 20050105, 20050103 -> 20050105 Solapamiento"}) +
          kAssistance +
          Lines({std::string(25, ' ') + "0000002", "-----------------------------------------", "",
                 "Total duplicadas   =     1 +     1 N\xBA asist",
                 "Total reingresos   =     0 en 30 dias, de los cuales 0 son no programados",
                 "Total solapamientos=     1"}));
}

TEST(ReadmissionsTest, LimitsAreSaidAndKept) {
  DetectionFixture f;
  // 101 episodes of one history, then 30000 of as many others: the list of
  // the first is given up, each selection stops at the 30001st episode.
  std::vector<Episode> episodes(101, Stay("7", "20050101", "20050102", "486", "70100", "2", "1"));
  for (int i = 0; i < 30000; ++i) {
    const std::string n = std::to_string(100000 + i);
    episodes.push_back(Stay(n, "20050101", "20050102", "486", "70100", "2", n));
  }
  f.WriteTable(episodes, {"HISTORIA#C12", "FECING#D8", "FECALT#D8", "C1#C6", "SERVALT#C5",
                          "TIPING#N1", "ASISTENC#C7"});
  const ReadmissionsResult r = FindReadmissions(f.session(), Request("20050101", "20051231"));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>({"Demasiados registros",
                                                            "La historia 7" + std::string(11, ' ') +
                                                                " tiene demasiados episodios",
                                                            "Demasiados registros"}));
  EXPECT_EQ(f.Work("temp.dat").size(), 30001u * 32);
  EXPECT_EQ(r.duplicates, 100);
  EXPECT_EQ(r.readmissions, 100);
  EXPECT_EQ(r.overlaps, 0);
  EXPECT_EQ(r.repeated_assistance, 100);
}

TEST(ReadmissionsTest, FailuresLeaveTheLastReports) {
  DetectionFixture f;
  f.WriteTable(Scenario());
  ASSERT_TRUE(FindReadmissions(f.session(), Request("20050101", "20051231")).completed);
  const std::string before = f.Work("reingr.txt");
  f.feedback().Clear();
  f.fs().KeepFaultsTo("temp.dat");
  f.fs().FailOpensOf("temp.dat");
  EXPECT_FALSE(FindReadmissions(f.session(), Request("20050101", "20051231")).completed);
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>({"error al abrir temp.dat"}));
  EXPECT_EQ(f.Work("reingr.txt"), before);
  // A stop: nothing replaced.
  f.fs().Heal();
  f.feedback().Clear();
  f.feedback().RequestStop();
  const ReadmissionsResult stopped = FindReadmissions(f.session(), Request("20050101", "20051231"));
  EXPECT_TRUE(stopped.cancelled);
  EXPECT_EQ(f.Work("reingr.txt"), before);
  // A write of temp.dat that falls short: the episodes written are analysed.
  f.feedback().Clear();
  f.fs().KeepFaultsTo("temp.dat");
  f.fs().SetFileSizeLimit(32 * 3);
  const ReadmissionsResult short_write =
      FindReadmissions(f.session(), Request("20050101", "20051231"));
  EXPECT_TRUE(short_write.completed);
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>({"error escritura", "error escritura"}));
  EXPECT_EQ(short_write.readmissions, 1);  // 100's three episodes only
}

}  // namespace
}  // namespace quirovel::testing
