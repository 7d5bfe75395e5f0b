// Delivery, newborn and stay checks over whole episodes: which newborn is
// looked at, the order of the findings, and what a missing field changes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/check_fixture.h"
#include "validation/code_checks_test_catalogue.h"

namespace quirovel::testing {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

Episode With(Episode e, const Values& values) {
  for (const auto& [field, value] : values) e.Set(field, value);
  return e;
}

// A normal delivery of a woman of 34 at 39 weeks, one girl of 3200 g, born
// between admission and discharge, outcome V27.0: no error.
Episode NormalDelivery() {
  return With(CleanEpisode(), {{"C1", "650"}, {"C2", "V27.0"}, {"SERVALT", "70552"},
                               {"TGESTAC", "39"}, {"PESO1N", "3200"}, {"SEXO1N", "2"},
                               {"FECPART", "20050302"}});
}

struct Row {
  const char* name;
  Values values;
  std::vector<std::string> errors;  // "number:field"
};

void ExpectErrors(const Episode& base, const std::vector<Row>& rows) {
  CheckFixture fixture(WithCodeCatalogue());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(fixture.CheckEpisode(With(base, row.values)).ErrorsWithFields(), row.errors);
  }
}

TEST(DeliveryChecksTest, NormalDelivery) {
  ExpectErrors(NormalDelivery(), {
    {"clean", {}, {}},
    {"mother of 35", {{"FECNAC", "19700301"}}, {"38:19"}},
    {"mother of 35 at 36 weeks", {{"FECNAC", "19700301"}, {"TGESTAC", "36"}},
     {"38:19", "39:19"}},
    // An unknown gestation is out of the normal range but not wrong.
    {"mother of 35, gestation unknown", {{"FECNAC", "19700301"}, {"TGESTAC", "99"}},
     {"38:19", "39:19", "65:55"}},
    // Only "650" and three blanks is a normal delivery.
    {"a longer code of the chapter", {{"C1", "644.21"}, {"TGESTAC", "36"}}, {}},
  });
}

TEST(DeliveryChecksTest, OutcomeCodes) {
  ExpectErrors(NormalDelivery(), {
    {"V27.9 with its trailing blank", {{"C2", "V27.9"}}, {}},
    {"V27.1", {{"C2", "V27.1"}}, {}},
    {"V26.9", {{"C2", "V26.9"}}, {"42:19"}},
    {"outcome in C15", {{"C2", "486"}, {"C15", "V27.9"}}, {}},
    // V27.0 cannot be the main diagnosis, and is no delivery there either.
    {"V27.0 as main diagnosis", {{"C1", "V27.0"}, {"C2", ""}},
     {"35:19", "64:55", "66:56", "68:57"}},
  });
}

TEST(DeliveryChecksTest, Newborns) {
  ExpectErrors(NormalDelivery(), {
    {"unknown first weight", {{"PESO1N", "9999"}}, {"67:56"}},
    {"no first newborn", {{"PESO1N", "0"}}, {"66:56"}},
    {"no first newborn nor sex", {{"PESO1N", "0"}, {"SEXO1N", "0"}}, {"66:56", "68:57"}},
    {"unweighed second newborn is not looked at", {{"PESO2N", "0"}, {"SEXO2N", "5"}}, {}},
    {"weighed second newborn of sex 5", {{"PESO2N", "2500"}, {"SEXO2N", "5"}}, {"68:59"}},
    {"second newborn of unknown sex", {{"PESO2N", "2500"}, {"SEXO2N", "9"}}, {"69:59"}},
    {"third newborn without sex", {{"PESO3N", "2500"}}, {"68:61"}},
    {"third newborn too heavy", {{"PESO3N", "5501"}, {"SEXO3N", "1"}}, {"66:60"}},
    {"third newborn weight unknown", {{"PESO3N", "9999"}, {"SEXO3N", "1"}}, {"67:60"}},
    // Everything at once, in the order of the checks.
    {"all wrong",
     {{"FECNAC", "19700301"}, {"TGESTAC", "99"}, {"FECPART", ""}, {"C2", ""},
      {"PESO1N", "0"}, {"SEXO1N", "0"}, {"PESO2N", "9999"}, {"SEXO2N", "9"},
      {"PESO3N", "6000"}, {"SEXO3N", "4"}},
     {"38:19", "39:19", "61:19", "42:19", "65:55", "66:56", "67:58", "66:60", "68:57",
      "68:61", "69:59"}},
  });
}

TEST(DeliveryChecksTest, NewbornDataAfterAnotherMainDiagnosis) {
  ExpectErrors(CleanEpisode(), {
    {"gestation and weight", {{"TGESTAC", "38"}, {"PESO1N", "3000"}}, {"64:55", "66:56"}},
    {"every datum",
     {{"TGESTAC", "99"}, {"PESO1N", "9999"}, {"SEXO1N", "9"}, {"PESO2N", "1"},
      {"SEXO2N", "1"}, {"PESO3N", "1"}, {"SEXO3N", "1"}},
     {"64:55", "66:56", "66:58", "66:60", "68:57", "68:59", "68:61"}},
    // A main diagnosis that is not CIE-9-MC in this version says nothing about
    // a delivery: only the stays are still checked (before the codes).
    {"main diagnosis of another version",
     {{"C1", "279.9"}, {"TGESTAC", "38"}, {"ESTUCI", "31"}}, {"70:62", "33:19"}},
    {"blank main diagnosis", {{"C1", ""}, {"PESO1N", "3000"}}, {"32:19"}},
  });
}

TEST(DeliveryChecksTest, MissingDeliveryDateIsReportedWithoutItsField) {
  CheckFixture fixture(WithCodeCatalogue());
  fixture.WriteTable({With(NormalDelivery(), {{"FECPART", "20050302"}})},
                     CheckFixture::LayoutWithout({"FECPART"}));
  CheckResult r = fixture.Check(1);
  ASSERT_EQ(r.ErrorsWithFields(), std::vector<std::string>{"61:19"});
  EXPECT_EQ(r.entries[0].related1, 54u);
}

TEST(DeliveryChecksTest, FileWithoutNewbornFieldsRecordsNothingAboutThem) {
  CheckFixture fixture(WithCodeCatalogue());
  fixture.WriteTable({NormalDelivery()},
                     CheckFixture::LayoutWithout({"TGESTAC", "PESO1N", "SEXO1N", "PESO2N",
                                                  "SEXO2N", "PESO3N", "SEXO3N"}));
  // Gestation and the first newborn read as 0: wrong for a delivery, but the
  // file cannot hold them. The normal-delivery gestation check is recorded
  // against C1, so it stays, as the missing delivery date does.
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), std::vector<std::string>{"39:19"});
}

TEST(DeliveryChecksTest, StaysAtTheirLimits) {
  ExpectErrors(CleanEpisode(), {
    {"30 days in intensive care, 5 in emergency", {{"ESTUCI", " 30"}, {"ESTURG", "5"}}, {}},
    {"both too long", {{"ESTUCI", "999"}, {"ESTURG", "9"}}, {"70:62", "71:63"}},
  });
}

}  // namespace
}  // namespace quirovel::testing
