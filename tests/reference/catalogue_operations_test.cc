#include "reference/catalogue_operations.h"
#include "session/catalogue_session.h"

#include <gtest/gtest.h>

#include "session/session.h"
#include "session/startup.h"
#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/cie_tables.h"
#include "reference/config_defaults.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

using testing::CieAttributesBytes;
using testing::CieDescriptionsBytes;
using testing::CieRows;

class CatalogueOperationsTest : public ::testing::Test {
 protected:
  CatalogueOperationsTest() { fs.MakeDirectories("/r/QUIROVEL/trabajo"); }

  void Config(int year) {
    ConfigRecord r = NewConfigRecord();
    r.SetVersionYear(year);
    fs.SetContents("/r/QUIROVEL/Quirovel.dat", std::string(r.bytes().begin(), r.bytes().end()));
  }
  void Catalogue(const std::string& suffix, const std::vector<std::string>& codes,
                 const std::vector<std::string>& texts = {}) {
    fs.SetContents("/r/QUIROVEL/CIE" + suffix + ".dbf", CieAttributesBytes(CieRows(codes)));
    fs.SetContents("/r/QUIROVEL/CIEDE" + suffix + ".dbf", CieDescriptionsBytes(codes, texts));
  }
  // The current CMBD-A file: one episode per row of field values.
  void Episodes(const std::vector<std::map<std::string, std::string>>& rows,
                std::vector<testing::TableField> fields = testing::CmbdAFields()) {
    std::vector<std::vector<std::string>> values;
    for (const auto& r : rows) values.push_back(testing::RowFor(fields, r));
    fs.SetContents("/r/QUIROVEL/trabajo/Ctprueba.dbf", testing::DbfBytes(fields, values));
  }
  Session& Start() {
    session = std::make_unique<Session>(fs, feedback, "/r");
    LoadConfig(*session);
    return *session;
  }
  bool Shown(const std::string& text) const {
    for (const auto& t : feedback.Texts())
      if (t == text) return true;
    return false;
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  std::unique_ptr<Session> session;
};

TEST_F(CatalogueOperationsTest, EachVersionYearOpensItsOwnTables) {
  const std::pair<int, const char*> years[] = {{1988, "88"}, {1992, "92"}, {1997, "97"}, {1999, "99"},
                                               {2002, "02"}, {2004, "04"}, {2006, "06"}};
  for (const auto& [year, suffix] : years) {
    Catalogue(suffix, {std::string("A") + suffix});
  }
  for (const auto& [year, suffix] : years) {
    Config(year);
    Session& s = Start();
    EXPECT_EQ(s.catalogue.attributes().path(), std::string("/r/QUIROVEL/CIE") + suffix + ".dbf");
    EXPECT_EQ(s.catalogue.descriptions().path(), std::string("/r/QUIROVEL/CIEDE") + suffix + ".dbf");
    EXPECT_EQ(s.catalogue.FindDiagnosis(std::string("A") + suffix + "   "), 1) << year;
  }
  EXPECT_EQ(CieEditionFor(2005), 2004);
  EXPECT_EQ(CieEditionFor(2010), 2006);
  EXPECT_EQ(CieEditionFor(1990), 1988);
  EXPECT_EQ(CieEditionFor(1987), 2006);
}

TEST_F(CatalogueOperationsTest, AutomaticModeOpens2006AndAnUnknownYearStaysStored) {
  Catalogue("06", {"250.00"});
  Catalogue("04", {"250.00"});
  Config(50);
  Session& s = Start();
  EXPECT_TRUE(Shown("Version incorrecta: Se activará la del 2006"_cp));
  EXPECT_EQ(s.config.VersionYear(), 2006);
  EXPECT_EQ(s.catalogue.attributes().path(), "/r/QUIROVEL/CIE06.dbf");

  feedback.Clear();
  s.config.SetVersionYear(2005);
  OpenCieCatalogue(s);
  EXPECT_EQ(feedback.Texts(),
            std::vector<std::string>{"Version CIE9MC 2005 sin catálogo propio: se usará la del 2004"_cp});
  EXPECT_EQ(s.config.VersionYear(), 2005);
  EXPECT_EQ(s.catalogue.attributes().path(), "/r/QUIROVEL/CIE04.dbf");
  EXPECT_EQ(s.catalogue.FindDiagnosis("250.00"), 1);
}

TEST_F(CatalogueOperationsTest, CodeDescriptionOfTheCurrentEpisode) {
  Catalogue("02", {"250.00", "45.13"}, {"DIABETES MELLITUS", "GASTROSCOPIA"});
  Config(2002);
  Episodes({{{"C1", "250.00"}, {"C2", "999.99"}, {"P1", "45.13"}, {"P2", "45.1"}}});
  Session& s = Start();
  ASSERT_EQ(s.table.ReadRecord(1), 0);
  EXPECT_EQ(CodeDescription(s, C1), "DIABETES MELLITUS");
  EXPECT_EQ(CodeDescription(s, C1 + 1), "<< NO ES CIE9-MC >>");
  EXPECT_EQ(CodeDescription(s, C15), "");  // a blank field
  EXPECT_EQ(CodeDescription(s, P1), "GASTROSCOPIA");
  EXPECT_EQ(CodeDescription(s, P1 + 1), "<< NO ES CIE9-MC >>");
  // The description does not move the attributes record a check is reading.
  ASSERT_EQ(s.catalogue.FindProcedure("45.13"), 2);
  CodeDescription(s, C1);
  EXPECT_EQ(s.catalogue.Column(1), "45.13  ");

  // A field the file does not have gives an empty text.
  Episodes({{{"C1", "250.00"}}}, testing::Without(testing::CmbdAFields(), {"C1"}));
  Session& t = Start();
  ASSERT_EQ(t.table.ReadRecord(1), 0);
  EXPECT_EQ(CodeDescription(t, C1), "");
}

TEST_F(CatalogueOperationsTest, DischargeDateChoosesTheVersion) {
  const std::vector<std::pair<std::string, std::pair<std::string, int>>> cases = {
      {"20020101", {"2002", 4}}, {"20061231", {"2002", 4}}, {"20011231", {"1999", 3}},
      {"19990101", {"1999", 3}}, {"19981231", {"1997", 2}}, {"19970101", {"1997", 2}},
      {"19961231", {"1992", 1}}, {"19920101", {"1992", 1}}, {"19911231", {"1988", 0}},
      {"19880101", {"1988", 0}}, {"19871231", {"\xA8?", 4}}, {"        ", {"\xA8?", 4}},
      {"  2002  ", {"\xA8?", 4}}, {"2002X101", {"\xA8?", 4}}};
  std::vector<std::map<std::string, std::string>> rows;
  for (const auto& c : cases) rows.push_back({{"FECALT", c.first}});
  Episodes(rows);
  Session& s = Start();
  int out_of_range = 0;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    ASSERT_EQ(s.table.ReadRecord(static_cast<std::int64_t>(i + 1)), 0);
    VersionForDischargeDate(s);
    EXPECT_EQ(s.run.VersionLabel, cases[i].second.first) << cases[i].first;
    EXPECT_EQ(s.run.VersionPosition, cases[i].second.second) << cases[i].first;
    if (cases[i].second.first[0] == '\xA8') ++out_of_range;
  }
  EXPECT_EQ(s.run.OutOfRangeCount, out_of_range);
}

TEST_F(CatalogueOperationsTest, OrderCheckListsRepeatsOnce) {
  Catalogue("02", {"001.0", "001.0", "002.1", "002.1 X", "003"});
  Config(2002);
  Session& s = Start();
  feedback.Clear();
  CatalogueOrderResult r = CheckCatalogueOrder(s);
  EXPECT_FALSE(r.out_of_order);
  EXPECT_EQ(r.records, 5);
  EXPECT_EQ(r.repeats, 2);
  ASSERT_EQ(feedback.messages.size(), 1u);
  // Codes are shown as the table holds them, blanks included.
  EXPECT_EQ(feedback.messages[0].text, "001.0  , 002.1  , ");
  EXPECT_EQ(feedback.messages[0].caption, "2 códigos repetidos"_cp);
  EXPECT_EQ(feedback.status, "Regs 5");
  EXPECT_EQ(*fs.Contents("/r/QUIROVEL/trabajo/salida.txt"), "");
}

TEST_F(CatalogueOperationsTest, OrderCheckStopsAtTheFirstCodeOutOfOrder) {
  Catalogue("02", {"001.0", "003", "002", "001"});
  Config(2002);
  Session& s = Start();
  feedback.Clear();
  CatalogueOrderResult r = CheckCatalogueOrder(s);
  EXPECT_TRUE(r.out_of_order);
  EXPECT_EQ(r.records, 2);  // stopped at record 3
  ASSERT_EQ(feedback.messages.size(), 1u);
  EXPECT_EQ(feedback.messages[0].text, "003     > 002    ");
  EXPECT_EQ(feedback.messages[0].caption, "Fichero CIE9MC desordenado");
  EXPECT_EQ(feedback.status, "Regs 2");
}

TEST_F(CatalogueOperationsTest, OrderCheckOnARepeatLooksAtTheSeventhCharacter) {
  Catalogue("02", {"V27.01B", "V27.01A"});
  Config(2002);
  Session& s = Start();
  feedback.Clear();
  CatalogueOrderResult r = CheckCatalogueOrder(s);
  EXPECT_EQ(r.repeats, 1);
  EXPECT_TRUE(r.out_of_order);
  ASSERT_EQ(feedback.messages.size(), 2u);
  EXPECT_EQ(feedback.messages[0].caption, "Fichero CIE9MC desordenado");
  EXPECT_EQ(feedback.messages[1].text, "V27.01B, ");
}

TEST_F(CatalogueOperationsTest, LongListsOfRepeatsAreBounded) {
  std::vector<std::string> codes(3001, "123.45");
  Catalogue("02", codes);
  Config(2002);
  Session& s = Start();
  feedback.Clear();
  CatalogueOrderResult r = CheckCatalogueOrder(s);
  EXPECT_EQ(r.repeats, 3000);
  EXPECT_LE(r.repeated_list.size(), kRepeatedListSize);
  EXPECT_EQ(r.repeated_list.substr(r.repeated_list.size() - 12), "123.45 , ...");
  EXPECT_EQ(feedback.messages.back().caption, "3000 códigos repetidos"_cp);
}

TEST_F(CatalogueOperationsTest, OrderCheckGoesOnWithoutItsWorkFile) {
  Catalogue("02", {"001", "002"});
  Config(2002);
  FaultyFileSystem faulty(fs);
  faulty.FailOpensOf("salida.txt");
  session = std::make_unique<Session>(faulty, feedback, "/r");
  LoadConfig(*session);
  feedback.Clear();
  CatalogueOrderResult r = CheckCatalogueOrder(*session);
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"Error al abrir el fichero de salida.txt"});
  EXPECT_EQ(r.records, 2);
}

}  // namespace
}  // namespace quirovel
