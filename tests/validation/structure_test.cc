// The structure analysis: which CMBD-A fields a table lacks, which are badly
// defined and which it carries that the layout does not know, as the texts the
// structure dialog shows.
#include <gtest/gtest.h>

#include "support/analysed_table.h"

namespace quirovel::testing {
namespace {

// Every name of the layout, each followed by the separator, written out by hand.
const std::string kAllNames =
    "PROCEDEN , PROCH , AFILISS , HOSPITAL , HISTORIA , ASISTENC , FECNAC , SEXO , RESIDE , "
    "OCUPACION , REGFIN , FECING , TIPING , SERVING , SERVALT , FECALT , TIPALT , TRASH , "
    "C1 , C2 , C3 , C4 , C5 , C6 , C7 , C8 , C9 , C10 , C11 , C12 , C13 , C14 , C15 , "
    "CE , CE2 , CE3 , CE4 , "
    "P1 , P2 , P3 , P4 , P5 , P6 , P7 , P8 , P9 , P10 , P11 , P12 , P13 , P14 , P15 , "
    "FEINTV , FECPART , TGESTAC , PESO1N , SEXO1N , PESO2N , SEXO2N , PESO3N , SEXO3N , "
    "ESTUCI , ESTURG , ";

struct StructureCase {
  const char* what;
  std::vector<TableField> fields;
  std::string problems;
  int bad;
  std::string unknown;
  std::string layout;
};

std::vector<TableField> Plus(std::vector<TableField> fields, const std::vector<TableField>& more) {
  fields.insert(fields.end(), more.begin(), more.end());
  return fields;
}

std::vector<StructureCase> Cases() {
  const auto all = CmbdAFields();
  std::vector<TableField> reversed(all.rbegin(), all.rend());
  return {
      {"the whole layout", all, "", 0, "", ""},
      {"FECALT as text", Replaced(all, {"FECALT", 'C', 8}), "FECALT ->(D8.0) , ", 1, "", ""},
      {"C1 of width 7", Replaced(all, {"C1", 'C', 7}), "C1 ->(C6.0) , ", 1, "", ""},
      {"PESO1N with a decimal", Replaced(all, {"PESO1N", 'N', 4, 1}), "PESO1N ->(N4.0) , ", 1, "",
       ""},
      {"without FEINTV and FECPART", Without(all, {"FEINTV", "FECPART"}), "FEINTV , FECPART , ", 0,
       "", kAllNames},
      {"OBSERV besides", Plus(all, {{"OBSERV", 'C', 60}}), "", 0, "OBSERV , ", ""},
      {"fecalt in lower case", Plus(Without(all, {"FECALT"}), {{"fecalt", 'D', 8}}), "FECALT , ", 0,
       "fecalt , ", kAllNames},
      {"problems in field-number order whatever the table order",
       Plus(Without(Replaced(Replaced(reversed, {"FECALT", 'D', 8, 2}), {"SEXO", 'C', 1}),
                    {"TRASH", "C15"}),
            {{"NOTAS", 'C', 10}, {"OBSERV", 'C', 2}, {"OCUPACIONXX", 'C', 3}}),
       "SEXO ->(N1.0) , FECALT ->(D8.0) , TRASH , C15 , ", 2, "NOTAS , OBSERV , OCUPACIONXX , ",
       kAllNames},
      {"none of the layout",
       {{"NOMBRE", 'C', 20}, {"EDAD", 'N', 3}},
       kAllNames,
       0,
       "NOMBRE , EDAD , ",
       kAllNames},
  };
}

TEST(AnalyseStructure, ReportsMissingBadAndUnknownFieldsInTheDialogsTexts) {
  for (const StructureCase& c : Cases()) {
    SCOPED_TRACE(c.what);
    AnalysedTable t(c.fields);
    ASSERT_TRUE(t.opened);
    EXPECT_EQ(t.report.path, "/cmbd.dbf");
    EXPECT_EQ(t.report.problems, c.problems);
    EXPECT_EQ(t.report.bad_field_count, c.bad);
    EXPECT_EQ(t.report.unknown, c.unknown);
    EXPECT_EQ(t.report.layout, c.layout);
    EXPECT_TRUE(t.feedback.messages.empty());
  }
}

// Fields in another order with others between: each is found where it is
// and decoded from there.
TEST(AnalyseStructure, MapsEachPresentFieldToItsPositionInTheTable) {
  const auto all = CmbdAFields();
  std::vector<TableField> fields = {{"OBSERV", 'C', 2}};
  fields.insert(fields.end(), all.rbegin(), all.rend());
  fields = Without(fields, {"CE3"});
  fields.push_back({"FECALT", 'C', 8});  // a second FECALT is never used
  AnalysedTable t(fields, {RowFor(fields, {{"OBSERV", "ob"},
                                           {"HISTORIA", "123456"},
                                           {"C2", "V27.0"},
                                           {"ESTUCI", "7"},
                                           {"PROCEDEN", "2"},
                                           {"FECALT", "20060318"}})});
  ASSERT_TRUE(t.opened);
  EXPECT_EQ(t.map.TableField(FECALT), 2 + (63 - 16) - 1);  // the first of the two
  EXPECT_FALSE(t.map.Present(CE3));
  EXPECT_EQ(t.map.TableField(CE3), -1);
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    if (k != CE3) {
      EXPECT_EQ(t.table.Descriptor(t.map.TableField(k)).name, CmbdFieldName(k)) << k;
    }
  }
  EXPECT_FALSE(t.map.Present(0) || t.map.Present(64));
  ASSERT_TRUE(t.Read(1));
  EXPECT_EQ(t.record.HISTORIA, "123456      ");
  EXPECT_EQ(t.record.CE[2], "      ");  // an absent CE2..CE4 is six blanks
  EXPECT_EQ(t.record.PROCEDEN, 2);
}

// A closed table has every field missing; the next analysis starts afresh.
TEST(AnalyseStructure, ATableThatIsNotOpenHasEveryFieldMissing) {
  AnalysedTable t(Without(CmbdAFields(), {"SEXO"}));
  EXPECT_EQ(t.report.problems, "SEXO , ");
  t.table.Close();
  AnalyseStructure(t.table, &t.map, &t.report);
  EXPECT_EQ(t.report.problems, kAllNames);
  EXPECT_EQ(t.report.layout, kAllNames);
  EXPECT_EQ(t.report.unknown, "");
  for (int k = 1; k <= kCmbdFieldCount; ++k) EXPECT_FALSE(t.map.Present(k));
  t.fs.SetContents(t.kPath, DbfBytes(CmbdAFields()));
  ASSERT_EQ(t.table.Open(t.kPath), 1);
  AnalyseStructure(t.table, &t.map, &t.report);
  EXPECT_EQ(t.report.problems, "");
  EXPECT_EQ(t.report.layout, "");
  EXPECT_TRUE(t.map.Present(SEXO));
}

}  // namespace
}  // namespace quirovel::testing
