// The episode table in its four modes with its counts, saved as "TABLA.DBF"
// and read back by independent dBase readers (Python's dbfread, GDAL's
// ogrinfo; a test whose program is missing is skipped and says which package
// it needs), and the admissions histogram over its rows.
#include "analyses/episode_table.h"

#include <gtest/gtest.h>

#include "analyses/episode_table_description.h"
#include "analyses/episode_table_save.h"
#include "session/episode_walk.h"
#include "support/detection_fixture.h"
#include "support/temp_dir.h"
#include "validation/cmbd_layout.h"

namespace quirovel::testing {
namespace {

Episode At(const std::string& historia, const std::string& service, const std::string& c1,
           const std::string& fecing) {
  return CleanEpisode()
      .Set("HISTORIA", historia)
      .Set("SERVALT", service)
      .Set("C1", c1)
      .Set("FECING", fecing);
}

// HISTORIA eight characters wide, so that a saved table shows it right-aligned.
std::vector<std::string> NarrowHistory() {
  std::vector<std::string> layout(kCmbdLayout.begin(), kCmbdLayout.end());
  layout[HISTORIA - 1] = "HISTORIA#C8";
  return layout;
}

class EpisodeTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable({At("3001", "70100", "486", "20050301"), At("3002", "70100", "", "20050303"),
                  At("3003", "70440", "", "20050303"), At("3004", "701", "486", "20050305")},
                 NarrowHistory());
    // Catalogue numbers 7 (E61) and 13 (E91); episode 1 has E61 twice.
    ASSERT_TRUE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}, {13, SEXO}, {7, FECNAC}}},
                                          {2, {{7, HISTORIA}}},
                                          {3, {{7, HISTORIA}}},
                                          {4, {{13, SEXO}}}})));
    f.feedback().Clear();
  }

  std::vector<std::string> Ids(const EpisodeQuery& query, EpisodeTableCounts* counts = nullptr) {
    const EpisodeTableCounts c = SearchEpisodes(f.session(), query, &table);
    if (counts != nullptr) *counts = c;
    std::vector<std::string> ids;
    for (std::size_t row = 0; row < table.size(); ++row) {
      EXPECT_TRUE(LoadRow(f.session(), table, row));
      ids.push_back(RowText(f.session(), table, row, EpisodeTable::kIdColumn) + ":" +
                    std::string(RowField(f.session(), HISTORIA - 1)));
    }
    return ids;
  }

  DetectionFixture f;
  EpisodeTable table;
};

TEST_F(EpisodeTableTest, FourModesAndTheirCounts) {
  EpisodeQuery query;
  query.type_filter = TypeFilter(7);
  EXPECT_EQ(query.type_filter, " 7");
  EXPECT_EQ(Ids(query),
            (std::vector<std::string>{"0:3001    ", "2:3001    ", "3:3002    ", "4:3003    "}));

  query.type_filter.clear();
  query.service_filter = ServiceFilter("70100");
  EpisodeTableCounts counts;
  EXPECT_EQ(Ids(query, &counts),
            (std::vector<std::string>{"0:3001    ", "1:3001    ", "2:3001    ", "3:3002    "}));
  EXPECT_EQ(counts.rows, 4);
  EXPECT_EQ(counts.service_episodes, 2);  // one per change of history
  // "701" matches only a raw SERVALT of exactly "701": this one is "701  ".
  query.service_filter = ServiceFilter("00701");
  EXPECT_EQ(query.service_filter, "701");
  EXPECT_TRUE(Ids(query).empty());
  query.service_filter.clear();
  EXPECT_TRUE(Ids(query).empty());  // neither filter: an empty table

  EpisodeQuery service;
  service.mode = EpisodeTableMode::kUncodedOfService;
  service.service_code = "70100";
  EXPECT_EQ(Ids(service, &counts), std::vector<std::string>{"@2:3002    "});
  EXPECT_EQ(counts.service_name, "MEDICINA INTERNA");
  service.mode = EpisodeTableMode::kDischargesOfService;
  EXPECT_EQ(Ids(service), (std::vector<std::string>{"@1:3001    ", "@2:3002    "}));

  EpisodeQuery kept;
  kept.mode = EpisodeTableMode::kSearchResult;
  kept.records = {3, 1, 9, 2};  // record 9 cannot be read: the table ends there
  EXPECT_EQ(Ids(kept, &counts), (std::vector<std::string>{"@3:3003    ", "@1:3001    "}));
  EXPECT_TRUE(counts.incomplete);
  EXPECT_TRUE(f.feedback().messages.empty());
}

TEST_F(EpisodeTableTest, AdmissionsHistogramOverTheRows) {
  EpisodeQuery query;
  query.type_filter = TypeFilter(7);
  SearchEpisodes(f.session(), query, &table);
  const UncodedHistogram h = AdmissionsHistogram(f.session(), table);
  EXPECT_EQ(h.first_date, 20050301);
  EXPECT_EQ(h.last_date, 20050303);
  EXPECT_EQ(h.bars, 5);         // three days and two
  EXPECT_EQ(h.counters[0], 2);  // episode 1 has two rows
  EXPECT_EQ(h.counters[2], 2);
}

TEST_F(EpisodeTableTest, SavedTableReadBackByDbfread) {
  const std::string python = testing::DbfreadPython();
  if (python.empty())
    GTEST_SKIP() << "python3 with dbfread is missing (apt-get install python3-dbfread)";
  EpisodeQuery query;
  query.type_filter = TypeFilter(7);
  SearchEpisodes(f.session(), query, &table);
  ASSERT_TRUE(SaveEpisodeTable(f.session(), table));
  EXPECT_EQ(f.feedback().status, "-> tabla.dbf");
  EXPECT_FALSE(f.WorkExists("TABLA.DBF.tmp"));

  TempDir dir;
  WriteFileBytes(
      dir.Path("read.py"),
      "import sys, dbfread\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp1252')\n"
      "print(len(t.fields), t.fields[4].name, t.fields[4].length, t.header.numrecords)\n"
      "for r in t:\n"
      "    print(repr(r['HISTORIA']), r['SERVALT'], r['FECING'], r['SEXO'], repr(r['C1']),"
      " repr(r['P1']))\n");
  int status = 0;
  const std::string out = RunCommand(
      python + " " + ShellQuote(dir.Path("read.py")) + " " + ShellQuote(f.WorkPath("TABLA.DBF")),
      &status);
  ASSERT_EQ(status, 0) << out;
  EXPECT_EQ(out,
            "63 HISTORIA 12 4\n"
            "'    3001' 70100 2005-03-01 2 '486' ''\n"  // right-aligned in 12
            "'    3001' 70100 2005-03-01 2 '486' ''\n"
            "'    3002' 70100 2005-03-03 2 '' ''\n"
            "'    3003' 70440 2005-03-03 2 '' ''\n");

  // The eight characters of HISTORIA right-aligned in twelve.
  DbfTable saved(RealFileSystem(), f.feedback());
  ASSERT_EQ(saved.Open(f.WorkPath("TABLA.DBF")), 1);
  ASSERT_EQ(saved.ReadRecord(3), 0);
  EXPECT_EQ(saved.FieldText(HISTORIA), "    3002    ");
  EXPECT_EQ(saved.FieldText(C1), "      ");
  saved.Close();

  if (!CommandWorks("ogrinfo --version"))
    GTEST_SKIP() << "ogrinfo is missing (apt-get install gdal-bin)";
  const std::string gdal =
      RunCommand("ogrinfo -ro -al " + ShellQuote(f.WorkPath("TABLA.DBF")) + " 2>&1", &status);
  ASSERT_EQ(status, 0) << gdal;
  EXPECT_NE(gdal.find("Feature Count: 4"), std::string::npos) << gdal;
  EXPECT_NE(gdal.find("HISTORIA: String (12.0)"), std::string::npos) << gdal;
  EXPECT_NE(gdal.find("SERVALT (String) = 70440"), std::string::npos) << gdal;
  EXPECT_NE(gdal.find("FECING (Date) = 2005/03/03"), std::string::npos) << gdal;
}

TEST_F(EpisodeTableTest, SavingOverTheCurrentFileOrAFailedSaveKeepsTheLastTable) {
  EpisodeQuery query;
  query.type_filter = TypeFilter(13);
  SearchEpisodes(f.session(), query, &table);
  ASSERT_TRUE(SaveEpisodeTable(f.session(), table));
  const std::string saved = f.Work("TABLA.DBF");

  // The working directory's TABLA.DBF as the current file, in any case.
  ASSERT_TRUE(f.session().config.SetCurrentPath("C:\\QUIROVEL\\TRABAJO\\tabla.dbf"));
  EXPECT_FALSE(SaveEpisodeTable(f.session(), table));
  EXPECT_EQ(f.feedback().Texts().back(),
            "El fichero TABLA.DBF est\xe1 utilizandose en la detecci\xf3n.");
  ASSERT_TRUE(f.session().config.SetCurrentPath(DetectionFixture::kCurrentFile));

  // A disk that fills while the rows are written: the last table stays whole.
  query.type_filter = TypeFilter(7);
  SearchEpisodes(f.session(), query, &table);
  f.fs().KeepFaultsTo("TABLA.DBF.tmp");
  f.fs().SetFileSizeLimit(3000);
  EXPECT_FALSE(SaveEpisodeTable(f.session(), table));
  EXPECT_EQ(f.Work("TABLA.DBF"), saved);
  EXPECT_FALSE(f.WorkExists("TABLA.DBF.tmp"));
}

}  // namespace
}  // namespace quirovel::testing

namespace quirovel::testing {
namespace {

TEST(EpisodeDescriptionTest, LabelsDatesServicesAndCodes) {
  DetectionFixture f;
  f.WriteTable({CleanEpisode()
                    .Set("HISTORIA", "4001")
                    .Set("TIPING", "9")
                    .Set("TIPALT", "9")
                    .Set("C2", "250.00")
                    .Set("C3", " 486")
                    .Set("CE", "ZZZ")
                    .Set("P1", "47.0")});
  ASSERT_TRUE(ReopenCurrentTable(f.session()));
  const EpisodeDescription d = DescribeEpisode(f.session(), 1);
  EXPECT_EQ(d.caption, "H\xaa 4001          ");
  ASSERT_EQ(d.roots.size(), 3u);
  EXPECT_EQ(d.roots[0].text, "Episodio" + std::string(64, ' ') + "Estancia : 9 ");
  EXPECT_EQ(
      d.roots[0].children,
      (std::vector<std::string>{
          "Procedencia   : Urgencias ", "Tipo Ingreso   :  ",  // 9 is not an admission type
          "Financiaci\xf3n   : Seguridad Social ", "Sexo               : Mujer    34 a\xf1os ",
          "Ingreso            : 01/03/2005   MEDICINA INTERNA",
          "Intervenci\xf3n    :            ", "Parto               :            ",
          "Alta                 : 10/03/2005   MEDICINA INTERNA",
          "Tipo Alta         : Desconocido "}));
  // Codes beginning with a blank are left out; unknown ones say so.
  EXPECT_EQ(d.roots[1].text, "Diagnosticos");
  EXPECT_EQ(d.roots[1].children,
            (std::vector<std::string>{"C1   486    Neumonia, organismo sin especificar",
                                      "C2   250.00 Diabetes mellitus sin complicaciones",
                                      "CE   ZZZ    << NO ES CIE9-MC >>"}));
  EXPECT_EQ(d.roots[2].children, std::vector<std::string>{"P1    47.0  Codigo 47.0"});
  EXPECT_EQ(CodedValueLabel(PROCEDEN, 7), "Nacidos en el Hospital");
  EXPECT_EQ(CodedValueLabel(PROCEDEN, 7, true), "Nacidos Hospital");
  EXPECT_EQ(CodedValueLabel(SEXO2N, 3), "Indeterminado");
  EXPECT_TRUE(DescribeEpisode(f.session(), 2).roots.empty());  // no such record
}

}  // namespace
}  // namespace quirovel::testing
