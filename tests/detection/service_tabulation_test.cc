// The service table of "resumen.txt" from hand-written log entries: rows in
// service-table order, months from FECALT, errors of services not in the
// table and of unreadable months counted in the totals only, and a log or
// an episode that cannot be read ending the count.
#include "detection/service_tabulation.h"

#include <gtest/gtest.h>

#include <random>

#include "support/dbf_builder.h"
#include "support/detection_fixture.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

// An entry as it lies in "fallos.dat": "%2d" and two zeros, four field
// numbers, the record number, a blank and three zeros, the not-in-version mark.
std::string Entry(const char number[3], std::uint32_t field, std::uint32_t record) {
  std::string b = std::string(number, 2) + std::string(30, '\0');
  PutLe32(&b, 4, field);
  PutLe32(&b, 20, record);
  b[24] = ' ';
  return b;
}

class ServiceTabulationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable({
        CleanEpisode().Set("SERVALT", "70440").Set("FECALT", "20050315"),  // 1: PEDIATRIA, March
        CleanEpisode().Set("SERVALT", "70100").Set("FECALT", "20050505"),  // 2: MEDICINA, May
        CleanEpisode().Set("SERVALT", "99999").Set("FECALT", "20050505"),  // 3: not in the table
        CleanEpisode().Set("SERVALT", "70100").Set("FECALT", "20051301"),  // 4: month 13
        CleanEpisode().Set("SERVALT", "70100").Set("FECALT", ""),          // 5: no date
        CleanEpisode().Set("SERVALT", "70100").Set("FECALT", "20050320"),  // 6: March
    });
    Session& s = f.session();
    ASSERT_EQ(s.table.Open(f.WorkPath("episodios.dbf")), 1);
    AnalyseStructure(s);
  }

  ServiceTabulation Tabulate(const std::string& entries, std::int32_t count) {
    WriteFileBytes(f.WorkPath("fallos.dat"), std::string(32, '\0') + entries);
    f.session().run.ErrorCount = count;
    return TabulateByService(f.session(), f.WorkPath("fallos.dat"));
  }

  DetectionFixture f;
};

TEST_F(ServiceTabulationTest, CountsByServiceSlotAndMonth) {
  std::string log;
  for (std::uint32_t record : {1u, 2u, 3u, 4u, 5u, 6u, 6u, 6u})
    log += Entry(" 7", HISTORIA, record);
  ServiceTabulation t = Tabulate(log, 8);
  EXPECT_TRUE(f.feedback().Texts().empty());
  EXPECT_EQ(t.rows[1].code, "70100");
  EXPECT_EQ(t.rows[1].count, 6);  // episodes 2, 4, 5 and three errors of 6
  EXPECT_EQ(t.rows[1].months[5], 1);
  EXPECT_EQ(t.rows[1].months[3], 3);
  EXPECT_EQ(t.rows[2].code, "70440");
  EXPECT_EQ(t.rows[2].count, 1);
  EXPECT_EQ(t.rows[2].months[3], 1);
  EXPECT_EQ(t.rows[3].count, 0);  // 70552: no errors
  std::int32_t months = 0, counted = 0;
  for (const auto& row : t.rows) {
    counted += row.count;
    for (int m = 1; m <= 12; ++m) months += row.months[static_cast<std::size_t>(m)];
  }
  EXPECT_EQ(counted, 7);  // episode 3's service is in no row
  EXPECT_EQ(months, 5);   // month 13 and the blank date count in their row only
}

// A log shorter than the count, and an entry naming a record the table does
// not have: the tabulation ends there with its message, keeping what it counted.
TEST_F(ServiceTabulationTest, UnreadableEntryOrEpisodeEndsTheTabulation) {
  ServiceTabulation t = Tabulate(Entry("13", SEXO, 1) + Entry("13", SEXO, 2), 5);
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"error lectura errores"});
  EXPECT_EQ(t.rows[1].count + t.rows[2].count, 2);
  f.feedback().Clear();
  t = Tabulate(Entry("13", SEXO, 1) + Entry("13", SEXO, 99) + Entry("13", SEXO, 2), 3);
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"ERROR AL LEER FICHERO CMBD"});
  EXPECT_EQ(t.rows[2].count, 1);
  EXPECT_EQ(t.rows[1].count, 0);
}

// The run counts each episode's stored errors as it goes; reading the log and
// the table back must give the same table, and a log that no longer holds the
// run's entries is read back with its message.
TEST(ServiceTabulationOfARun, CountedAsItGoesEqualsReadingTheLogBack) {
  DetectionFixture f;
  const char* services[] = {"70100", "70440", "70552", "99999", "     ", "70100", "70440"};
  const char* dates[] = {"20050115", "20050228", "20051231", "20051301", "", "20050707", "2005"};
  std::vector<Episode> episodes;
  std::mt19937 random(11);
  for (int i = 0; i < 400; ++i) {
    Episode e =
        CleanEpisode().Set("SERVALT", services[random() % 7]).Set("FECALT", dates[random() % 7]);
    if (random() % 3 == 0) e.Set("SEXO", "7");
    if (random() % 5 == 0) e.Set("C1", "");
    episodes.push_back(e);
  }
  f.WriteTable(episodes);
  ASSERT_TRUE(f.Run(kTrimestral, CheckAdministrative));
  Session& s = f.session();
  EXPECT_FALSE(s.run.tally_complete);  // used for the run's own summary only
  ASSERT_GT(s.run.ErrorCount, 400);
  s.run.tally_complete = true;  // as while the run wrote its summary
  const ServiceTabulation counted = TabulateByService(s, f.WorkPath("fallos.dat"));

  s.run.tally_complete = false;
  const ServiceTabulation read_back = TabulateByService(s, f.WorkPath("fallos.dat"));
  EXPECT_TRUE(f.feedback().Texts().empty());
  std::int32_t total = 0;
  for (std::size_t slot = 1; slot <= 40; ++slot) {
    const auto &a = counted.rows[slot], &b = read_back.rows[slot];
    EXPECT_TRUE(a.code == b.code && a.count == b.count && a.months == b.months) << slot;
    total += a.count;
  }
  EXPECT_GT(total, 0);
  EXPECT_LT(total, s.run.ErrorCount);  // service 99999 and the blank one have no row

  // The log cut after the run: the count made during the run is not trusted.
  s.run.tally_complete = true;
  const std::string log = ReadFileBytes(f.WorkPath("fallos.dat"));
  WriteFileBytes(f.WorkPath("fallos.dat"), log.substr(0, 32 * 11));
  const ServiceTabulation cut = TabulateByService(s, f.WorkPath("fallos.dat"));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"error lectura errores"});
  std::int32_t cut_total = 0;
  for (const auto& row : cut.rows) cut_total += row.count;
  EXPECT_LE(cut_total, 10);
}

}  // namespace
}  // namespace quirovel::testing
