// A detection run stopped at each of its phases leaves the configuration, the
// error log and the reports describing the same episodes, and the next run is
// a normal one.
#include <gtest/gtest.h>

#include <string>

#include "platform/cp1252.h"
#include "support/detection_fixture.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/error_entry.h"

namespace quirovel::testing {
namespace {

constexpr int kEpisodes = 60;

// Two errors for every episode: E91 against SEXO and E111 against REGFIN.
EpisodeCheck TwoErrorsEach(std::int64_t stop_after = 0) {
  return [stop_after](CheckContext& c) {
    SETERR(c, 13, SEXO);
    SETERR(c, 18, REGFIN);
    if (c.run.CurrentRecordNumber == stop_after) c.feedback.RequestStop();
  };
}

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t n = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++n;
  return n;
}

// What every file says about the episodes checked: `episodes` of them, two
// entries each, and the grouped reports either whole or absent.
void ExpectConsistent(DetectionFixture& f, int episodes, bool grouped_by_type,
                      bool grouped_by_service) {
  const std::int32_t entries = 2 * episodes;
  EXPECT_EQ(f.SavedConfig().ErrorCount(), entries);
  const std::string log = f.Work("fallos.dat");
  ASSERT_GE(log.size(), entries > 0 ? 32u * static_cast<std::size_t>(entries + 1) : 0u);
  for (std::int32_t k = 1; k <= entries; ++k) {
    const ErrorEntry e =
        ErrorEntry::Decode(reinterpret_cast<const unsigned char*>(log.data()) + 32 * k);
    EXPECT_EQ(e.record, static_cast<std::uint32_t>((k + 1) / 2)) << k;
  }
  const std::string total = "Total errores: " + std::to_string(entries) + "    ";
  EXPECT_NE(f.Work("errores.txt").find(total), std::string::npos);
  EXPECT_EQ(Count(f.Work("errores.txt"), "E91 "), static_cast<std::size_t>(episodes));
  EXPECT_NE(f.Work("resumen.txt").find(total), std::string::npos);
  const std::string grouped = " TOTAL Errores procesados = " + std::to_string(entries) + "\r\n";
  EXPECT_EQ(f.WorkExists("erragr.txt"), grouped_by_type);
  EXPECT_EQ(f.WorkExists("erragrserv.txt"), grouped_by_service);
  if (grouped_by_type) {
    EXPECT_NE(f.Work("erragr.txt").find(grouped), std::string::npos);
  }
  if (grouped_by_service) {
    EXPECT_NE(f.Work("erragrserv.txt").find(grouped), std::string::npos);
  }
}

class CancelTest : public ::testing::Test {
 protected:
  CancelTest() { f.WriteTable(std::vector<Episode>(kEpisodes, CleanEpisode())); }

  // The next run, asked for nothing, is whole.
  void ExpectNextRunNormal() {
    f.feedback().ClearStop();
    f.feedback().on_status = nullptr;
    EXPECT_TRUE(f.Run(kMensual, TwoErrorsEach()));
    EXPECT_FALSE(f.session().run.Cancelled);
    ExpectConsistent(f, kEpisodes, true, true);
  }

  DetectionFixture f;
};

TEST_F(CancelTest, StopBeforeTheFirstRecordChecksNothing) {
  f.feedback().RequestStop();
  EXPECT_FALSE(f.Run(kMensual, TwoErrorsEach()));
  EXPECT_TRUE(f.session().run.Cancelled);
  EXPECT_EQ(f.feedback().status.rfind("Cancelado en el registro 0: Errs=0 (", 0), 0u)
      << f.feedback().status;
  ExpectConsistent(f, 0, true, true);
  ExpectNextRunNormal();
}

TEST_F(CancelTest, StopInTheRecordLoopEndsTheRunAfterThatEpisode) {
  EXPECT_FALSE(f.Run(kMensual, TwoErrorsEach(25)));
  EXPECT_TRUE(f.session().run.Cancelled);
  EXPECT_EQ(f.feedback().status.rfind("Cancelado en el registro 25: Errs=50 (", 0), 0u)
      << f.feedback().status;
  EXPECT_TRUE(f.feedback().Texts().empty()) << "a stop is not a failure";
  ExpectConsistent(f, 25, true, true);
  ExpectNextRunNormal();
}

TEST_F(CancelTest, StopInAGroupingRemovesWhatItWouldHaveWritten) {
  for (int grouping : {1, 2}) {
    SCOPED_TRACE(grouping);
    ASSERT_TRUE(f.Run(kMensual, TwoErrorsEach()));  // reports of a whole run to be replaced
    int seen = 0;
    f.feedback().on_status = [&](std::string_view text) {
      if (text == "Ordenando Errores..." && ++seen == grouping) f.feedback().RequestStop();
    };
    EXPECT_FALSE(f.Run(kMensual, TwoErrorsEach()));
    EXPECT_TRUE(f.session().run.Cancelled);
    // A stop stops what follows as well: the second grouping after the first.
    ExpectConsistent(f, kEpisodes, grouping == 2, false);
    ExpectNextRunNormal();
  }
}

TEST_F(CancelTest, WhileTheLogIsRewrittenTheStoredCountNamesNoEntry) {
  ASSERT_TRUE(f.Run(kMensual, TwoErrorsEach()));
  ASSERT_EQ(f.SavedConfig().ErrorCount(), 2 * kEpisodes);
  // What a run killed at record 30 would leave on disk.
  std::int32_t stored_midway = -1;
  EXPECT_TRUE(f.Run(kMensual, [&](CheckContext& c) {
    SETERR(c, 13, SEXO);
    if (c.run.CurrentRecordNumber == 30) stored_midway = f.SavedConfig().ErrorCount();
  }));
  EXPECT_EQ(stored_midway, 0);
  EXPECT_EQ(f.SavedConfig().ErrorCount(), kEpisodes);
}

}  // namespace
}  // namespace quirovel::testing
