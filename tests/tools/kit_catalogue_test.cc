// The CIE-9-MC tables of the sample installation: their layout and order, the
// attributes of well-known codes, and lookups and descriptions through the
// program's own catalogue.
#include <algorithm>
#include <string>
#include <string_view>

#include "gtest/gtest.h"
#include "platform/file_system.h"
#include "platform/recording_feedback.h"
#include "reference/cie_catalogue.h"
#include "storage/block36.h"
#include "storage/dbf_table.h"
#include "tools/kit_files.h"

namespace quirovel {
namespace {

using testing::KitInstall;

class KitCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { SKIP_WITHOUT_KIT(); }
  RecordingFeedback feedback_;
};

TEST_F(KitCatalogueTest, EveryEditionHasBothTablesWithTheSameCodesInByteOrder) {
  std::uint32_t count = 0;
  for (const char* suffix : {"88", "92", "97", "99", "02", "04", "06"}) {
    SCOPED_TRACE(suffix);
    DbfTable attributes(RealFileSystem(), feedback_), descriptions(RealFileSystem(), feedback_);
    ASSERT_EQ(attributes.Open(KitInstall() + "/CIE" + suffix + ".dbf"), 1);
    ASSERT_EQ(descriptions.Open(KitInstall() + "/CIEDE" + suffix + ".dbf"), 1);
    std::string widths;
    for (DbfTable* table : {&attributes, &descriptions})
      for (int c = 1; c <= table->field_count(); ++c)
        widths += std::to_string(table->Descriptor(c).width) + " ";
    ASSERT_EQ(widths, "6 1 7 1 1 1 1 1 6 72 ");
    ASSERT_GT(attributes.record_count(), 20000u);
    if (count == 0) count = attributes.record_count();
    ASSERT_EQ(attributes.record_count(), count) << "editions list different codes";
    ASSERT_EQ(descriptions.record_count(), count);
    std::string previous;
    for (std::uint32_t r = 1; r <= count; ++r) {
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
      ASSERT_NE(validity.find_first_not_of(' '), std::string::npos)
          << code << " exists in no edition";
      // Both halves of the description decode to text (two editions: decoding is slow unoptimised).
      if (suffix != std::string_view("02") && suffix != std::string_view("06")) continue;
      const std::string_view stored = descriptions.FieldText(2);
      const std::string text =
          DecodeBlock36(stored.substr(0, 36)) + "|" + DecodeBlock36(stored.substr(36));
      ASSERT_TRUE(std::none_of(text.begin(), text.end(), [](unsigned char ch) { return ch < ' '; }))
          << text;
    }
  }
  EXPECT_TRUE(feedback_.Texts().empty());
}

TEST_F(KitCatalogueTest, WellKnownCodesCarryTheirAttributesInEachEdition) {
  // Columns 2 to 8: type, validity by edition (position zero is the table's
  // own), never principal, sex, age class, delivery, surgical.
  const struct {
    const char *suffix, *code, *columns;
  } cases[] = {
      {"06", "650", "DVVVVVVV 23T "},    // normal delivery: women 13-49
      {"06", "V27.0", "VVVVVVVVF23  "},  // outcome of delivery: never principal
      {"06", "74.1", "PVVVVVVV 2  T"},   // caesarean: surgical, women only
      {"06", "850", "DFFFFFFF     "},    // a heading: exists, not valid
      // Validity alone: 779.31 came with the 2002 edition; 512.8 was subdivided in the 2006 one.
      {"99", "779.31", "    VVV"},
      {"02", "779.31", "V   VVV"},
      {"04", "512.8", "VVVVVVF"},
      {"06", "512.8", "FVVVVVF"},
  };
  for (const auto& c : cases) {
    CieCatalogue catalogue(RealFileSystem(), feedback_);
    catalogue.Open(KitInstall() + "/CIE" + c.suffix + ".dbf",
                   KitInstall() + "/CIEDE" + c.suffix + ".dbf");
    catalogue.BuildSampleIndex(10);
    std::string code = c.code;
    const bool procedure = code == "74.1";
    code.resize(procedure ? 5 : 6, ' ');
    ASSERT_GT(procedure ? catalogue.FindProcedure(code) : catalogue.FindDiagnosis(code), 0)
        << c.code;
    std::string columns;
    for (int i = 2; i <= 8; ++i) columns += catalogue.Column(i);
    if (std::string_view(c.columns).size() == 7) columns = columns.substr(1, 7);
    EXPECT_EQ(columns, c.columns) << c.suffix << " " << c.code;
  }
}

TEST_F(KitCatalogueTest, TheProgramFindsEveryCodeAtItsOwnRecordAndItsDescription) {
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
    const std::int32_t found =
        procedure ? catalogue.FindProcedure(code) : catalogue.FindDiagnosis(code);
    ASSERT_EQ(found, static_cast<std::int32_t>(r)) << code;
  }
  // A diagnosis's English title, a procedure's Spanish one, a title in two blocks.
  EXPECT_EQ(catalogue.Description("650   ", 6), "Normal delivery");
  EXPECT_EQ(catalogue.Description("37.21", 5), "CATETERISMO CARDIACO DEL LADO DERECHO DEL CORAZON");
  EXPECT_EQ(catalogue.Description("E816.0", 6),
            "Motor vehicle traffic accident due to loss of control, without collision");
  EXPECT_TRUE(feedback_.Texts().empty());
}

}  // namespace
}  // namespace quirovel
