// Uncoded discharges over small tables: "altnocod.txt", "altas.txt" and
// "altnocodserv.txt" against bytes written by hand from their formats, the
// sorts of the summary in both directions on every column, and the limit of
// the day histogram.
#include <gtest/gtest.h>

#include "analyses/uncoded_histogram.h"
#include "analyses/uncoded_service_report.h"
#include "analyses/uncoded_summary.h"
#include "platform/memory_file_system.h"
#include "reference/reference_tables.h"
#include "support/detection_fixture.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

std::string Crlf(std::string text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

std::string Heading() {
  return "HOSPITAL DE PRUEBAS" + std::string(36, ' ') + " DD/MM/AAAA HH:MM\n" +
         std::string(79, '-') + "\n[C:\\Quirovel\\trabajo\\episodios.dbf]\n\n";
}

Episode Discharge(const std::string& historia, const std::string& service, const std::string& c1,
                  const std::string& fecalt) {
  return CleanEpisode()
      .Set("HISTORIA", historia)
      .Set("SERVALT", service)
      .Set("C1", c1)
      .Set("FECALT", fecalt);
}

class UncodedTest : public ::testing::Test {
 protected:
  // Services 70100 (6 discharges, 5 uncoded, 3 errors), 70440 (1, 1, 0) and
  // 99999, not in the service table (1, 0, 1); four errors in the last run.
  void WriteScenario() {
    f.WriteTable({
        Discharge("2001", "70100", "486", "20050310"),
        Discharge("2002", "70440", "", "20050312"),
        Discharge("2003", "70100", "", "20050305"),
        Discharge("2004", "99999", "V30", "20050301"),
        Discharge("2005", "70100", "", "20050320"),
        Discharge("2006", "70100", "", "20050321"),
        Discharge("2007", "70100", "", "20050322"),
        Discharge("2008", "70100", "", "20050323"),
    });
    ASSERT_TRUE(f.Run(
        kMensual,
        Scripted({{1, {{7, HISTORIA}, {13, SEXO}}}, {3, {{7, HISTORIA}}}, {4, {{24, SERVALT}}}})));
    f.feedback().Clear();
  }
  DetectionFixture f;
};

TEST_F(UncodedTest, SummaryListAndTotalsOfThreeServices) {
  WriteScenario();
  const UncodedSummary summary = BuildUncodedSummary(f.session());
  EXPECT_TRUE(summary.listed);
  EXPECT_TRUE(f.feedback().messages.empty());
  ASSERT_EQ(summary.rows.size(), 3u);  // sorted by "No codificado", ascending
  EXPECT_EQ(summary.rows[0].code, "99999");
  EXPECT_EQ(summary.rows[2].code, "70100");
  EXPECT_EQ(summary.rows[2].errors, 3);

  const std::string total =
      "Altas:      8   No Codificadas:      6   Codificadas:      2   25.000 %";
  EXPECT_EQ(summary.text, total);
  EXPECT_EQ(WithoutTimes(f.Work("altnocod.txt")),
            Crlf(Heading() +
                 "ALTAS NO CODIFICADAS\n\n"
                 "Historia        Alta    Servicio\n"
                 "------------ ---------- ------------------------------\n"
                 "2002         12/03/2005 PEDIATRIA\n"
                 "2003         05/03/2005 MEDICINA INTERNA\n"
                 "2005         20/03/2005 MEDICINA INTERNA\n"
                 "2006         21/03/2005 MEDICINA INTERNA\n"
                 "2007         22/03/2005 MEDICINA INTERNA\n"
                 "2008         23/03/2005 MEDICINA INTERNA\n"
                 "-------------------------------------------------\n\n" +
                 total + "\n"));
  EXPECT_EQ(
      WithoutTimes(f.Work("altas.txt")),
      Crlf(Heading() +
           "\n\n  Codigo Servicio                  Altas  No codificadas    %      Errores     %\n"
           "  ------ ------------------------- ------ -------------- -------- -------- ---------\n"
           "   99999 Error                          1         0      100.00 %        1   25.00 %\n"
           "   70440 PEDIATRIA                      1         1        0.00 %        0    0.00 %\n"
           "   70100 MEDICINA INTERNA               6         5       16.67 %        3   75.00 %\n"
           "  ------ ------------------------- ------ -------------- -------- ------------------\n"
           "                                        8         6       25.00 %        4\n"));

  // The histogram spans the uncoded discharges of every service: 05/03 to 23/03.
  EXPECT_EQ(summary.histogram.first_date, 20050305);
  EXPECT_EQ(summary.histogram.last_date, 20050323);
  EXPECT_EQ(summary.histogram.bars, 21);
  EXPECT_EQ(summary.histogram.counters[0], 1);   // 05/03
  EXPECT_EQ(summary.histogram.counters[7], 1);   // 12/03
  EXPECT_EQ(summary.histogram.counters[18], 1);  // 23/03
}

TEST_F(UncodedTest, UncodedOfOneServiceFourToALine) {
  WriteScenario();
  const UncodedServiceReport r = WriteUncodedOfService(f.session(), "70100");
  EXPECT_TRUE(r.written);
  EXPECT_EQ(r.entries, 5);
  const std::string columns =
      "\n\nHistoria       Alta      Historia       Alta      Historia       Alta      "
      "Historia       Alta\n"
      "-------------------      -------------------      -------------------      "
      "-------------------\n";
  EXPECT_EQ(WithoutTimes(f.Work("altnocodserv.txt")),
            Crlf(Heading() + columns +
                 "2003         05/03/2005      2005         20/03/2005      "
                 "2006         21/03/2005      2007         22/03/2005      \n"
                 "2008         23/03/2005      \n" +
                 std::string(95, '-') + "\n   Total no codificadas MEDICINA INTERNA = 5\n"));
  // A service no discharge has: no line at all.
  EXPECT_EQ(WriteUncodedOfService(f.session(), "70552").entries, 0);
  EXPECT_EQ(WithoutTimes(f.Work("altnocodserv.txt")),
            Crlf(Heading() + columns + std::string(95, '-') +
                 "\n   Total no codificadas OBSTETRICIA = 0\n"));
}

TEST_F(UncodedTest, ATableWithoutC1OrServaltAndAnEmptyTable) {
  f.WriteTable({Discharge("2101", "70100", "", "20050310"), Discharge("2102", "70100", "", "")},
               CheckFixture::LayoutWithout({"C1", "SERVALT"}));
  UncodedSummary summary = BuildUncodedSummary(f.session());
  ASSERT_EQ(summary.rows.size(), 1u);  // tallied under " ", none uncoded
  EXPECT_EQ(summary.rows[0].code, " ");
  EXPECT_EQ(summary.rows[0].discharges, 2);
  EXPECT_EQ(summary.rows[0].uncoded, 0);
  EXPECT_EQ(summary.histogram.bars, 0);  // nothing to draw, nothing said
  EXPECT_TRUE(f.feedback().messages.empty());

  f.WriteTable({});
  summary = BuildUncodedSummary(f.session());
  EXPECT_TRUE(summary.rows.empty());
  EXPECT_EQ(summary.text,
            "Altas:      0   No Codificadas:      0   Codificadas:      0    0.000 %");
  const std::string altas = WithoutTimes(f.Work("altas.txt"));
  EXPECT_EQ(altas.substr(altas.rfind("  ------")),
            Crlf("  ------ ------------------------- ------ -------------- -------- "
                 "------------------\n"
                 "                                        0         0        0.00 %        0\n"));
}

TEST_F(UncodedTest, WithoutItsListNoSummaryButTheTotalsAreRewritten) {
  WriteScenario();
  f.fs().FailOpensOf("altnocod.txt");
  const UncodedSummary summary = BuildUncodedSummary(f.session());
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"Error al abrir el fichero de altas no "
                                                           "codificadas altnocod.txt"});
  EXPECT_TRUE(summary.rows.empty());
  EXPECT_EQ(summary.histogram.bars, 0);
  EXPECT_FALSE(f.WorkExists("altnocod.txt"));
  EXPECT_NE(f.Work("altas.txt").find("         0         0        0.00 %        0\r\n"),
            std::string::npos);
}

TEST(UncodedSort, EveryColumnInBothDirections) {
  ServiceTable services;
  // Loaded as the program does, from a file of the installation's form.
  MemoryFileSystem fs;
  fs.SetContents("/s.txt",
                 "CODIGSERVICIO\r\n70100MEDICINA INTERNA\r\n70440PEDIATRIA\r\n"
                 "70552OBSTETRICIA\r\n");
  RecordingFeedback feedback;
  services.Load(fs, feedback, "/s.txt");
  const std::vector<ServiceTally> rows = {
      {"70440", 4, 1, 5},  // A: coded share 0.75
      {"70100", 2, 2, 1},  // B: 0
      {"99999", 9, 0, 3},  // C: 1, named "Error"
      {"70552", 0, 0, 0},  // D: no discharges
  };
  auto order = [&](int column, int direction) {
    UncodedSummary summary;
    summary.rows = rows;
    SortSummary(&summary, services, column, direction);
    std::string out;
    for (const ServiceTally& r : summary.rows)
      out += r.code == "70440" ? 'A' : r.code == "70100" ? 'B' : r.code == "99999" ? 'C' : 'D';
    return out;
  };
  // Equal keys keep the order they had.
  const std::pair<const char*, const char*> expected[kSummaryColumns] = {
      {"BADC", "CDAB"},  // code
      {"CBDA", "ADBC"},  // service name: Error, MEDICINA, OBSTETRICIA, PEDIATRIA
      {"DBAC", "CABD"},  // discharges
      {"CDAB", "BACD"},  // uncoded
      {"BDAC", "CABD"},  // coded share
      {"DBCA", "ACBD"},  // errors
      {"DBCA", "ACBD"},  // errors share
  };
  for (int c = 0; c < kSummaryColumns; ++c) {
    EXPECT_EQ(order(c, 1), expected[c].first) << "column " << c;
    EXPECT_EQ(order(c, -1), expected[c].second) << "column " << c;
  }
}

TEST(UncodedHistogram, ThePeriodIsCutAt366Days) {
  RecordingFeedback feedback;
  // 01/01/2005 to 01/01/2006: 366 days, drawn whole.
  UncodedHistogram h = DayHistogram({{20050101, 2}, {20060101, 1}}, feedback);
  EXPECT_TRUE(feedback.messages.empty());
  EXPECT_FALSE(h.too_wide);
  EXPECT_EQ(h.bars, 366);  // never more bars than counters
  EXPECT_EQ(h.counters[0], 2);
  EXPECT_EQ(h.counters[365], 1);

  // One day more: the message, and 364 days.
  h = DayHistogram({{20050101, 2}, {20060102, 1}, {20051231, 4}}, feedback);
  EXPECT_EQ(feedback.Texts(),
            std::vector<std::string>{"Rango de fecha muy grande para representar la gr\xe1"
                                     "fica de altas no "
                                     "codificadas.\n(Max 1 a\xf1o)"});
  EXPECT_TRUE(h.too_wide);
  EXPECT_EQ(h.bars, 366);
  EXPECT_EQ(h.counters[364], 4);  // 31/12/2005 still counts: day 364 < 366
  EXPECT_EQ(h.first_date, 20050101);
  EXPECT_EQ(h.last_date, 20060102);

  feedback.Clear();
  h = DayHistogram({{20050228, 1}, {20050301, 1}, {0, 7}, {20050230, 3}}, feedback);
  EXPECT_EQ(h.bars, 4);  // 28/02 and 01/03; blank and impossible dates take no part
  EXPECT_EQ(h.counters[1], 1);
  EXPECT_TRUE(feedback.messages.empty());
}

}  // namespace
}  // namespace quirovel::testing
