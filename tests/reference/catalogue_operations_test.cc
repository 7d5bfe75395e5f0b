#include "reference/catalogue_operations.h"
#include "session/catalogue_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/cie_tables.h"
#include "reference/config_defaults.h"
#include "session/session.h"
#include "session/startup.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

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
    fs.SetContents("/r/QUIROVEL/CIE" + suffix + ".dbf", testing::CieAttributesBytes(testing::CieRows(codes)));
    fs.SetContents("/r/QUIROVEL/CIEDE" + suffix + ".dbf", testing::CieDescriptionsBytes(codes, texts));
  }
  Session& Start(FileSystem* on = nullptr) {
    feedback.Clear();
    session = std::make_unique<Session>(on ? *on : fs, feedback, "/r");
    LoadConfig(*session);
    return *session;
  }
  std::vector<std::string> Shown() const {  // "caption: text"
    std::vector<std::string> shown;
    for (const auto& m : feedback.messages) shown.push_back(m.caption.empty() ? m.text : m.caption + ": " + m.text);
    return shown;
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  std::unique_ptr<Session> session;
};

TEST_F(CatalogueOperationsTest, EachVersionYearOpensItsOwnTablesAndOthersFallBack) {
  const std::pair<int, std::string> years[] = {{1988, "88"}, {1992, "92"}, {1997, "97"}, {1999, "99"},
                                               {2002, "02"}, {2004, "04"}, {2006, "06"}};
  for (const auto& [year, suffix] : years) Catalogue(suffix, {"A" + suffix});
  for (const auto& [year, suffix] : years) {
    Config(year);
    Session& s = Start();
    EXPECT_EQ(s.catalogue.descriptions().path(), "/r/QUIROVEL/CIEDE" + suffix + ".dbf");
    EXPECT_EQ(s.catalogue.FindDiagnosis("A" + suffix + "   "), 1) << year;
  }
  // The automatic mode (50) opens 2006 and is stored as 2006.
  Config(50);
  Session& s = Start();
  EXPECT_THAT(Shown(), ::testing::Contains("Version incorrecta: Se activará la del 2006"_cp));
  EXPECT_EQ(s.config.VersionYear(), 2006);
  EXPECT_EQ(s.catalogue.attributes().path(), "/r/QUIROVEL/CIE06.dbf");
  // A year without an edition opens the latest one before it and stays stored.
  feedback.Clear();
  s.config.SetVersionYear(2005);
  OpenCieCatalogue(s);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Version CIE9MC 2005 sin catálogo propio: se usará la del 2004"_cp});
  EXPECT_EQ(s.config.VersionYear(), 2005);
  EXPECT_EQ(s.catalogue.attributes().path(), "/r/QUIROVEL/CIE04.dbf");
  for (const auto& [year, edition] : {std::pair{2010, 2006}, {1990, 1988}, {1987, 2006}})
    EXPECT_EQ(CieEditionFor(year), edition) << year;
}

TEST_F(CatalogueOperationsTest, CodeDescriptionOfTheCurrentEpisode) {
  Catalogue("02", {"250.00", "45.13"}, {"DIABETES MELLITUS", "GASTROSCOPIA"});
  Config(2002);
  auto fields = testing::Without(testing::CmbdAFields(), {"C3"});
  fs.SetContents("/r/QUIROVEL/trabajo/Ctprueba.dbf",
                 testing::DbfBytes(fields, {testing::RowFor(fields, {{"C1", "250.00"}, {"C2", "999.99"},
                                                                     {"P1", "45.13"}, {"P2", "45.1"}})}));
  Session& s = Start();
  ASSERT_EQ(s.table.ReadRecord(1), 0);
  const std::pair<int, const char*> cases[] = {{C1, "DIABETES MELLITUS"}, {C1 + 1, "<< NO ES CIE9-MC >>"},
                                               {C1 + 2, ""},  // a field the file does not have
                                               {C15, ""},     // a blank field
                                               {P1, "GASTROSCOPIA"},      {P1 + 1, "<< NO ES CIE9-MC >>"}};
  for (const auto& [field, text] : cases) EXPECT_EQ(CodeDescription(s, field), text) << field;
  // The description does not move the attributes record a check is reading.
  ASSERT_EQ(s.catalogue.FindProcedure("45.13"), 2);
  CodeDescription(s, C1);
  EXPECT_EQ(s.catalogue.Column(1), "45.13  ");
}

TEST(CatalogueEditions, DischargeDateChoosesTheEdition) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"20020101", "2002", 4}, {"20061231", "2002", 4}, {"20011231", "1999", 3}, {"19990101", "1999", 3},
      {"19981231", "1997", 2}, {"19970101", "1997", 2}, {"19961231", "1992", 1}, {"19920101", "1992", 1},
      {"19911231", "1988", 0}, {"19880101", "1988", 0}, {"19871231", "\xA8?", 4}, {"        ", "\xA8?", 4},
      {"  2002  ", "\xA8?", 4}, {"2002X101", "\xA8?", 4}, {"999999999999", "2002", 4}};
  for (const auto& [fecalt, label, position] : cases) {
    const EpisodeEdition e = EditionForDischargeDate(fecalt);
    EXPECT_EQ(e.label, std::string(label)) << fecalt;
    EXPECT_EQ(e.position, position) << fecalt;
    EXPECT_EQ(e.out_of_range, label[0] == '\xA8') << fecalt;
  }
}

TEST_F(CatalogueOperationsTest, OrderCheckCountsRepeatsAndStopsAtTheFirstCodeOutOfOrder) {
  const struct {
    std::vector<std::string> codes;
    bool out_of_order;
    std::int64_t records;
    std::int32_t repeats;
    std::vector<std::string> shown;  // codes as the table holds them, blanks included
  } cases[] = {
      {{"001.0", "001.0", "002.1", "002.1 X", "003"}, false, 5, 2,
       {"2 códigos repetidos: 001.0  , 002.1  , "_cp}},
      {{"001.0", "003", "002", "001"}, true, 2, 0, {"Fichero CIE9MC desordenado: 003     > 002    "}},
      // Equal on six characters is a repeat; the seventh still orders them.
      {{"V27.01B", "V27.01A"}, true, 1, 1,
       {"Fichero CIE9MC desordenado: V27.01B > V27.01A", "1 códigos repetidos: V27.01B, "_cp}},
  };
  Config(2002);
  for (const auto& c : cases) {
    Catalogue("02", c.codes);
    Session& s = Start();
    feedback.Clear();
    CatalogueOrderResult r = CheckCatalogueOrder(s);
    EXPECT_EQ(r.out_of_order, c.out_of_order) << c.codes[0];
    EXPECT_EQ(r.records, c.records);
    EXPECT_EQ(r.repeats, c.repeats);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(feedback.status, "Regs " + std::to_string(c.records));
    EXPECT_EQ(*fs.Contents("/r/QUIROVEL/trabajo/salida.txt"), "");
  }
}

TEST_F(CatalogueOperationsTest, OrderCheckBoundsItsListAndGoesOnWithoutItsWorkFile) {
  Catalogue("02", std::vector<std::string>(3001, "123.45"));
  Config(2002);
  FaultyFileSystem faulty(fs);
  faulty.FailOpensOf("salida.txt");
  Session& s = Start(&faulty);
  feedback.Clear();
  const CatalogueOrderResult r = CheckCatalogueOrder(s);
  EXPECT_EQ(r.records, 3001);
  EXPECT_EQ(r.repeats, 3000);
  EXPECT_LE(r.repeated_list.size(), kRepeatedListSize);
  EXPECT_EQ(r.repeated_list.substr(r.repeated_list.size() - 12), "123.45 , ...");
  EXPECT_EQ(Shown().front(), "Error al abrir el fichero de salida.txt");
  EXPECT_EQ(feedback.messages.back().caption, "3000 códigos repetidos"_cp);
}

}  // namespace
}  // namespace quirovel
