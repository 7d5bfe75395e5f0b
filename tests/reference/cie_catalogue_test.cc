// The CIE-9-MC catalogue: lookups, descriptions, editions and the order check.
#include "reference/cie_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/faulty_file_system.h"
#include "platform/format.h"
#include "platform/memory_file_system.h"
#include "platform/recording_feedback.h"
#include "reference/catalogue_operations.h"
#include "reference/cie_tables.h"
#include "reference/config_defaults.h"
#include "session/catalogue_session.h"
#include "session/session.h"
#include "session/startup.h"
#include "support/dbf_builder.h"

namespace quirovel {
namespace {

using testing::CieAttributesBytes;
using testing::CieDescriptionsBytes;
using testing::CieRows;

// Codes as the CMBD-A fields hold them: diagnoses 6 characters, procedures 5.
std::string D(std::string code) {
  code.resize(6, ' ');
  return code;
}

// "%05d" of 2, 4, 6, ...: n codes in order, 5 characters each.
std::vector<std::string> EvenCodes(int n) {
  std::vector<std::string> codes;
  for (int i = 1; i <= n; ++i) codes.push_back(StrFormat("%05d", 2 * i));
  return codes;
}

// Every test runs on both paths: the memory copy and the table layer.
class CieCatalogueTest : public ::testing::TestWithParam<bool> {
 protected:
  CieCatalogueTest() : catalogue(fs, feedback) {}

  void Load(const std::string& attributes, const std::string& descriptions) {
    fs.SetContents("/CIE.dbf", attributes);
    fs.SetContents("/CIEDE.dbf", descriptions);
    catalogue.set_use_memory_copy(GetParam());
    catalogue.Open("/CIE.dbf", "/CIEDE.dbf");
    catalogue.BuildSampleIndex(10);
  }
  void Build(const std::vector<std::string>& codes) {
    Load(CieAttributesBytes(CieRows(codes)), CieDescriptionsBytes(codes));
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  CieCatalogue catalogue;
};

TEST_P(CieCatalogueTest, FindsEveryCodeComparingSixCharactersForDiagnosesAndFiveForProcedures) {
  std::vector<std::string> codes = EvenCodes(95);
  for (const char* c : {"250.00", "250.017", "45.13", "V22.2"}) codes.push_back(c);  // 96..99
  Build(codes);
  EXPECT_EQ(catalogue.sample_count(), 10);  // records 1, 11, ..., 91; the last block runs to 99
  for (int r = 1; r <= 95; ++r) {
    ASSERT_EQ(catalogue.FindDiagnosis(D(codes[static_cast<std::size_t>(r - 1)])), r);
    ASSERT_EQ(catalogue.FindProcedure(codes[static_cast<std::size_t>(r - 1)]), r);
  }
  const struct {
    std::string code;
    bool procedure;
    std::int32_t record;
  } cases[] = {
      {D("00001"), false, 0},  // before the first code
      {D("00003"), false, 0},   {D(""), false, 0},      {D("W"), false, 0},  // after the last
      {"250.009", false, 96},  // a seventh character on either side makes no difference
      {D("250.01"), false, 97}, {D("250.0"), false, 0},  // "250.0 " is another code
      {"250.0", false, 0},                               // a text that ends differs from '0'
      {"45.13", true, 98},      {"45.137", true, 98},   {D("45.13"), false, 98},
      {D("V22.2"), false, 99},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.procedure ? catalogue.FindProcedure(c.code) : catalogue.FindDiagnosis(c.code),
              c.record)
        << "[" << c.code << "]";
  }
  EXPECT_TRUE(feedback.Texts().empty());
}

TEST_P(CieCatalogueTest, ColumnsReadTheRecordFoundWhateverTheCodeWidth) {
  Load(CieAttributesBytes({{"001.0", "X F  ", "F12 T"}, {"650", "XXXXX", " 2 4T"}}, 8),
       CieDescriptionsBytes({"001.0", "650"}, {}, 8));
  ASSERT_EQ(catalogue.FindDiagnosis(D("650")), 2);
  const std::pair<int, const char*> columns[] = {{1, "650     "}, {3, "XXXXX"}, {5, "2"},
                                                 {7, "4"},        {8, "T"},     {9, ""}};
  for (const auto& [c, text] : columns) EXPECT_EQ(catalogue.Column(c), text) << c;
  ASSERT_EQ(catalogue.FindDiagnosis(D("001.0")), 1);
  EXPECT_EQ(catalogue.Column(3), "X F  ");
  EXPECT_EQ(catalogue.Column(4), "F");
  EXPECT_EQ(catalogue.FindDiagnosis(D("999.9")), 0);
  EXPECT_EQ(catalogue.Column(3), "");  // nothing found, nothing to read
}

TEST_P(CieCatalogueTest, CodesCompareAsSignedBytes) {
  // Bytes above 0x7F are negative: they sort before the digits.
  const std::vector<std::string> codes = {"\xA8X", "\xE9", "\3510", "001", "V01"};  // \351: \xE9
  Build(codes);
  for (std::size_t i = 0; i < codes.size(); ++i)
    EXPECT_EQ(catalogue.FindDiagnosis(D(codes[i])), static_cast<std::int32_t>(i + 1)) << i;
  EXPECT_EQ(catalogue.FindDiagnosis(D("\xB0")), 0);
}

TEST_P(CieCatalogueTest, UnsortedTableGivesWhatTheBlockScanFinds) {
  // With fewer than ten records there is one sample (record 1) and one block.
  Build({"001", "005", "003", "007"});
  EXPECT_EQ(catalogue.FindDiagnosis(D("005")), 2);
  EXPECT_EQ(catalogue.FindDiagnosis(D("003")), 0);  // "005" already sorts after it: given up
  EXPECT_EQ(catalogue.FindDiagnosis(D("007")), 4);
  EXPECT_EQ(catalogue.FindDiagnosis(D("000")), 0);  // before sample 0: block of record 1 only
}

TEST_P(CieCatalogueTest, LongLastBlockTheProcedureGiveUpAndAskingAgain) {
  // 25000 records give 2301 samples, the message, and a last block from
  // record 23001 to 25000.
  std::vector<std::string> codes = EvenCodes(25000);
  Build(codes);
  EXPECT_EQ(feedback.Texts(), std::vector<std::string>{"V_Bsq: Fichero CIE9MCDESCR incorrecto"});
  EXPECT_EQ(catalogue.sample_count(), 2301);
  EXPECT_EQ(catalogue.sample_record(2301), 25000);  // the final entry
  EXPECT_EQ(catalogue.FindDiagnosis(D(codes[24999])), 25000);
  EXPECT_EQ(catalogue.FindProcedure(codes[22999]), 23000);  // an ordinary block
  for (int round = 0; round < 2; ++round) {  // the second round answers from the memo
    // The 201st record read is 23201: found there, given up just after it.
    EXPECT_EQ(catalogue.FindProcedure(codes[23200]), 23201);
    EXPECT_EQ(catalogue.FindProcedure(codes[23201]), 0);
    EXPECT_EQ(catalogue.Column(1), "");
    EXPECT_EQ(catalogue.FindProcedure(codes[23999]), 0);
    EXPECT_EQ(catalogue.FindDiagnosis(D(codes[23201])), 23202);  // no give-up for diagnoses
    EXPECT_EQ(catalogue.Column(1), codes[23201] + "  ");
  }
  // New samples: no long last block, so no give-up.
  catalogue.BuildSampleIndex(20);
  EXPECT_EQ(catalogue.FindProcedure(codes[23201]), 23202);
  // Other tables: nothing is carried over.
  Build({"00002", "00004"});
  EXPECT_EQ(catalogue.FindProcedure("00004"), 2);
  Build({"00001", "00002", "00004"});
  EXPECT_EQ(catalogue.FindProcedure("00004"), 3);
}

TEST_P(CieCatalogueTest, DescriptionsAreDecodedAndUnknownCodesSaySo) {
  const std::vector<std::string> codes = {"45.13", "813.21"};
  // Character 36 is the blank between "Y" and "CUBITO": the words stay apart.
  Load(CieAttributesBytes(CieRows(codes)),
       CieDescriptionsBytes(codes, {"GASTROSCOPIA", "FRACTURA DE LA DIAFISIS DEL RADIO Y CUBITO"}));
  const std::tuple<const char*, int, const char*> cases[] = {
      {"813.21", 6, "FRACTURA DE LA DIAFISIS DEL RADIO Y CUBITO"},
      {"45.13", 5, "GASTROSCOPIA"},
      {"999.99", 6, "<< NO ES CIE9-MC >>"},
      {"     9", 6, ""},
      {"", 5, ""}};
  for (const auto& [code, compared, text] : cases)
    EXPECT_EQ(catalogue.Description(code, compared), text) << code;
}

TEST_P(CieCatalogueTest, MissingTablesMakeAnEmptyCatalogue) {
  catalogue.set_use_memory_copy(GetParam());
  catalogue.Open("/none/CIE.dbf", "/none/CIEDE.dbf");
  EXPECT_EQ(feedback.Texts(),
            (std::vector<std::string>{"Error al abril el fichero /none/CIE.dbf",
                                      "Error al abril el fichero /none/CIEDE.dbf"}));
  catalogue.BuildSampleIndex(10);
  EXPECT_EQ(catalogue.FindDiagnosis(D("250.00")) + catalogue.FindProcedure("45.13"), 0);
  EXPECT_EQ(catalogue.Description("250.00", 6), "<< NO ES CIE9-MC >>");
  EXPECT_EQ(catalogue.Column(1), "");
}

TEST_P(CieCatalogueTest, TablesCutShortOrOfDifferentLengths) {
  std::string bytes = CieAttributesBytes({{"001"}, {"002"}, {"003", "XXXXX", "FFFFF"}});
  bytes.resize(bytes.size() - 5);  // record 3 keeps its first three columns only
  Load(bytes, CieDescriptionsBytes({"001", "002", "003", "004"}));
  ASSERT_EQ(catalogue.FindDiagnosis(D("003")), 3);
  EXPECT_EQ(catalogue.Column(3), "XXXXX");
  EXPECT_EQ(catalogue.Column(4), " ");
  EXPECT_EQ(catalogue.Column(8), " ");
  EXPECT_EQ(catalogue.FindDiagnosis(D("004")), 0);  // a record the file does not hold
  // A shorter descriptions table ends the last block early.
  std::vector<std::string> codes = EvenCodes(30);
  Load(CieAttributesBytes(CieRows(codes)),
       CieDescriptionsBytes(std::vector<std::string>(codes.begin(), codes.begin() + 25)));
  EXPECT_EQ(catalogue.FindDiagnosis(D(codes[24])), 25);
  EXPECT_EQ(catalogue.FindDiagnosis(D(codes[25])), 0);
  EXPECT_TRUE(feedback.Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(BothPaths, CieCatalogueTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Memory" : "Table"; });

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
    fs.SetContents("/r/QUIROVEL/CIE" + suffix + ".dbf",
                   testing::CieAttributesBytes(testing::CieRows(codes)));
    fs.SetContents("/r/QUIROVEL/CIEDE" + suffix + ".dbf",
                   testing::CieDescriptionsBytes(codes, texts));
  }
  Session& Start(FileSystem* on = nullptr) {
    feedback.Clear();
    session = std::make_unique<Session>(on ? *on : fs, feedback, "/r");
    LoadConfig(*session);
    return *session;
  }
  std::vector<std::string> Shown() const {  // "caption: text"
    std::vector<std::string> shown;
    for (const auto& m : feedback.messages)
      shown.push_back(m.caption.empty() ? m.text : m.caption + ": " + m.text);
    return shown;
  }

  MemoryFileSystem fs;
  RecordingFeedback feedback;
  std::unique_ptr<Session> session;
};

TEST_F(CatalogueOperationsTest, EachVersionYearOpensItsOwnTablesAndOthersFallBack) {
  const std::pair<int, std::string> years[] = {{1988, "88"}, {1992, "92"}, {1997, "97"},
                                               {1999, "99"}, {2002, "02"}, {2004, "04"},
                                               {2006, "06"}};
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
  // A year without an edition opens the latest one before it (startup tests the message).
  for (const auto& [year, edition] :
       {std::pair{2005, 2004}, {2010, 2006}, {1990, 1988}, {1987, 2006}})
    EXPECT_EQ(CieEditionFor(year), edition) << year;
}

TEST_F(CatalogueOperationsTest, CodeDescriptionOfTheCurrentEpisode) {
  Catalogue("02", {"250.00", "45.13"}, {"DIABETES MELLITUS", "GASTROSCOPIA"});
  Config(2002);
  auto fields = testing::Without(testing::CmbdAFields(), {"C3"});
  const auto row = testing::RowFor(
      fields, {{"C1", "250.00"}, {"C2", "999.99"}, {"P1", "45.13"}, {"P2", "45.1"}});
  fs.SetContents("/r/QUIROVEL/trabajo/Ctprueba.dbf", testing::DbfBytes(fields, {row}));
  Session& s = Start();
  ASSERT_EQ(s.table.ReadRecord(1), 0);
  const std::pair<int, const char*> cases[] = {{C1, "DIABETES MELLITUS"},
                                               {C1 + 1, "<< NO ES CIE9-MC >>"},
                                               {C1 + 2, ""},  // a field the file does not have
                                               {C15, ""},     // a blank field
                                               {P1, "GASTROSCOPIA"},
                                               {P1 + 1, "<< NO ES CIE9-MC >>"}};
  for (const auto& [field, text] : cases) EXPECT_EQ(CodeDescription(s, field), text) << field;
  // The description does not move the attributes record a check is reading.
  ASSERT_EQ(s.catalogue.FindProcedure("45.13"), 2);
  CodeDescription(s, C1);
  EXPECT_EQ(s.catalogue.Column(1), "45.13  ");
}

TEST(CatalogueEditions, DischargeDateChoosesTheEdition) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"20020101", "2002", 4},  {"20061231", "2002", 4},  {"20011231", "1999", 3},
      {"19990101", "1999", 3},  {"19981231", "1997", 2},  {"19970101", "1997", 2},
      {"19961231", "1992", 1},  {"19920101", "1992", 1},  {"19911231", "1988", 0},
      {"19880101", "1988", 0},  {"19871231", "\xA8?", 4}, {"        ", "\xA8?", 4},
      {"  2002  ", "\xA8?", 4}, {"2002X101", "\xA8?", 4}, {"999999999999", "2002", 4}};
  for (const auto& [fecalt, label, position] : cases) {
    const EpisodeEdition e = EditionForDischargeDate(fecalt);
    EXPECT_EQ(e.label, std::string(label)) << fecalt;
    EXPECT_EQ(e.position, position) << fecalt;
    EXPECT_EQ(e.out_of_range, label[0] == '\xA8') << fecalt;
  }
}

TEST_F(CatalogueOperationsTest, OrderCheckCountsRepeatsAndStopsAtTheFirstCodeOutOfOrder) {
  Config(2002);
  // shown: the codes as the table holds them, blanks included.
  auto check = [&](const std::vector<std::string>& codes, bool out_of_order, std::int64_t records,
                   std::int32_t repeats, const std::vector<std::string>& shown) {
    SCOPED_TRACE(codes[0]);
    Catalogue("02", codes);
    Session& s = Start();
    feedback.Clear();
    CatalogueOrderResult r = CheckCatalogueOrder(s);
    EXPECT_EQ(r.out_of_order, out_of_order);
    EXPECT_EQ(r.records, records);
    EXPECT_EQ(r.repeats, repeats);
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(feedback.status, "Regs " + std::to_string(records));
    EXPECT_EQ(*fs.Contents("/r/QUIROVEL/trabajo/salida.txt"), "");
  };
  check({"001.0", "001.0", "002.1", "002.1 X", "003"}, false, 5, 2,
        {"2 códigos repetidos: 001.0  , 002.1  , "_cp});
  check({"001.0", "003", "002", "001"}, true, 2, 0,
        {"Fichero CIE9MC desordenado: 003     > 002    "});
  // Equal on six characters is a repeat; the seventh still orders them.
  check({"V27.01B", "V27.01A"}, true, 1, 1,
        {"Fichero CIE9MC desordenado: V27.01B > V27.01A", "1 códigos repetidos: V27.01B, "_cp});
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
