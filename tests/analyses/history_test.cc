// Appending to the history file: structures that differ, an empty history,
// the question, the same file under another case; a failure at every write,
// a stop and an unreadable record leave the history byte for byte as it was;
// a process killed at any point leaves a table that opens; the result reads
// back in dbfread and GDAL.
#include "analyses/history.h"

#include <gtest/gtest.h>

#include "analyses/history_append_file.h"
#include "platform/cp1252.h"
#include "platform/memory_file_system.h"
#include "storage/dbf_table.h"
#include "storage/table_files.h"
#include "support/dbf_builder.h"
#include "support/detection_fixture.h"

namespace quirovel::testing {
namespace {

const std::vector<TableField> kHistoryFields = {{"FECALT", 'D', 8},
                                                {"C1", 'C', 3},
                                                {"EXTRA", 'C', 4},
                                                {"HISTORIA", 'C', 14},
                                                {"SERVALT", 'C', 5}};
const std::vector<std::string> kOldRow = {"20040110", "V27", "OLD", "999", "70100"};
const std::vector<std::vector<std::string>> kNewRows = {{"20050310", "250", "", "123", "70100"},
                                                        {"20050315", "486", "", "456", "70440"}};

class HistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable({Episode()
                      .Set("HISTORIA", "123")
                      .Set("FECALT", "20050310")
                      .Set("C1", "250.00")
                      .Set("SERVALT", "70100"),
                  Episode()
                      .Set("HISTORIA", "456")
                      .Set("FECALT", "20050315")
                      .Set("C1", "486")
                      .Set("SERVALT", "70440")});
    f.session().config.SetHistoryFile("C:\\Quirovel\\trabajo\\historico.dbf");
  }
  void PutHistory(const std::string& bytes) { WriteFileBytes(f.WorkPath("historico.dbf"), bytes); }
  std::string History() { return f.Work("historico.dbf"); }
  std::string Question(const std::string& range) {
    return "Rango fechas de altas hist\xF3rico: " + range +
           "\n\n\xBF"
           "Desea a\xF1"
           "adir al hist\xF3rico el CMBD actual?";
  }

  DetectionFixture f;
};

TEST_F(HistoryTest, AppendsByFieldNameIntoAnotherStructure) {
  PutHistory(DbfBytes(kHistoryFields, {kOldRow}));
  const HistoryAppendResult r = AppendToHistory(f.session());
  EXPECT_EQ(r.outcome, HistoryOutcome::kAppended);
  EXPECT_EQ(r.records, 3u);
  ASSERT_EQ(f.feedback().questions.size(), 1u);
  EXPECT_EQ(f.feedback().questions[0].text, Question("10/01/2004 --> 10/01/2004"));
  EXPECT_EQ(f.feedback().questions[0].caption, "ATENCION: Puede duplicar episodios");
  EXPECT_EQ(History(), DbfBytes(kHistoryFields, {kOldRow, kNewRows[0], kNewRows[1]}));
  // The button's caption names the file without its folder.
  EXPECT_EQ(HistoryFileName("C:\\Quirovel\\trabajo\\historico.dbf"), "historico.dbf");
  EXPECT_EQ(HistoryFileName("D:HIST.DBF"), "HIST.DBF");
  EXPECT_EQ(HistoryFileName("hist.dbf"), "hist.dbf");
}

// The history after an append, read back by two independent dBase readers.
TEST_F(HistoryTest, ReadsBackInDbfreadAndGdal) {
  int status = 0;
  RunCommand("/usr/bin/python3 -c 'import dbfread' 2>/dev/null", &status);
  const bool dbfread = status == 0;
  RunCommand("ogrinfo --version >/dev/null 2>&1", &status);
  const bool gdal = status == 0;
  if (!dbfread && !gdal)
    GTEST_SKIP() << "python3-dbfread and gdal-bin are missing (apt-get install them)";
  PutHistory(DbfBytes(kHistoryFields, {kOldRow}));
  ASSERT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kAppended);
  const std::string path = f.WorkPath("historico.dbf");
  if (dbfread) {
    const std::string out = RunCommand(
        "/usr/bin/python3 -c \"import sys, dbfread; "
        "[print(r['HISTORIA'], r['FECALT'], r['C1'], repr(r['EXTRA'])) for r in "
        "dbfread.DBF(sys.argv[1])]\" " +
            ShellQuote(path),
        &status);
    EXPECT_EQ(out, "999 2004-01-10 V27 'OLD'\n123 2005-03-10 250 ''\n456 2005-03-15 486 ''\n");
  }
  if (gdal) {
    const std::string out = RunCommand("ogrinfo -ro -al -q " + ShellQuote(path), &status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("HISTORIA (String) = 456"), std::string::npos) << out;
    EXPECT_NE(out.find("OGRFeature(historico):2"), std::string::npos) << out;
    EXPECT_EQ(out.find("OGRFeature(historico):3"), std::string::npos) << out;
  }
}

TEST_F(HistoryTest, EmptyHistoryAsksWithTheStartValues) {
  RecordingFeedback quiet;
  ASSERT_TRUE(
      Create(RealFileSystem(), quiet, {"HISTORIA#C12", "FECALT#D8"}, f.WorkPath("historico.dbf")));
  const std::string created = History();
  ASSERT_EQ(created.size(), 32u * 3 + 2);  // terminator and end mark
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kAppended);
  EXPECT_EQ(f.feedback().questions.at(0).text, Question("99/99/9999 --> " + std::string(10, ' ')));
  std::string expected =
      created.substr(0, 32 * 3 + 1) + " 123         20050310 456         20050315";
  PutLe32(&expected, 4, 2);
  EXPECT_EQ(History(), expected);
}

TEST_F(HistoryTest, NothingIsAppendedWithoutAYesOrToItself) {
  const std::string before = DbfBytes(kHistoryFields, {kOldRow});
  PutHistory(before);
  f.feedback().answer = false;
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kDeclined);
  EXPECT_EQ(History(), before);
  // The current file under another case is the same file.
  f.feedback().Clear();
  f.session().config.SetHistoryFile("c:\\QUIROVEL\\Trabajo\\EPISODIOS.DBF");
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kSameFile);
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>({"El historico coincide con el fichero actual"}));
  EXPECT_TRUE(f.feedback().questions.empty());
  // Without FECALT the question has no range, but is asked.
  f.feedback().Clear();
  f.session().config.SetHistoryFile("C:\\Quirovel\\trabajo\\historico.dbf");
  PutHistory(DbfBytes({{"HISTORIA", 'C', 12}}, {{"999"}}));
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kAppended);
  EXPECT_EQ(f.feedback().Texts(),
            std::vector<std::string>({"Campo FECALT no encontrado en historico"}));
  EXPECT_EQ(f.feedback().questions.at(0).text,
            "\n\n\xBF"
            "Desea a\xF1"
            "adir al hist\xF3rico el CMBD actual?");
  EXPECT_EQ(History(), DbfBytes({{"HISTORIA", 'C', 12}}, {{"999"}, {"123"}, {"456"}}));
}

TEST_F(HistoryTest, AFailureAtAnyWriteLeavesTheHistoryAsItWas) {
  RecordingFeedback quiet;
  ASSERT_TRUE(
      Create(RealFileSystem(), quiet, {"HISTORIA#C12", "FECALT#D8"}, f.WorkPath("empty.dbf")));
  const std::vector<std::string> histories = {DbfBytes(kHistoryFields, {kOldRow, kOldRow}),
                                              ReadFileBytes(f.WorkPath("empty.dbf"))};
  for (const std::string& before : histories) {
    for (int n = 1;; ++n) {
      ASSERT_LT(n, 10) << "the append never succeeded";
      PutHistory(before);
      f.feedback().Clear();
      f.fs().Heal();
      f.fs().KeepFaultsTo("historico");
      f.fs().FailWritesFrom(n);
      const HistoryAppendResult r = AppendToHistory(f.session());
      if (r.outcome == HistoryOutcome::kAppended) {
        EXPECT_GT(n, 2);  // the block of later records, the first one, the count
        break;
      }
      EXPECT_EQ(r.outcome, HistoryOutcome::kFailed) << n;
      EXPECT_TRUE(r.restored) << n;
      EXPECT_EQ(History(), before) << "write " << n;
      EXPECT_EQ(f.feedback().Texts().back(),
                "Error al escribir en el hist\xF3rico: el hist\xF3rico queda como estaba");
    }
  }
  // A full disk, a stop, an unreadable record of the current file.
  const std::string& before = histories[0];
  PutHistory(before);
  f.fs().Heal();
  f.fs().KeepFaultsTo("historico");
  f.fs().SetFileSizeLimit(before.size() + 40);
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kFailed);
  EXPECT_EQ(History(), before);
  f.fs().Heal();
  f.feedback().Clear();
  f.feedback().RequestStop();
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kCancelled);
  EXPECT_EQ(History(), before);
  f.feedback().Clear();
  DbfShape lying;
  lying.record_count = 3;
  WriteFileBytes(f.WorkPath("episodios.dbf"),
                 DbfBytes(CmbdAFields(), {RowFor(CmbdAFields(), {{"HISTORIA", "1"}})}, lying));
  EXPECT_EQ(AppendToHistory(f.session()).outcome, HistoryOutcome::kFailed);
  EXPECT_EQ(f.feedback().Texts().back(),
            "No se puede leer el registro 2 del fichero actual: el hist\xF3rico queda como estaba");
  EXPECT_EQ(History(), before);
}

TEST(HistoryAppendFileTest, AKilledAppendLeavesATableThatOpensAndIsCutBackNextTime) {
  const std::vector<TableField> fields = {{"HISTORIA", 'C', 12}};
  const std::string record = " NEW         ";
  constexpr int kAdded = 200000;  // records for three blocks
  for (const auto& rows : {std::vector<std::vector<std::string>>{{"1"}, {"2"}},
                           std::vector<std::vector<std::string>>{}}) {
    DbfShape shape;
    shape.end_marker = true;
    const std::string before = DbfBytes(fields, rows, shape);
    // Killed after n - 1 writes: the failing write and those after it write
    // nothing, and nothing is put back.
    for (int n = 1;; ++n) {
      ASSERT_LT(n, 10) << "the append never finished";
      MemoryFileSystem memory;
      memory.SetContents("/h.dbf", before);
      FaultyFileSystem dying(memory);
      dying.FailWritesFrom(n);
      HistoryAppendFile file;
      std::string problem;
      ASSERT_TRUE(file.Open(dying, "/h.dbf", &problem)) << problem;
      for (int i = 0; i < kAdded; ++i) file.Add(record.data());
      const bool finished = file.Commit();
      file.Close();
      // The table opens with its old count, or with the new one and every
      // new record in place.
      RecordingFeedback quiet;
      DbfTable table(memory, quiet);
      ASSERT_EQ(table.Open("/h.dbf"), 1) << n;
      ASSERT_EQ(table.record_count(), finished ? rows.size() + kAdded : rows.size()) << n;
      if (finished) {
        ASSERT_EQ(table.ReadRecord(table.record_count()), 0);
        EXPECT_EQ(table.FieldText(1), "NEW         ");
        break;
      }
      table.Close();
      // The next append cuts what was left: the old table, its end mark kept or cut with it.
      ASSERT_TRUE(file.Open(memory, "/h.dbf", &problem)) << n;
      file.Close();
      const std::string& now = *memory.Contents("/h.dbf");
      EXPECT_EQ(now.substr(0, before.size() - 1), before.substr(0, before.size() - 1)) << n;
      EXPECT_LE(now.size(), before.size()) << n;
    }
  }
}

}  // namespace
}  // namespace quirovel::testing
