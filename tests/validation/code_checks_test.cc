// The code field checks over whole episodes: class and range boundaries, the
// order of the findings of one code, the not-in-version mark, a missing
// catalogue, odd field widths and odd bytes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "session/session.h"
#include "support/check_fixture.h"
#include "validation/checks.h"
#include "validation/code_checks_test_catalogue.h"

namespace quirovel::testing {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

Episode With(Episode e, const Values& values) {
  for (const auto& [field, value] : values) e.Set(field, value);
  return e;
}

struct Expectation {
  const char* name;
  Values values;
  std::vector<std::string> errors;  // "number:field"
  int test_type = kMensual;
};

void ExpectErrors(CheckFixture& fixture, const Episode& base, const std::vector<Expectation>& rows) {
  for (const Expectation& row : rows) {
    SCOPED_TRACE(row.name);
    CheckResult r = fixture.CheckEpisode(With(base, row.values), row.test_type);
    EXPECT_EQ(r.ErrorsWithFields(), row.errors);
  }
}

TEST(CodeChecksTest, AgeClassesOfDiagnoses) {
  CheckFixture fixture(WithCodeCatalogue());
  // Admission on 20050301.
  ExpectErrors(fixture, CleanEpisode(), {
    {"newborn, one month", {{"C2", "V30.00"}, {"FECNAC", "20050102"}}, {}},
    {"newborn, two months", {{"C2", "V30.00"}, {"FECNAC", "20050101"}}, {"43:20"}},
    {"newborn, one year", {{"C2", "V30.00"}, {"FECNAC", "20040301"}}, {"43:20"}},
    {"under 25 at 24", {{"C2", "692.0"}, {"FECNAC", "19800302"}}, {}},
    {"under 25 at 25", {{"C2", "692.0"}, {"FECNAC", "19800301"}}, {"43:20"}},
    {"fertile at 12", {{"C2", "626.0"}, {"FECNAC", "19920302"}}, {"43:20"}},
    {"fertile at 13", {{"C2", "626.0"}, {"FECNAC", "19920301"}}, {}},
    {"fertile at 49", {{"C2", "626.0"}, {"FECNAC", "19550302"}}, {}},
    {"fertile at 50", {{"C2", "626.0"}, {"FECNAC", "19550301"}}, {"43:20"}},
    {"older at 50", {{"C2", "797"}, {"FECNAC", "19550301"}}, {"43:20"}},
    {"older at 51", {{"C2", "797"}, {"FECNAC", "19540301"}}, {}},
  });
}

TEST(CodeChecksTest, ProceduresHonourOnlyNewbornAndFertileClasses) {
  CheckFixture fixture(WithCodeCatalogue());
  // The clean episode is a woman of 34.
  ExpectErrors(fixture, CleanEpisode(), {
    {"newborn class at 34", {{"P1", "99.55"}}, {"51:38"}},
    {"newborn class at one month", {{"P1", "99.55"}, {"FECNAC", "20050102"}}, {}},
    {"under 25 class at 34", {{"P1", "93.11"}}, {}},
    {"older class at 34", {{"P1", "93.12"}}, {}},
    {"fertile class at 12", {{"P2", "99.99"}, {"FECNAC", "19920302"}}, {"51:39"}},
    {"fertile class at 13", {{"P2", "99.99"}, {"FECNAC", "19920301"}}, {}},
  });
}

TEST(CodeChecksTest, RangesCompareTheWholeSixCharacterText) {
  CheckFixture fixture(WithCodeCatalogue());
  ExpectErrors(fixture, CleanEpisode(), {
    {"below injuries", {{"C1", "799.8"}}, {}},
    {"first injury", {{"C1", "800"}}, {"47:19"}},
    {"last injury", {{"C2", "999.9"}}, {"47:20"}},
    {"above injuries", {{"C2", "999.91"}}, {}},
    {"an injury with a cause in CE4", {{"C1", "850.0"}, {"CE4", "E880.9"}}, {}},
    {"below traffic", {{"REGFIN", "2"}, {"CE", "E809.9"}}, {"48:34"}},
    {"first traffic", {{"REGFIN", "2"}, {"CE", "E810"}}, {}},
    {"last traffic in a six-character field", {{"REGFIN", "2"}, {"CE", "E829.9"}}, {}},
    {"above traffic", {{"REGFIN", "2"}, {"CE", "E830"}}, {"48:34"}},
    {"traffic cause in CE3", {{"REGFIN", "2"}, {"CE", "E880.9"}, {"CE3", "E816.0"}}, {}},
    // Only CE carries the traffic rule: a cause coded in CE2 alone is not judged.
    {"blank CE, a fall in CE2", {{"REGFIN", "2"}, {"CE2", "E880.9"}}, {}},
    {"not a traffic insurer", {{"REGFIN", "3"}, {"CE", "E880.9"}}, {}},
  });
}

TEST(CodeChecksTest, MainDiagnosisChapterAgainstDischargeService) {
  CheckFixture fixture(WithCodeCatalogue());
  ExpectErrors(fixture, CleanEpisode(), {
    {"629.9", {{"C1", "629.9"}}, {}},
    {"630", {{"C1", "630"}}, {"36:19"}},
    {"679.9", {{"C1", "679.9"}}, {"36:19"}},
    {"680", {{"C1", "680"}}, {}},
    {"759.9", {{"C1", "759.9"}}, {}},
    {"760", {{"C1", "760"}}, {"37:19"}},
    {"779.9", {{"C1", "779.9"}}, {"37:19"}},
    {"780", {{"C1", "780"}}, {}},
    {"perinatal in 70392", {{"C1", "770.0"}, {"SERVALT", "70392"}}, {}},
    {"obstetric only in 70552", {{"C1", "634.90"}, {"SERVALT", "70440"}}, {"36:19"}},
    // The service is looked for anywhere in "70440 70441 70392": a piece of
    // it passes here and is left to the service check (E181).
    {"a piece of the neonatal list", {{"C1", "770.0"}, {"SERVALT", "0 704"}}, {"24:15"}},
  });
}

TEST(CodeChecksTest, FindingsOfOneCodeComeInTheirFixedOrder) {
  CheckFixture::Options options = WithCodeCatalogue();
  CatalogueCode procedure{"777.7", "FFFFF", " ", "1", "1", " ", " ", ""};
  CatalogueCode shaped{"12.34", "FFFFF", " ", "1", "4", " ", " ", ""};
  CatalogueCode injury{"850.9", "FFFFF", "F", "1", "4", " ", " ", ""};
  options.catalogue.insert(options.catalogue.end(), {procedure, shaped, injury});
  CheckFixture fixture(options);
  ExpectErrors(fixture, CleanEpisode(), {
    // Age, sex, not surgical, not shaped like a procedure, not valid.
    {"procedure", {{"P1", "777.7"}}, {"51:38", "52:38", "54:38", "49:38", "50:38"}, kTrimestral},
    // Shaped like a procedure, sex, age, not valid.
    {"secondary diagnosis", {{"C2", "12.34"}}, {"40:20", "44:20", "43:20", "41:20"}},
    // Sex, age, injury without cause, not valid, cannot be main.
    {"main diagnosis", {{"C1", "850.9"}}, {"44:19", "43:19", "47:19", "34:19", "35:19"}},
    // The surgical-date checks look at the main procedure only.
    {"planned surgery in P2", {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P2", "47.0"}}, {}},
    {"urgent surgery without date", {{"P1", "47.0"}}, {}},
  });
}

TEST(CodeChecksTest, NotInVersionMarkBelongsToItsOwnErrorOnly) {
  CheckFixture fixture(WithCodeCatalogue());
  CheckResult r = fixture.CheckEpisode(
      With(CleanEpisode(), {{"C1", "279.9"}, {"C2", "487"}, {"P1", "47.0"}, {"P2", "38.94"},
                            {"FEINTV", "20050228"}}));
  ASSERT_EQ(r.ErrorsWithFields(),
            (std::vector<std::string>{"33:19", "40:20", "49:39", "56:53"}));
  std::vector<std::uint32_t> marks;
  for (const ErrorEntry& e : r.entries) marks.push_back(e.not_in_version);
  EXPECT_EQ(marks, (std::vector<std::uint32_t>{1, 0, 1, 0}));
  EXPECT_EQ(fixture.session().run.NotInVersionMark, 0);
}

TEST(CodeChecksTest, VersionPositionSelectsTheValidityCharacter) {
  CheckFixture fixture(WithCodeCatalogue());
  fixture.WriteTable({With(CleanEpisode(), {{"C2", "279.9"}, {"C3", "799.9"}})});
  for (int position : {0, 1, 4}) {
    SCOPED_TRACE(position);
    fixture.BeginRecord(1);
    fixture.session().run.VersionPosition = position;
    CheckCodeField(fixture.checks(), C1 + 1);
    CheckCodeField(fixture.checks(), C1 + 2);
    CheckResult r = fixture.Collect();
    // 279.9 exists from position 1 on; 799.9 is never valid for coding.
    if (position == 0)
      EXPECT_EQ(r.ErrorsWithFields(), (std::vector<std::string>{"40:20", "41:21"}));
    else
      EXPECT_EQ(r.ErrorsWithFields(), (std::vector<std::string>{"41:21"}));
  }
}

TEST(CodeChecksTest, WithoutCatalogueEveryCodeIsUnknownAndNothingElseIsChecked) {
  CheckFixture::Options options;
  options.write_catalogue = false;
  CheckFixture fixture(options);
  CheckResult r = fixture.CheckEpisode(
      With(CleanEpisode(), {{"C2", "250.00"}, {"CE", "E880.9"}, {"P1", "47.0"},
                            {"TGESTAC", "38"}, {"PESO1N", "3000"}}));
  EXPECT_EQ(r.ErrorsWithFields(), (std::vector<std::string>{"33:19", "40:20", "45:34", "49:38"}));
  for (const ErrorEntry& e : r.entries) EXPECT_EQ(e.not_in_version, 0u);
}

TEST(CodeChecksTest, FieldsOfOtherWidthsAreComparedAsDecoded) {
  CheckFixture fixture(WithCodeCatalogue());
  std::vector<std::string> layout = CheckFixture::LayoutWithout({});
  for (std::string& d : layout) {
    if (d == "C1#C6") d = "C1#C8";
    if (d == "C2#C6") d = "C2#C5";
    if (d == "P1#C5") d = "P1#C6";
  }
  // A wider C1 keeps its first six characters; a five-wide C2 cannot hold a
  // code of six, so "800" and its two blanks is shorter than the catalogue's.
  fixture.WriteTable({With(CleanEpisode(), {{"C1", "850.0 XY"}, {"C2", "800"}, {"P1", "47.0"}})},
                     layout);
  CheckResult r = fixture.Check(1);
  EXPECT_EQ(r.ErrorsWithFields(), (std::vector<std::string>{"47:19", "40:20"}));
}

TEST(CodeChecksTest, FileWithoutExternalCausesGivesNoMissingCause) {
  // Without a CE field the episode has no cause to be missing: only the three
  // six-blank fields CE2 to CE4 are there to compare.
  CheckFixture fixture(WithCodeCatalogue());
  fixture.WriteTable({With(CleanEpisode(), {{"C1", "850.0"}, {"REGFIN", "2"}})},
                     CheckFixture::LayoutWithout({"CE"}));
  CheckResult r = fixture.Check(1);
  EXPECT_EQ(r.ErrorsWithFields(), std::vector<std::string>{});
}

TEST(CodeChecksTest, OddBytesInCodeAndNumberFieldsNeverBreakTheCheck) {
  CheckFixture fixture(WithCodeCatalogue());
  const std::vector<Values> odd = {
      {{"C1", std::string("\x01\x02\x03", 3)}},
      {{"C1", std::string("4\0.5", 4)}, {"C2", "\x7f\xff\x80"}},
      {{"C1", "..."}, {"CE", ";;"}, {"CE2", "E"}, {"P1", "....."}, {"P2", "V"}},
      {{"C1", "-650"}, {"C2", "+27.0"}, {"P3", "\t4.0"}},
      {{"C1", "650"}, {"TGESTAC", "-5"}, {"PESO1N", "abc"}, {"SEXO1N", "+"},
       {"PESO2N", "-1"}, {"ESTUCI", "x99"}, {"ESTURG", "-"}},
      {{"C1", "E"}, {"P1", "E"}, {"FEINTV", "ABCDEFGH"}, {"FECPART", "\x01"}},
  };
  for (int type : {kMensual, kTrimestral, kCma}) {
    for (const Values& v : odd) {
      CheckResult r = fixture.CheckEpisode(With(CleanEpisode(), v), type);
      EXPECT_EQ(r.entries.size(), r.raw.size());
      for (const ErrorEntry& e : r.entries) {
        EXPECT_GE(e.error, 1);
        EXPECT_LE(e.error, 71);
      }
    }
  }
  // A value that cannot be read as a code is unknown to the catalogue.
  CheckResult r = fixture.CheckEpisode(With(CleanEpisode(), odd[0]));
  EXPECT_EQ(r.ErrorsWithFields(), std::vector<std::string>{"33:19"});
}

TEST(CodeChecksTest, FieldNumbersOutsideTheCodesAreIgnored) {
  CheckFixture fixture(WithCodeCatalogue());
  fixture.WriteTable({With(CleanEpisode(), {{"C1", ""}})});
  fixture.BeginRecord(1);
  fixture.session().run.NotInVersionMark = 1;
  for (int f : {-1, 0, 18, 53, 64, 1000}) CheckCodeField(fixture.checks(), f);
  EXPECT_EQ(fixture.session().run.NotInVersionMark, 0);
  EXPECT_EQ(fixture.Collect().entries.size(), 0u);
}

}  // namespace
}  // namespace quirovel::testing
