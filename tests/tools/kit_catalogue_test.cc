// The CIE-9-MC tables of the sample installation: layout, order, the
// attributes of well-known codes, every description against its source list,
// and lookups through the program's own catalogue.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "gtest/gtest.h"
#include "platform/cp1252.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "reference/cie_catalogue.h"
#include "storage/block36.h"
#include "storage/dbf_table.h"
#include "tools/kit_files.h"

namespace quirovel {
namespace {

using testing::KitInstall;

const char* const kSuffixes[] = {"88", "92", "97", "99", "02", "04", "06"};

std::string Trim(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

// Rows of a UTF-8 CSV file with a header row (RFC 4180 quoting), as maps
// from column name to text.
std::vector<std::map<std::string, std::string>> ReadCsv(const std::string& path) {
  std::string text;
  EXPECT_TRUE(ReadWholeFile(RealFileSystem(), path, &text)) << path;
  std::vector<std::vector<std::string>> rows(1);
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
      else if (c == '"') quoted = false;
      else field += c;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      rows.back().push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      rows.back().push_back(std::move(field));
      field.clear();
      rows.emplace_back();
    } else if (c != '\r') {
      field += c;
    }
  }
  if (rows.back().empty()) rows.pop_back();
  std::vector<std::map<std::string, std::string>> out;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    std::map<std::string, std::string> row;
    for (std::size_t c = 0; c < rows[0].size() && c < rows[r].size(); ++c) row[rows[0][c]] = rows[r][c];
    out.push_back(std::move(row));
  }
  return out;
}

class KitCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_KIT(); }

  // Column texts of the attributes record of a code in one edition's table.
  std::vector<std::string> Attributes(const std::string& suffix, std::string_view code) {
    DbfTable table(RealFileSystem(), feedback_);
    EXPECT_EQ(table.Open(KitInstall() + "/CIE" + suffix + ".dbf"), 1);
    for (std::uint32_t r = 1; r <= table.record_count() && table.ReadRecord(r) == 0; ++r) {
      if (Trim(table.FieldText(1)) != code) continue;
      std::vector<std::string> columns;
      for (int c = 1; c <= table.field_count(); ++c) columns.emplace_back(table.FieldText(c));
      return columns;
    }
    ADD_FAILURE() << code << " is not in CIE" << suffix;
    return std::vector<std::string>(8);
  }

  RecordingFeedback feedback_;
};

TEST_F(KitCatalogueTest, EveryEditionHasBothTablesWithTheSameCodesInByteOrder) {
  std::uint32_t count = 0;
  for (const char* suffix : kSuffixes) {
    SCOPED_TRACE(suffix);
    DbfTable attributes(RealFileSystem(), feedback_), descriptions(RealFileSystem(), feedback_);
    ASSERT_EQ(attributes.Open(KitInstall() + "/CIE" + suffix + ".dbf"), 1);
    ASSERT_EQ(descriptions.Open(KitInstall() + "/CIEDE" + suffix + ".dbf"), 1);
    ASSERT_EQ(attributes.field_count(), 8);
    const int widths[] = {6, 1, 7, 1, 1, 1, 1, 1};
    for (int c = 1; c <= 8; ++c) EXPECT_EQ(attributes.Descriptor(c).width, widths[c - 1]) << c;
    ASSERT_EQ(descriptions.field_count(), 2);
    EXPECT_EQ(descriptions.Descriptor(1).width, 6);
    EXPECT_EQ(descriptions.Descriptor(2).width, 72);
    ASSERT_EQ(attributes.record_count(), descriptions.record_count());
    ASSERT_GT(attributes.record_count(), 20000u);
    if (count) {
      EXPECT_EQ(attributes.record_count(), count) << "editions list different codes";
    }
    count = attributes.record_count();
    std::string previous;
    for (std::uint32_t r = 1; r <= attributes.record_count(); ++r) {
      ASSERT_EQ(attributes.ReadRecord(r), 0);
      ASSERT_EQ(descriptions.ReadRecord(r), 0);
      const std::string code(attributes.FieldText(1));  // blank-padded, as the lookups compare it
      ASSERT_EQ(code, descriptions.FieldText(1)) << "record " << r;
      // Strictly ascending as unsigned bytes and as the lookups' signed bytes:
      // the codes are plain ASCII, where the two agree.
      for (char ch : code) ASSERT_TRUE(ch >= ' ' && ch < 0x7F) << code;
      ASSERT_LT(previous, code) << "record " << r;
      previous = code;
      const std::string validity(attributes.FieldText(3));
      ASSERT_EQ(validity.find_first_not_of(" FV"), std::string::npos) << code;
      ASSERT_NE(validity.find_first_not_of(' '), std::string::npos) << code << " exists in no edition";
    }
  }
  EXPECT_TRUE(feedback_.Texts().empty());
}

TEST_F(KitCatalogueTest, WellKnownCodesCarryTheirAttributes) {
  struct Case {
    const char* code;
    std::vector<std::string> columns;  // columns 2 to 8 of the 2006 table
  };
  const Case cases[] = {
      {"650", {"D", "VVVVVVV", " ", "2", "3", "T", " "}},     // normal delivery: women 13-49
      {"V27.0", {"V", "VVVVVVV", "F", "2", "3", " ", " "}},   // outcome of delivery: never principal
      {"V27", {"V", "FFFFFFF", "F", "2", "3", " ", " "}},     // its heading shares the attributes
      {"37.21", {"P", "VVVVVVV", " ", " ", " ", " ", " "}},   // catheterisation: not an operation
      {"74.1", {"P", "VVVVVVV", " ", "2", " ", " ", "T"}},    // caesarean: surgical, women only
      {"E816.0", {"E", "VVVVVVV", "F", " ", " ", " ", " "}},  // external causes are never principal
      {"850.0", {"D", "VVVVVVV", " ", " ", " ", " ", " "}},   // an injury without restrictions
      {"850", {"D", "FFFFFFF", " ", " ", " ", " ", " "}},     // a heading: exists, not valid
      {"600.00", {"D", "VVVVVVV", " ", "1", "4", " ", " "}},  // prostate: men over 50
      {"V30.00", {"V", "VVVVVVV", " ", " ", "1", " ", " "}},  // newborn
      {"V85.0", {"V", "VVVVVVV", "F", " ", " ", " ", " "}},   // adult BMI: any adult, no age class
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    std::vector<std::string> columns = Attributes("06", c.code);
    ASSERT_EQ(columns.size(), 8u);
    EXPECT_EQ(Trim(columns[0]), c.code);
    for (std::size_t i = 1; i < 8; ++i) EXPECT_EQ(columns[i], c.columns[i - 1]) << "column " << i + 1;
  }
}

TEST_F(KitCatalogueTest, PositionZeroIsTheTablesOwnEdition) {
  // 779.31 came with the 2002 edition's release; 512.8 was subdivided in the
  // 2006 one, so it is valid up to 2004 and a heading afterwards.
  struct Case {
    const char* suffix;
    const char* code;
    const char* validity;
  };
  for (const Case& c : {Case{"99", "779.31", "    VVV"}, Case{"02", "779.31", "V   VVV"},
                        Case{"06", "779.31", "V   VVV"}, Case{"88", "512.8", "VVVVVVF"},
                        Case{"04", "512.8", "VVVVVVF"}, Case{"06", "512.8", "FVVVVVF"}}) {
    EXPECT_EQ(Attributes(c.suffix, c.code).at(2), c.validity) << c.suffix << " " << c.code;
  }
}

// The title each code must carry: a heading's own title, else the Spanish
// title of a procedure, else the English title of the last release.
std::map<std::string, std::string> ExpectedTitles() {
  const std::string dir = std::string(QUIROVEL_SOURCE_DIR) + "/data/cie9mc";
  std::map<std::string, std::string> titles;
  for (const auto& row : ReadCsv(dir + "/versions/dx_cms_v23_v32.csv")) titles[row.at("code")] = row.at("description_en");
  for (const auto& row : ReadCsv(dir + "/versions/proc_cms_v27_v32.csv")) titles[row.at("code")] = row.at("description_en");
  for (const auto& row : ReadCsv(dir + "/procedures.csv"))
    if (!row.at("description_es").empty()) titles[row.at("code")] = row.at("description_es");
  for (const char* file : {"/diagnosis_categories.csv", "/procedure_categories.csv"}) {
    for (const auto& row : ReadCsv(dir + file)) {
      const std::string& title = row.at("description_es").empty() ? row.at("description_en") : row.at("description_es");
      if (!title.empty()) titles[row.at("code")] = title;
      else titles.emplace(row.at("code"), "");  // a heading without a title (14.8)
    }
  }
  for (auto& [code, title] : titles) title = Trim(Utf8ToCp1252(title).substr(0, 72));
  return titles;
}

TEST_F(KitCatalogueTest, EveryDescriptionDecodesToItsSourceTitle) {
  const std::map<std::string, std::string> titles = ExpectedTitles();
  ASSERT_GT(titles.size(), 20000u);
  for (const char* suffix : {"02", "06"}) {
    DbfTable table(RealFileSystem(), feedback_);
    ASSERT_EQ(table.Open(KitInstall() + "/CIEDE" + suffix + ".dbf"), 1);
    for (std::uint32_t r = 1; r <= table.record_count(); ++r) {
      ASSERT_EQ(table.ReadRecord(r), 0);
      const std::string code = Trim(table.FieldText(1));
      const std::string_view stored = table.FieldText(2);
      std::string text = DecodeBlock36(stored.substr(0, 36));
      text.resize(36, ' ');  // the first block keeps its blanks when a second one follows
      text = Trim(text + DecodeBlock36(stored.substr(36, 36)));
      auto expected = titles.find(code);
      ASSERT_NE(expected, titles.end()) << code << " comes from no list";
      ASSERT_EQ(text, expected->second) << "CIEDE" << suffix << " " << code;
    }
  }
}

TEST_F(KitCatalogueTest, TheProgramFindsEveryCodeAtItsOwnRecord) {
  CieCatalogue catalogue(RealFileSystem(), feedback_);
  catalogue.Open(KitInstall() + "/CIE02.dbf", KitInstall() + "/CIEDE02.dbf");
  catalogue.BuildSampleIndex(10);
  DbfTable table(RealFileSystem(), feedback_);
  ASSERT_EQ(table.Open(KitInstall() + "/CIE02.dbf"), 1);
  for (std::uint32_t r = 1; r <= table.record_count(); ++r) {
    ASSERT_EQ(table.ReadRecord(r), 0);
    std::string code(table.FieldText(1));
    const bool procedure = table.FieldText(2) == "P";
    // As a CMBD-A field holds it: six characters for diagnoses, five for procedures.
    if (procedure) code.resize(5);
    const std::int32_t found = procedure ? catalogue.FindProcedure(code) : catalogue.FindDiagnosis(code);
    ASSERT_EQ(found, static_cast<std::int32_t>(r)) << code;
  }
  EXPECT_EQ(catalogue.Description("650   ", 6), "Normal delivery");
  EXPECT_EQ(catalogue.Description("37.21", 5), "CATETERISMO CARDIACO DEL LADO DERECHO DEL CORAZON");
  EXPECT_EQ(catalogue.Description("E816.0", 6),
            "Motor vehicle traffic accident due to loss of control, without collision");
  EXPECT_EQ(catalogue.Description("999.99", 6), "<< NO ES CIE9-MC >>");
  EXPECT_TRUE(feedback_.Texts().empty());
}

}  // namespace
}  // namespace quirovel
