// A log write that falls short ends the run early, and what follows still
// happens: the summary, the count and date in the configuration, the
// groupings. The count saved names only entries that reached the log.
#include <gtest/gtest.h>

#include "detection/error_grouping.h"
#include "support/detection_fixture.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

TEST(DetectionLogFailureTest, ShortLogWriteStopsTheRunAndKeepsWhatWasWritten) {
  DetectionFixture f;
  std::vector<Episode> episodes(1000, CleanEpisode());
  f.WriteTable(episodes);
  ErrorScript script;
  for (std::int64_t r = 1; r <= 1000; ++r) script[r] = {{7, HISTORIA}, {13, SEXO}, {24, SERVALT}};
  // Room for the 32 leading bytes and 100 entries; the rest of the first
  // block of entries falls short.
  f.fs().SetFileSizeLimit(32 * 101);
  EXPECT_FALSE(f.Run(kMensual, Scripted(script)));

  const DetectionRun& run = f.session().run;
  // Episode 34 brings entries 100 to 102: the first is stored, the other two
  // are lost, each with its message. The run stops before episode 35, and its
  // count still names every error found.
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>(2, "SETERR: Error de escritura"));
  EXPECT_EQ(run.CurrentRecordNumber, 34);
  EXPECT_EQ(run.ErrorCount, 102);
  EXPECT_EQ(run.FirstLostEntry, 101);
  EXPECT_EQ(run.ErrorCounts[7] + run.ErrorCounts[13] + run.ErrorCounts[24], 102);
  EXPECT_EQ(run.FieldErrorCounts[HISTORIA], 34);
  EXPECT_EQ(f.Work("fallos.dat").size(), 32u * 101);

  // What the readers of the log see stops at the last entry stored.
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 100);
  EXPECT_FALSE(f.SavedConfig().LastRunDate().empty());
  const std::string summary = f.Work("resumen.txt");
  EXPECT_NE(summary.find("Total errores: 102    "), std::string::npos);
  EXPECT_NE(summary.find("E61  Historia incorrecta                                34\r\n"),
            std::string::npos);
  const std::string total = "\r\n TOTAL Errores procesados = 100\r\n";
  const std::string by_type = f.Work("erragr.txt");
  EXPECT_EQ(by_type.substr(by_type.size() - total.size()), total);
  std::array<std::int32_t, 72> counts{};
  ASSERT_TRUE(CountErrorsByType(f.session(), &counts));
  EXPECT_EQ(counts[7] + counts[13] + counts[24], 100);
}

// A directory in the place of "fallos.dat": the run ends before its loop and
// a grouping shows its heading only.
TEST(DetectionLogFailureTest, LogThatCannotBeOpenedEndsTheRunAndTheGroupings) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode()});
  ASSERT_TRUE(RealFileSystem().MakeDirectories(f.WorkPath("fallos.dat")));
  // Reports of an earlier run, which a run that cannot start must not replace.
  for (const char* name : {"resumen.txt", "erragr.txt"})
    ASSERT_TRUE(WriteWholeFile(RealFileSystem(), f.WorkPath(name), "anterior"));
  EXPECT_FALSE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}}})));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"error al abrir fallos.dat"});
  EXPECT_EQ(f.Work("resumen.txt"), "anterior");
  EXPECT_FALSE(f.WorkExists("resumen.txt.tmp"));
  EXPECT_FALSE(f.WorkExists("errores.txt"));
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 0);

  f.feedback().Clear();
  f.session().config.SetErrorCount(3);
  EXPECT_FALSE(GroupByType(f.session()));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"error al abrir fallos.dat"});
  EXPECT_EQ(f.Work("erragr.txt"), "anterior");
  std::array<std::int32_t, 72> counts{};
  counts[5] = 9;
  EXPECT_FALSE(CountErrorsByType(f.session(), &counts));
  EXPECT_EQ(counts[5], 9);  // left as they were
}

TEST(DetectionLogFailureTest, LogShorterThanTheCountGroupsWhatItHolds) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode(), CleanEpisode()});
  ASSERT_TRUE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}}, {2, {{13, SEXO}}}})));
  f.session().config.SetErrorCount(5);  // as if the log had been cut by hand
  f.feedback().Clear();
  // The report groups what the log holds, and the grouping says it failed.
  EXPECT_FALSE(GroupByServiceAndType(f.session()));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"error lectura errores"});
  EXPECT_NE(f.Work("erragrserv.txt").find("\r\n TOTAL Errores procesados = 2\r\n"),
            std::string::npos);

  // Episodes that cannot be read back: empty texts in the report, said once, a failure.
  f.session().config.SetErrorCount(2);
  f.WriteTable({});
  f.feedback().Clear();
  EXPECT_FALSE(GroupByType(f.session()));
  EXPECT_EQ(f.feedback().Texts(), std::vector<std::string>{"ERROR AL LEER FICHERO CMBD"});
  EXPECT_NE(f.Work("erragr.txt").find("\r\n TOTAL Errores procesados = 2\r\n"), std::string::npos);
}

TEST(DetectionLogFailureTest, AReportThatCannotBeWrittenWholeLeavesTheLastOne) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode()});
  ASSERT_TRUE(WriteWholeFile(RealFileSystem(), f.WorkPath("resumen.txt"), "anterior"));
  f.fs().KeepFaultsTo("resumen.txt");
  f.fs().FailWritesFrom(1);  // a full disk for the summary alone
  EXPECT_FALSE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}}})));
  f.fs().Heal();
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>{"Error al escribir el fichero resumen.txt"});
  EXPECT_EQ(f.Work("resumen.txt"), "anterior");
  EXPECT_FALSE(f.WorkExists("resumen.txt.tmp"));
  EXPECT_NE(f.Work("errores.txt"), "");  // the other reports are whole
}

TEST(DetectionLogFailureTest, WithoutTheCatalogueNothingIsChecked) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode()});
  ASSERT_TRUE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}}}})));
  const std::string log = f.Work("fallos.dat"), summary = f.Work("resumen.txt");
  f.session().catalogue.Close();  // tables missing or refused as damaged
  f.feedback().Clear();
  EXPECT_FALSE(f.Run(kMensual, Scripted({{1, {{13, SEXO}}}})));
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>{
                "Detecci\xF3n no realizada: el cat\xE1logo CIE9MC no se puede leer"});
  EXPECT_EQ(f.Work("fallos.dat"), log);
  EXPECT_EQ(f.Work("resumen.txt"), summary);
  EXPECT_EQ(f.SavedConfig().ErrorCount(), 1);
}

}  // namespace
}  // namespace quirovel::testing
