// The error browser over a small hand-made run: stepping in each search mode,
// the boxes and their colours, jump requests, the type list, and how little
// of the log a step reads.
#include "ui/error_browser.h"

#include <gtest/gtest.h>

#include "session/episode_walk.h"
#include "support/detection_fixture.h"
#include "ui/error_browser_lists.h"
#include "ui/error_log_stepper.h"
#include "validation/error_catalogue.h"
#include "validation/error_log.h"

namespace quirovel::testing {
namespace {

// The table lacks FECPART, so that a box named by an error can be absent.
std::vector<std::string> WithoutFecpart() {
  std::vector<std::string> layout;
  for (int k = 1; k <= kCmbdFieldCount; ++k)
    if (k != FECPART) layout.emplace_back(kCmbdLayout[static_cast<std::size_t>(k - 1)]);
  return layout;
}

Episode At(const char* historia, const char* servalt) {
  return CleanEpisode().Set("HISTORIA", historia).Set("SERVALT", servalt);
}

ErrorEntry Entry(int error, std::uint32_t record, std::uint32_t field, std::uint32_t r1 = 0,
                 std::uint32_t r2 = 0, std::uint32_t r3 = 0) {
  ErrorEntry e;
  e.error = error;
  e.record = record;
  e.field = field;
  e.related1 = r1;
  e.related2 = r2;
  e.related3 = r3;
  return e;
}

class ErrorBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable(
        {At("1001", "70100"), At("1002", "70440"), At("1001", "70100").Set("FECNAC", "20040320"),
         At("1004", "70552"), At("1005", "70440")},
        WithoutFecpart());
    ASSERT_TRUE(ReopenCurrentTable(f.session()));
    // index: error, record            services: 1 70100, 2 70440, 3 70100, 4 70552, 5 70440
    WriteLog({Entry(7, 1, HISTORIA),                       // 0
              Entry(13, 1, SEXO, FECNAC, FECING, TIPALT),  // 1
              Entry(7, 2, HISTORIA),                       // 2
              Entry(13, 3, SEXO),                          // 3
              Entry(25, 4, FECALT, FECPART),               // 4
              Entry(7, 5, HISTORIA),                       // 5
              Entry(13, 5, SEXO)});                        // 6
  }

  void WriteLog(const std::vector<ErrorEntry>& entries) {
    ErrorLog log;
    ASSERT_TRUE(log.Open(f.fs(), f.WorkPath("fallos.dat")));
    for (std::size_t i = 0; i < entries.size(); ++i)
      ASSERT_TRUE(log.Write(static_cast<std::int64_t>(i + 1), entries[i]));
    EXPECT_EQ(log.Close(), 0);
    f.session().config.SetErrorCount(static_cast<std::int32_t>(entries.size()));
  }

  // Shows index `from`, then steps n times; the indexes landed on.
  std::vector<std::int64_t> Steps(SearchMode mode, std::int64_t from, int step, int n) {
    b.set_current(from);
    b.set_mode(SearchMode::kNone);
    EXPECT_TRUE(b.ShowError(0));
    b.set_mode(mode);
    std::vector<std::int64_t> landed;
    for (int i = 0; i < n; ++i) {
      b.ShowError(step);
      landed.push_back(b.current());
    }
    return landed;
  }

  std::vector<std::string> Messages() {
    std::vector<std::string> texts = f.feedback().Texts();
    f.feedback().Clear();
    return texts;
  }

  DetectionFixture f;
  ErrorBrowser b{f.session()};
};

constexpr const char* kNoMore = "No hay mas errores";
constexpr const char* kNoMoreFound = "No hay m\xe1s: Siguiente error";

TEST_F(ErrorBrowserTest, SteppingWithoutSearchVisitsEveryErrorAndStopsAtTheEnds) {
  EXPECT_EQ(Steps(SearchMode::kNone, 0, +1, 7), (std::vector<std::int64_t>{1, 2, 3, 4, 5, 6, 6}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoMore});
  EXPECT_EQ(b.entry().record, 5u);  // the last error stays shown
  EXPECT_EQ(Steps(SearchMode::kNone, 2, -1, 3), (std::vector<std::int64_t>{1, 0, 0}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoMore});
}

TEST_F(ErrorBrowserTest, TypeSearchLandsOnTheSameErrorBothWays) {
  // E61 (7) at 0, 2, 5; past the last one the next error is shown.
  EXPECT_EQ(Steps(SearchMode::kType, 0, +1, 3), (std::vector<std::int64_t>{2, 5, 6}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoMoreFound});
  EXPECT_EQ(b.current_type(), 13);
  // E91 (13) at 6, 3, 1 backwards, then the error before.
  EXPECT_EQ(Steps(SearchMode::kType, 6, -1, 3), (std::vector<std::int64_t>{3, 1, 0}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoMoreFound});
  EXPECT_EQ(b.selected_type(), 7);
  EXPECT_EQ(Steps(SearchMode::kType, 0, -1, 1), (std::vector<std::int64_t>{0}));
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNoMoreFound, kNoMore}));
}

TEST_F(ErrorBrowserTest, ServiceSearchComparesTheRecordsDischargeService) {
  EXPECT_EQ(Steps(SearchMode::kService, 0, +1, 3), (std::vector<std::int64_t>{1, 3, 4}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoMoreFound});
  EXPECT_EQ(b.current_service(), "70552");
  EXPECT_EQ(Steps(SearchMode::kService, 6, -1, 2), (std::vector<std::int64_t>{5, 2}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(Steps(SearchMode::kService, 4, +1, 1), (std::vector<std::int64_t>{5}));
  EXPECT_EQ(Messages(), std::vector<std::string>{kNoMoreFound});
  EXPECT_EQ(b.current_service(), "70440");
}

TEST_F(ErrorBrowserTest, BoxesColoursAndAge) {
  b.set_current(1);
  ASSERT_TRUE(b.ShowError(0));
  const ShownRecord& r = b.shown();
  EXPECT_EQ(r.record, 1);
  EXPECT_EQ(r.boxes[HISTORIA], "1001        ");
  EXPECT_EQ(r.boxes[FECNAC], "15/03/1970");
  EXPECT_EQ(r.boxes[SEXO], "2");
  EXPECT_EQ(r.boxes[FECPART], " ");
  EXPECT_EQ(r.age, "15/03/1970 34 a ");
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    const bool named = k == SEXO || k == FECNAC || k == FECING;  // the fourth slot is not shown
    const BoxColour want = k == FECPART ? BoxColour::kAbsent
                           : named      ? BoxColour::kError
                                        : BoxColour::kNormal;
    EXPECT_EQ(b.colour(k), want) << CmbdFieldName(k);
  }
  b.set_current(4);
  ASSERT_TRUE(b.ShowError(0));
  EXPECT_EQ(b.colour(FECALT), BoxColour::kError);
  EXPECT_EQ(b.colour(FECPART), BoxColour::kAbsent);  // named, but the table lacks it
  EXPECT_EQ(b.colour(SEXO), BoxColour::kNormal);
  b.set_current(3);
  ASSERT_TRUE(b.ShowError(0));
  EXPECT_EQ(b.shown().age, "20/03/2004 11 m ");

  ConfigRecord config;
  config.SetFieldColour(0, 145);
  config.SetFieldColour(1, 250);
  config.SetFieldColour(2, 131);
  for (int c = 0; c < 3; ++c) config.SetColourStep(c, 4 + c);
  EXPECT_EQ(BoxRgb(config, PROCEDEN, BoxColour::kNormal), (Rgb{145, 250, 131}));
  EXPECT_EQ(BoxRgb(config, P1, BoxColour::kNormal), (Rgb{157, 255, 149}));
  EXPECT_EQ(BoxRgb(config, P1, BoxColour::kError), (Rgb{255, 255, 0}));
  EXPECT_EQ(BoxRgb(config, P1, BoxColour::kAbsent), (Rgb{192, 192, 192}));
}

TEST_F(ErrorBrowserTest, JumpRequestsAndTheTypeList) {
  b.Request("@3");
  b.Activate();
  EXPECT_EQ(b.shown().record, 3);
  EXPECT_EQ(b.selected_type(), kRecordEntry);
  EXPECT_EQ(b.colour(SEXO), BoxColour::kPlain);
  EXPECT_EQ(b.colour(FECPART), BoxColour::kAbsent);
  b.Request("4");
  b.Activate();
  EXPECT_EQ(b.current(), 4);
  EXPECT_EQ(b.entry().error, 25);
  b.Request("99");  // past the last error: the first one
  b.Activate();
  EXPECT_EQ(b.current(), 0);
  EXPECT_EQ(b.shown().record, 1);
  b.set_current(2);
  b.Activate();  // the same run: the error shown stays
  EXPECT_EQ(b.shown().record, 1);
  f.session().config.SetLastRunDate("07/12/2026 10:00");
  b.Activate();  // a new run: its error at the current index
  EXPECT_EQ(b.shown().record, 2);

  b.set_mode(SearchMode::kService);
  ASSERT_TRUE(b.FindFirst(25));
  EXPECT_EQ(b.current(), 4);
  EXPECT_EQ(b.mode(), SearchMode::kService);
  EXPECT_FALSE(b.FindFirst(40));
  EXPECT_EQ(b.current(), 4);
  ASSERT_EQ(f.feedback().messages.size(), 1u);
  EXPECT_EQ(f.feedback().messages[0].caption, "No Encontrado");
  EXPECT_EQ(f.feedback().messages[0].text, std::string(ErrorText(40)));
  f.feedback().Clear();

  ASSERT_TRUE(b.MoveTo(6));
  EXPECT_EQ(b.mode(), SearchMode::kNone);
  EXPECT_EQ(b.entry().error, 13);
  bool record = false;
  std::int64_t n = 0;
  EXPECT_FALSE(ParseBrowseRequest("@", &record, &n));
  EXPECT_FALSE(ParseBrowseRequest("1x", &record, &n));
  EXPECT_TRUE(ParseBrowseRequest("@1234", &record, &n) && record && n == 1234);
}

TEST_F(ErrorBrowserTest, EmptyRunAndDamagedEntries) {
  f.session().config.SetErrorCount(0);
  b.Activate();
  b.ShowError(+1);
  EXPECT_EQ(Messages(), (std::vector<std::string>{kNoMore, kNoMore}));
  // An entry naming a record the file lacks, and a count beyond the log.
  WriteLog({Entry(7, 1, HISTORIA), Entry(7, 40, HISTORIA)});
  f.session().config.SetErrorCount(8);  // the log holds 7 entries
  b.set_current(1);
  EXPECT_FALSE(b.ShowError(0));
  b.set_current(6);
  EXPECT_FALSE(b.ShowError(+1));
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"ERROR AL LEER FICHERO CMBD", "error lectura errores"}));
}

TEST_F(ErrorBrowserTest, AStepReadsOneEntryAndASearchLittleMoreThanItExamines) {
  std::vector<ErrorEntry> many(3000, Entry(7, 2, HISTORIA));
  many[0] = many[2999] = Entry(13, 1, SEXO);
  WriteLog(many);
  b.set_current(1500);
  ASSERT_TRUE(b.ShowError(+1));
  EXPECT_EQ(b.log_bytes_read(), 32u);
  b.set_current(0);
  ASSERT_TRUE(b.ShowError(0));
  b.set_mode(SearchMode::kType);
  ASSERT_TRUE(b.ShowError(+1));
  EXPECT_EQ(b.current(), 2999);
  EXPECT_EQ(b.entries_read(), 3000);
  EXPECT_LE(b.log_bytes_read(), 2u * 32 * 3000);
  ASSERT_TRUE(b.ShowError(-1));  // and back, reading backwards
  EXPECT_EQ(b.current(), 0);
  EXPECT_LE(b.log_bytes_read(), 2u * 32 * 3000);

  ErrorBrowser fresh(f.session());  // no type yet: no search through the log
  fresh.set_mode(SearchMode::kType);
  EXPECT_TRUE(fresh.ShowError(+1));
  EXPECT_EQ(fresh.current(), 1);
  EXPECT_EQ(fresh.entries_read(), 1);

  ErrorLogStepper log;
  ASSERT_TRUE(log.Open(f.fs(), f.WorkPath("fallos.dat")));
  quirovel::EntryBytes bytes{};
  for (std::int64_t k = 3000; k >= 1; --k) {
    ASSERT_TRUE(log.Read(k, &bytes));
    ASSERT_EQ(ErrorEntry::Decode(bytes.data()).error, k == 1 || k == 3000 ? 13 : 7) << k;
  }
  EXPECT_FALSE(log.Read(3001, &bytes));
  EXPECT_LT(log.reads(), 20);
}

TEST_F(ErrorBrowserTest, ErrorsOfOneHistoryAndFieldFrequencies) {
  std::vector<HistoryErrorRow> rows;
  ASSERT_TRUE(ListHistoryErrors(f.session(), "1001        ", &rows));
  ASSERT_EQ(rows.size(), 3u);  // entries 0, 1 (record 1) and 3 (record 3)
  EXPECT_EQ(rows[1].error, std::string(ErrorText(13)));
  EXPECT_EQ(rows[1].alta, "20050310");
  EXPECT_EQ(rows[1].valores, "SEXO=[2]  FECNAC=[19700315]  FECING=[20050301]  ");
  EXPECT_EQ(rows[2].valores, "SEXO=[2]  ");

  f.WriteTable({CleanEpisode().Set("TIPING", "0").Set("TRASH", "0"),
                CleanEpisode().Set("TIPING", "2").Set("C2", "486")});
  FieldFrequencies freq;
  ASSERT_TRUE(CountFieldFrequencies(f.session(), &freq));
  EXPECT_EQ(freq.records, 2);
  EXPECT_EQ(FrequencyBoxText(freq, TIPING),
            "          1            50.0 % ");  // a numeric 0 is empty
  EXPECT_EQ(FrequencyBoxText(freq, TRASH), "          1            50.0 % ");  // a text "0" is not
  EXPECT_EQ(FrequencyBoxText(freq, C1), "          2           100.0 % ");
  EXPECT_EQ(FrequencyBoxText(freq, P1), "          0             0.0 % ");
  ConfigRecord config;
  for (int i = 0; i < 63; ++i) config.SetCompletenessField(i, false);
  EXPECT_EQ(OverallFillRate(freq, config), "0/0");
  config.SetCompletenessField(C1 - 1, true);  // C1
  config.SetCompletenessField(C1, true);      // C2
  config.SetCompletenessField(TIPING - 1, true);
  EXPECT_EQ(OverallFillRate(freq, config), " 66.67 %");
}

}  // namespace
}  // namespace quirovel::testing
