// Moving through the episode table: the services offered for choice, the
// type filter's steps, the order of the rows by a column and the values of
// the search dialog's lists.
#include "analyses/episode_table_browse.h"

#include <gtest/gtest.h>

#include "support/detection_fixture.h"

namespace quirovel::testing {
namespace {

TEST(EpisodeTableBrowseTest, ServicesTypeStepsAndListValues) {
  DetectionFixture f;
  // servicios.txt of the fixture: three services after its heading line;
  // the slots without a name are not offered.
  const std::vector<ServiceChoice> services = ServiceChoices(f.session().references.services);
  ASSERT_EQ(services.size(), 3u);
  EXPECT_EQ(services[0].name, "MEDICINA INTERNA");
  EXPECT_EQ(services[0].code, "70100");
  EXPECT_EQ(services[0].value, 70100);
  EXPECT_EQ(services[2].value, 70552);
  EXPECT_EQ(ChoiceValue(services, 0), 0);  // the empty entry
  EXPECT_EQ(ChoiceValue(services, 1), 70100);
  EXPECT_EQ(ChoiceValue(services, 4), 0);

  EXPECT_EQ(StepErrorNumber(0, -1), 0);
  EXPECT_EQ(StepErrorNumber(0, 1), 1);
  EXPECT_EQ(StepErrorNumber(71, 1), 71);
  EXPECT_EQ(StepErrorNumber(12, -1), 11);

  EXPECT_EQ(ChoiceValue(SexChoices(), 4), 9);  // "Desconocido"
  EXPECT_EQ(ChoiceValue(DischargeTypeChoices(), 5), 5);
  EXPECT_EQ(ChoiceValue(AdmissionTypeChoices(), -1), 0);
  EXPECT_EQ(kDiagnosisColumn, 18);
}

class EpisodeTableSortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    f.WriteTable({CleanEpisode().Set("HISTORIA", "300").Set("FECING", "20050303"),
                  CleanEpisode().Set("HISTORIA", "100").Set("FECING", "20050301"),
                  CleanEpisode().Set("HISTORIA", "200").Set("FECING", "20050303")});
    // Error 7 twice on episode 1, once on episode 3.
    ASSERT_TRUE(f.Run(kMensual, Scripted({{1, {{7, HISTORIA}, {7, SEXO}}}, {3, {{7, SEXO}}}})));
    EpisodeQuery query;
    query.type_filter = TypeFilter(7);
    SearchEpisodes(f.session(), query, &table);
  }

  std::vector<std::string> Ids() const {
    std::vector<std::string> ids;
    for (std::size_t row = 0; row < table.size(); ++row) ids.push_back(table.Id(row));
    return ids;
  }

  DetectionFixture f;
  EpisodeTable table;
};

TEST_F(EpisodeTableSortTest, ByAFieldKeepingEqualRowsInOrderAndByTheId) {
  ASSERT_EQ(Ids(), (std::vector<std::string>{"0", "1", "2"}));
  ASSERT_TRUE(SortEpisodeTable(f.session(), FECING - 1, false, &table));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"0", "1", "2"}));  // all on 03/03
  ASSERT_TRUE(SortEpisodeTable(f.session(), HISTORIA - 1, false, &table));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"2", "0", "1"}));  // "200" before "300"
  ASSERT_TRUE(SortEpisodeTable(f.session(), HISTORIA - 1, true, &table));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"0", "1", "2"}));
  EXPECT_EQ(table.Record(2), 3);
  // Error rows by their log position, episode rows by their record.
  ASSERT_TRUE(SortEpisodeTable(f.session(), EpisodeTable::kIdColumn, true, &table));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"2", "1", "0"}));

  EpisodeQuery kept;
  kept.mode = EpisodeTableMode::kSearchResult;
  kept.records = {2, 3, 1};
  SearchEpisodes(f.session(), kept, &table);
  ASSERT_TRUE(SortEpisodeTable(f.session(), EpisodeTable::kIdColumn, false, &table));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"@1", "@2", "@3"}));
  ASSERT_TRUE(SortEpisodeTable(f.session(), HISTORIA - 1, false, &table));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"@2", "@3", "@1"}));

  // A row whose episode is gone leaves the table as it was.
  EpisodeTable gone;
  gone.Add(2);
  gone.Add(99);
  EXPECT_FALSE(SortEpisodeTable(f.session(), HISTORIA - 1, false, &gone));
  EXPECT_EQ(gone.Id(1), "@99");
  EXPECT_FALSE(SortEpisodeTable(f.session(), EpisodeTable::kColumns, false, &gone));
}

}  // namespace
}  // namespace quirovel::testing
