#include <gtest/gtest.h>

#include "storage/field_definition.h"
#include "support/dbf_builder.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

TEST(CmbdLayout, DefinesThe63FieldsInOrderAndNothingOutside) {
  const auto expected = testing::CmbdAFields();
  ASSERT_EQ(expected.size(), 63u);
  int record_length = 1;
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    const auto& want = expected[static_cast<std::size_t>(k - 1)];
    SCOPED_TRACE(want.name);
    FieldDefinition def = ParseFieldDefinition(kCmbdLayout[static_cast<std::size_t>(k - 1)]);
    EXPECT_EQ(def.name, want.name);
    EXPECT_EQ(def.type, want.type);
    EXPECT_EQ(def.width, want.width);
    EXPECT_EQ(def.decimals, 0);
    EXPECT_EQ(CmbdFieldName(k), want.name);
    EXPECT_EQ(CmbdFieldWidth(k), want.width);
    EXPECT_EQ(CmbdFieldNumber(want.name), k);
    record_length += def.width;
  }
  EXPECT_EQ(record_length, 320);
  for (int k : {0, 64}) EXPECT_TRUE(CmbdFieldName(k).empty() && CmbdFieldWidth(k) == 0) << k;
  for (const char* name : {"fecalt", "FECALT ", "", "C16"})
    EXPECT_EQ(CmbdFieldNumber(name), 0) << name;
}

TEST(CmaLayout, Has27DefinitionsWithHospitalTwice) {
  const std::vector<std::string_view> expected = {
      "PROCEDEN#N1", "PROCH#C5",   "AFILISS#C12", "HOSPITAL#C5", "HISTORIA#C12", "ASISTENC#C7",
      "FECNAC#D8",   "SEXO#N1",    "RESIDE#C5",   "REGFIN#N1",   "FECING#D8",    "TIPING#N1",
      "C1#C6",       "C2#C6",      "C3#C6",       "C4#C6",       "C5#C6",        "CE#C6",
      "P1#C5",       "P2#C5",      "P3#C5",       "P4#C5",       "FEINTV#D8",    "FECALT#D8",
      "TIPALT#N1",   "SERVALT#C5", "HOSPITAL#C5"};
  EXPECT_EQ(std::vector<std::string_view>(kCmaLayout.begin(), kCmaLayout.end()), expected);
}

}  // namespace
}  // namespace quirovel
