#include "reference/config_record.h"

#include <gtest/gtest.h>

#include "reference/config_defaults.h"
#include "reference/config_image.h"

namespace quirovel {
namespace {

TEST(ConfigRecordTest, NewRecordMatchesTheDocumentedImageByteForByte) {
  const std::string expected = testing::NewRecordImage();
  const ConfigRecord record = NewConfigRecord();
  const std::string actual(reinterpret_cast<const char*>(record.bytes().data()), record.bytes().size());
  ASSERT_EQ(actual.size(), 2460u);
  for (std::size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(actual[i], expected[i]) << "first difference at byte " << i;
}

TEST(ConfigRecordTest, SavedImportLayoutsUseTheirOwnFieldOrder) {
  ConfigRecord r;
  ImportSettings settings{"T", "3", "D", "\"", ";", "S", 1, 0};
  ASSERT_TRUE(r.SetImport(ImportLayout::kSavedCmbd, settings));
  const auto& b = r.bytes();
  // Text file, date format, target, delimiter, separator, then the structure
  // table at 206, the fixed length at 308 and the header line at 312.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[2140]), 207),
            "T" + std::string(99, '\0') + std::string("3\0D", 3) + std::string(99, '\0') + std::string("\"\0;\0S", 5));
  EXPECT_EQ(b[2452], 1);
  EXPECT_EQ(b[2448], 0);
  ASSERT_TRUE(r.SetImport(ImportLayout::kCurrent, settings));
  EXPECT_EQ(b[996], 'S');  // structure table at 216 in the current settings
  EXPECT_EQ(b[988], 1);    // header line at 208
  EXPECT_EQ(r.Import(ImportLayout::kSavedCmbd).structure_table, "S");
}

TEST(ConfigRecordTest, PathsThatDoNotFitAreRefusedAndNamesAreCut) {
  ConfigRecord r = NewConfigRecord();
  EXPECT_FALSE(r.SetCurrentPath(std::string(100, 'a')));
  EXPECT_EQ(r.CurrentPath(), "C:\\Quirovel\\trabajo\\Ctprueba.dbf");
  EXPECT_TRUE(r.SetCurrentPath(std::string(99, 'a')));
  EXPECT_EQ(r.bytes()[103], 0);
  EXPECT_FALSE(r.SetImport(ImportLayout::kCurrent, ImportSettings{"x", "12", "", "", "", "", 0, 0}));
  r.SetHospitalName(std::string(80, 'n'));
  EXPECT_EQ(r.HospitalName(), std::string(69, 'n'));
  r.SetHospitalCode("1234567");
  EXPECT_EQ(r.HospitalCode(), "12345");
  // Out-of-range indexes touch nothing.
  ConfigRecord before = r;
  r.SetFieldColour(3, 9);
  r.SetCompletenessField(64, false);
  r.SetErrorEnabled(72, 0, false);
  r.MarkField(64);
  EXPECT_FALSE(r.SetRecentStructure(5, "x"));
  EXPECT_TRUE(r == before);
}

}  // namespace
}  // namespace quirovel
