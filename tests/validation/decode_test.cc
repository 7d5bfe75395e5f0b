// Decoding the current record into the CmbdRecord.
#include <gtest/gtest.h>

#include "support/analysed_table.h"

namespace quirovel::testing {
namespace {

const std::map<std::string, std::string> kEpisode = {
    {"PROCEDEN", "2"},      {"PROCH", "02001"},     {"AFILISS", "280123456789"},
    {"HOSPITAL", "02012"},  {"HISTORIA", "123456"}, {"ASISTENC", "7"},
    {"FECNAC", "19800315"}, {"SEXO", "2"},          {"RESIDE", "02005"},
    {"OCUPACION", "41"},    {"REGFIN", "1"},        {"FECING", "20060315"},
    {"TIPING", "1"},        {"SERVING", "GIN"},     {"SERVALT", "OBS"},
    {"FECALT", "20060318"}, {"TIPALT", "1"},        {"TRASH", ""},
    {"C1", "650"},          {"C2", "V27.0"},        {"C15", "999.99"},
    {"CE", "E849.0"},       {"CE4", "E000"},        {"P1", "73.59"},
    {"P15", "99.99"},       {"FEINTV", "20060316"}, {"FECPART", "20060316"},
    {"TGESTAC", "39"},      {"PESO1N", "3250"},     {"SEXO1N", "1"},
    {"PESO2N", "  12"},     {"SEXO2N", "x"},        {"PESO3N", ""},
    {"SEXO3N", "9"},        {"ESTUCI", "007"},      {"ESTURG", "1"},
};

TEST(DecodeRecord, TakesRawTextsAndReadsNumbers) {
  const auto fields = CmbdAFields();
  AnalysedTable t(fields, {RowFor(fields, kEpisode)});
  ASSERT_TRUE(t.Read(1));
  const CmbdRecord& r = t.record;
  const std::pair<const CmbdText*, const char*> texts[] = {
      {&r.PROCH, "02001"},      {&r.AFILISS, "280123456789"}, {&r.HISTORIA, "123456      "},
      {&r.ASISTENC, "7      "}, {&r.FECNAC, "19800315"},      {&r.OCUPACION, "41 "},
      {&r.FECING, "20060315"},  {&r.SERVING, "GIN  "},        {&r.SERVALT, "OBS  "},
      {&r.FECALT, "20060318"},  {&r.TRASH, "     "},          {&r.C[0], "650   "},
      {&r.C[1], "V27.0 "},      {&r.C[2], "      "},          {&r.C[14], "999.99"},
      {&r.CE[0], "E849.0"},     {&r.CE[3], "E000  "},         {&r.P[0], "73.59"},
      {&r.P[14], "99.99"},      {&r.FEINTV, "20060316"},      {&r.FECPART, "20060316"}};
  for (const auto& [text, expected] : texts) EXPECT_EQ(*text, expected);
  // "  12" reads as 12, "x" and a blank field as 0.
  const std::pair<std::int32_t, std::int32_t> numbers[] = {
      {r.PROCEDEN, 2},  {r.SEXO, 2},     {r.RESIDE, 2005}, {r.REGFIN, 1}, {r.TIPING, 1},
      {r.TIPALT, 1},    {r.TGESTAC, 39}, {r.PESO1N, 3250}, {r.SEXO1N, 1}, {r.PESO2N, 12},
      {r.SEXO2N, 0},    {r.PESO3N, 0},   {r.SEXO3N, 9},    {r.ESTUCI, 7}, {r.ESTURG, 1},
      {r.StayYears, 0}, {r.AgeYears, 26}};
  for (std::size_t i = 0; i < std::size(numbers); ++i)
    EXPECT_EQ(numbers[i].first, numbers[i].second) << i;
}

TEST(DecodeRecord, GivesAbsentFieldsTheirRulesAndAnEmptyRawText) {
  // Record 1 fills every value; record 2 of a table without any CMBD-A field
  // must not keep them.
  const auto fields = CmbdAFields();
  AnalysedTable full(fields, {RowFor(fields, kEpisode)});
  ASSERT_TRUE(full.Read(1));
  AnalysedTable none({{"OTRO", 'C', 4}}, {{"abcd"}});
  none.record = full.record;
  ASSERT_TRUE(none.Read(1));
  const CmbdRecord& r = none.record;
  for (std::int32_t v : {r.PROCEDEN, r.TIPALT}) EXPECT_EQ(v, -1);
  for (std::int32_t v : {r.SEXO, r.RESIDE, r.REGFIN, r.TIPING, r.TGESTAC, r.PESO1N, r.SEXO1N,
                         r.PESO2N, r.SEXO2N, r.PESO3N, r.SEXO3N, r.ESTUCI, r.ESTURG})
    EXPECT_EQ(v, 0);
  for (const CmbdText* text :
       {&r.PROCH, &r.AFILISS, &r.HOSPITAL, &r.HISTORIA, &r.ASISTENC, &r.FECNAC, &r.OCUPACION,
        &r.FECING, &r.SERVING, &r.SERVALT, &r.FECALT, &r.TRASH, &r.C[0], &r.C[14], &r.CE[0],
        &r.P[0], &r.P[14], &r.FEINTV, &r.FECPART})
    EXPECT_EQ(*text, " ");
  for (int i : {1, 2, 3}) EXPECT_EQ(r.CE[i], "      ") << i;
  for (int k = 1; k <= kCmbdFieldCount; ++k)
    EXPECT_EQ(CmbdFieldText(none.table, none.map, k), "") << k;
  EXPECT_EQ(CmbdFieldText(full.table, full.map, C1 + 1), "V27.0 ");
  EXPECT_EQ(CmbdFieldText(full.table, full.map, 0), "");
  EXPECT_EQ(CmbdFieldText(full.table, full.map, 64), "");
}

TEST(DecodeRecord, DecodesBadlyDefinedFieldsWithTheTablesOwnWidth) {
  auto fields = Replaced(CmbdAFields(), {"FECALT", 'C', 8});
  for (const TableField& odd : std::vector<TableField>{{"C1", 'C', 7},
                                                       {"HISTORIA", 'C', 5},
                                                       {"PESO1N", 'N', 6, 1},
                                                       {"TGESTAC", 'N', 4},
                                                       {"ASISTENC", 'C', 0},
                                                       {"SEXO", 'N', 0}})
    fields = Replaced(fields, odd);
  AnalysedTable t(fields, {RowFor(fields, {{"FECALT", "20060320"},
                                           {"C1", "4280123"},
                                           {"HISTORIA", "98765"},
                                           {"PESO1N", "3250.5"},
                                           {"TGESTAC", "  39"}})});
  EXPECT_EQ(t.report.bad_field_count, 7);
  ASSERT_TRUE(t.Read(1));
  EXPECT_EQ(CmbdFieldText(t.table, t.map, TGESTAC), "  39");
  EXPECT_EQ(t.record.TGESTAC, 39);  // numbers read the whole field
  EXPECT_EQ(t.record.FECALT, "20060320");
  EXPECT_EQ(t.record.C[0], "428012");  // a value has room for the layout width only
  EXPECT_EQ(CmbdFieldText(t.table, t.map, C1), "4280123");
  EXPECT_EQ(t.record.HISTORIA, "98765");
  EXPECT_EQ(t.record.PESO1N, 3250);
  // A field of width 0 gives an empty text and a 0.
  EXPECT_EQ(t.record.ASISTENC, "");
  EXPECT_EQ(t.record.SEXO, 0);
}

// Age in years, and in months under one year; stay in years. The dates read as
// numbers: a blank one is 0 and the quotients are truncated toward zero.
TEST(DecodeRecord, DerivesAgeAndStayFromTheDates) {
  const struct {
    const char *born, *admitted, *discharged;
    int years, months, stay;  // months -1: not derived, the previous value stays
  } cases[] = {
      {"19800315", "20060315", "20060315", 26, -1, 0},
      {"19800315", "20060316", "", 26, -1, -2006},
      {"19800315", "20060314", "20060314", 25, -1, 0},
      {"20051120", "20060310", "20060310", 0, 3, 0},
      {"20051110", "20060310", "20060310", 0, 4, 0},
      {"20060301", "20060331", "20060331", 0, 0, 0},
      {"20060215", "20060301", "20060301", 0, 0, 0},
      {"20050310", "20060309", "20060309", 0, 11, 0},
      {"19800315", "20050101", "20060102", 24, -1, 1},
      {"19800315", "20050101", "20051231", 24, -1, 0},
      {"19800315", "", "", -1980, -1, 0},
  };
  const auto fields = CmbdAFields();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.born) + " " + c.admitted + " " + c.discharged);
    AnalysedTable t(
        fields,
        {RowFor(fields, {{"FECNAC", c.born}, {"FECING", c.admitted}, {"FECALT", c.discharged}})});
    t.record.AgeMonths = 77;
    ASSERT_TRUE(t.Read(1));
    EXPECT_EQ(t.record.AgeYears, c.years);
    EXPECT_EQ(t.record.AgeMonths, c.months < 0 ? 77 : c.months);
    EXPECT_EQ(t.record.StayYears, c.stay);
  }
}

TEST(DecodeRecord, StaysInsideTheRecordWithAMapLeftFromAnotherTable) {
  const auto fields = CmbdAFields();
  AnalysedTable wide(fields, {RowFor(fields, kEpisode)});
  AnalysedTable narrow({{"SEXO", 'N', 1}, {"HISTORIA", 'C', 3}}, {{"1", "abc"}});
  ASSERT_TRUE(narrow.table.ReadRecord(1) == 0);
  CmbdRecord record;
  DecodeRecord(narrow.table, wide.map,
               &record);  // the wrong map: nothing beyond the record is read
  EXPECT_EQ(record.ESTURG, 0);
  EXPECT_EQ(record.P[14], "");
}

}  // namespace
}  // namespace quirovel::testing
