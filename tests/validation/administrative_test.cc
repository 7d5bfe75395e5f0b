// The per-episode check on whole episodes: the helpers and lists it relies
// on, the cases at the edges of its rules, input that is not what the layout
// promises, and the order of the errors of one episode with everything wrong.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "support/check_fixture.h"
#include "validation/checks.h"
#include "validation/hospital_codes.h"
#include "validation/service_codes.h"

namespace quirovel::testing {
namespace {

using Errors = std::vector<int>;

TEST(CheckHelpersTest, DigitsFieldsAndDigitCounts) {
  struct Row {
    const char* text;
    int n;
    bool digits_field, count;
  } rows[] = {
      {"12345", 5, true, true},   {"1234 ", 5, false, false}, {"123  ", 3, true, true},
      {" 1234", 1, false, true},  {"12 34", 1, false, true},  {"12a45", 1, false, true},
      {"     ", 0, true, true},   {"     ", 1, false, false}, {"", 1, false, false},
      {"-1234", 1, false, true},  {"12\t34", 1, false, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(IsDigitsField(r.text, r.n), r.digits_field);
    EXPECT_EQ(CountDigits(r.text, r.n), r.count);
  }
  EXPECT_TRUE(CountDigits("AN0000000123", 10));
  EXPECT_FALSE(CountDigits("AN000000012x", 10));
}

TEST(CheckHelpersTest, ProcedureShapeAndIntegerValue) {
  EXPECT_TRUE(IsProcedureShaped("47.0 "));
  EXPECT_TRUE(IsProcedureShaped("47   "));
  EXPECT_FALSE(IsProcedureShaped("486   "));
  EXPECT_FALSE(IsProcedureShaped("E8.1  "));
  EXPECT_FALSE(IsProcedureShaped("V2.0  "));
  EXPECT_FALSE(IsProcedureShaped("47"));
  EXPECT_FALSE(IsProcedureShaped(""));

  EXPECT_EQ(IntegerValue("  42  "), 42);
  EXPECT_EQ(IntegerValue("-7"), -7);
  EXPECT_EQ(IntegerValue("+7x"), 7);
  EXPECT_EQ(IntegerValue("V27.0"), 0);
  EXPECT_EQ(IntegerValue("650.1"), 650);
  EXPECT_EQ(IntegerValue(" - 3"), 0);
  EXPECT_EQ(IntegerValue(""), 0);
  // Far wider than any field: read without overflowing.
  EXPECT_GT(IntegerValue("99999999999999999999999"), 0);
}

TEST(ServiceCodeListTest, WalkEndsAtTheMarker) {
  EXPECT_TRUE(IsServiceCode("70100"));
  EXPECT_TRUE(IsServiceCode("70552"));
  EXPECT_TRUE(IsServiceCode("70600"));
  EXPECT_FALSE(IsServiceCode("70553"));
  EXPECT_FALSE(IsServiceCode("70099"));
  EXPECT_FALSE(IsServiceCode("7010"));
  EXPECT_FALSE(IsServiceCode("70100 "));
  EXPECT_FALSE(IsServiceCode("ZZZ"));
  EXPECT_FALSE(IsServiceCode("zzzzz"));
  EXPECT_FALSE(IsServiceCode(""));
  EXPECT_FALSE(IsServiceCode("70 00"));
  EXPECT_FALSE(IsServiceCode("7010/"));
  EXPECT_FALSE(IsServiceCode(std::string_view("7010\0", 5)));
  const std::set<std::string_view> listed(kServiceCodeList.begin(), kServiceCodeList.end() - 1);
  EXPECT_EQ(listed.size(), 40u);
  char code[8];
  for (int n = 0; n < 1000; ++n) {
    std::snprintf(code, sizeof code, "70%03d", n);
    EXPECT_EQ(IsServiceCode(code), listed.count(code) != 0) << code;
  }
}

TEST(HospitalCodeTest, ProvincialListListedCodesAndTheOwnHospital) {
  CodeIndex listed;
  RecordingFeedback quiet;
  listed.Insert("28001", quiet);
  EXPECT_TRUE(HospitalCodeAccepted("99999", "02012", listed));
  EXPECT_TRUE(HospitalCodeAccepted("02004", "02012", listed));
  EXPECT_TRUE(HospitalCodeAccepted("11815", "02012", listed));
  EXPECT_TRUE(HospitalCodeAccepted("02023", "02012", listed)) << "023 stands in the list";
  EXPECT_FALSE(HospitalCodeAccepted("02203", "02012", listed)) << "203 does not";
  EXPECT_FALSE(HospitalCodeAccepted("02030", "02012", listed));
  EXPECT_FALSE(HospitalCodeAccepted("02012", "02012", listed)) << "the own hospital";
  EXPECT_TRUE(HospitalCodeAccepted("28001", "02012", listed));
  EXPECT_FALSE(HospitalCodeAccepted("28002", "02012", listed));
  listed.Insert("02012", quiet);
  EXPECT_TRUE(HospitalCodeAccepted("02012", "02012", listed));
}

TEST(AdministrativeTest, CleanEpisodesRaiseNothing) {
  CheckFixture f;
  EXPECT_EQ(f.CheckEpisode(CleanEpisode(), kMensual).Errors(), Errors{});
  EXPECT_EQ(f.CheckEpisode(CleanEpisode(), kTrimestral).Errors(), Errors{});
  EXPECT_EQ(f.CheckEpisode(CleanCmaEpisode(), kCma).Errors(), Errors{});
  EXPECT_EQ(f.session().run.EpisodesChecked, 1);
}

struct EdgeCase {
  const char* name;
  Episode episode;
  int test_type;
  Errors expected;
};

TEST(AdministrativeTest, EdgesOfTheRules) {
  const Episode clean = CleanEpisode();
  const Episode cma = CleanCmaEpisode();
  auto with = [](Episode e) { return e; };
  const std::vector<EdgeCase> cases = {
      {"CMA origin 1 gives E12 only", with(cma).Set("PROCEDEN", "1").Set("FECNAC", "20050301"),
       kCma, {2}},
      {"origin 8 with a programmed admission gives E11 once", with(clean).Set("PROCEDEN", "8").Set("TIPING", "2"),
       kMensual, {1}},
      {"born on admission, from another centre", with(clean).Set("PROCEDEN", "6").Set("PROCH", "02004")
           .Set("FECNAC", "20050301"), kMensual, {}},
      {"two blank dates are equal", with(clean).Set("FECNAC", "").Set("FECING", ""), kMensual,
       {3, 8, 19, 9, 28}},
      {"origin hospital equal to the own one, not listed", with(clean).Set("PROCEDEN", "6").Set("PROCH", "02012"),
       kMensual, {4}},
      {"origin hospital given with origin 1", with(clean).Set("PROCH", "02004"), kMensual, {4}},
      {"origin hospital 99999", with(clean).Set("PROCEDEN", "6").Set("PROCH", "99999"), kMensual, {}},
      {"origin hospital 00000", with(clean).Set("PROCEDEN", "6").Set("PROCH", "00000"), kMensual, {4}},
      {"origin hospital with a leading blank", with(clean).Set("PROCEDEN", "6").Set("PROCH", " 2004"),
       kMensual, {4}},
      {"history AN0000000123", with(clean).Set("HISTORIA", "AN0000000123"), kMensual, {}},
      {"history AN12", with(clean).Set("HISTORIA", "AN12"), kMensual, {7}},
      {"history with a leading blank", with(clean).Set("HISTORIA", " 123456"), kMensual, {7}},
      {"affiliation with a blank inside", with(clean).Set("AFILISS", "28 12345678"), kMensual, {5}},
      {"short affiliation number still fills the field", with(clean).Set("AFILISS", "28"), kMensual, {}},
      {"882 days", with(clean).Set("ASISTENC", "0412345").Set("FECING", "20040101").Set("FECALT", "20060601"),
       kMensual, {26}},
      {"1096 days", with(clean).Set("ASISTENC", "0412345").Set("FECING", "20040101").Set("FECALT", "20070101"),
       kMensual, {28}},
      {"CMA stay of one night", with(cma).Set("FECALT", "20050302"), kCma, {}},
      {"blank transfer with a transfer discharge", with(clean).Set("TIPALT", "2"), kMensual, {31, 30}},
      {"transfer 99999 to home", with(clean).Set("TRASH", "99999"), kMensual, {31}},
      {"transfer 1234 is short", with(clean).Set("TRASH", "1234").Set("TIPALT", "2"), kMensual, {30}},
      {"service with a leading blank", with(clean).Set("SERVING", " 7010"), kMensual, {23}},
      {"both services wrong: discharge first", with(clean).Set("SERVING", "1").Set("SERVALT", "2"),
       kMensual, {24, 23}},
  };
  CheckFixture f;
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(f.CheckEpisode(c.episode, c.test_type).Errors(), c.expected);
  }
}

TEST(AdministrativeTest, OwnHospitalBoundsTheHospitalCode) {
  CheckFixture f;
  Session& s = f.session();
  for (const char* code : {"02003", "02054", "02055", "02002"}) {
    SCOPED_TRACE(code);
    s.config.SetText(ConfigRecord::kHospitalCode, ConfigRecord::kHospitalCodeSize, code);
    const bool inside = std::string(code) >= "02003" && std::string(code) <= "02054";
    EXPECT_EQ(f.CheckEpisode(CleanEpisode().Set("HOSPITAL", code)).Errors(), inside ? Errors{} : Errors{6});
  }
}

TEST(AdministrativeTest, ListedOwnHospitalIsAcceptedAsOrigin) {
  CheckFixture f;
  f.session().references.hospitals.Insert("02012", f.feedback());
  EXPECT_EQ(f.CheckEpisode(CleanEpisode().Set("PROCEDEN", "6").Set("PROCH", "02012")).Errors(), Errors{});
}

TEST(AdministrativeTest, FieldsMissingFromTheFileSkipTheirSteps) {
  CheckFixture f;
  // Without PROCEDEN nothing of the origin is tested, E13 included.
  f.WriteTable({CleanEpisode().Set("FECNAC", "20050301").Set("PROCH", "xx")},
               CheckFixture::LayoutWithout({"PROCEDEN", "PROCH"}));
  EXPECT_EQ(f.Check(1).Errors(), Errors{});
  // A file with none of the fields: every test runs on the defaults and every
  // error is dropped.
  f.WriteTable({CleanEpisode()}, {"OBSERV#C10"});
  EXPECT_EQ(f.Check(1).Errors(), Errors{});
}

TEST(AdministrativeTest, OddInputNeverCrashes) {
  CheckFixture f;
  const std::string control("\x01\x7f\x1b\xff\x00\x0a", 6);
  std::vector<Episode> odd = {
      CleanEpisode().Set("PROCEDEN", "-").Set("SEXO", "A").Set("REGFIN", "+").Set("TIPALT", "x")
          .Set("TIPING", "-1").Set("RESIDE", "-2001").Set("ESTUCI", "-99").Set("TGESTAC", "-"),
      CleanEpisode().Set("C1", control).Set("C2", ".;,:!?").Set("CE", control).Set("P1", "\t\r\n  ")
          .Set("P2", "......").Set("HISTORIA", control + control).Set("ASISTENC", control),
      CleanEpisode().Set("FECNAC", "ABCDEFGH").Set("FECING", "2005-3-1").Set("FECALT", "99999999")
          .Set("FEINTV", "0000000x").Set("FECPART", "\xff\xff\xff\xff\xff\xff\xff\xff"),
      CleanEpisode().Set("PROCH", "\xff\xff\xff\xff\xff").Set("TRASH", "1\x00" "345").Set("OCUPACION", "\x80")
          .Set("SERVALT", "\x00\x00\x00").Set("SERVING", "ZZZ"),
  };
  f.WriteTable(odd);
  for (int n = 1; n <= static_cast<int>(odd.size()); ++n)
    for (int t : {kMensual, kTrimestral, kCma}) {
      CheckResult r = f.Check(n, t);
      EXPECT_EQ(r.entries.size(), static_cast<std::size_t>(f.session().run.ErrorCount));
    }
  // Letters in numeric fields read as 0.
  CheckResult r = f.Check(1, kMensual);
  EXPECT_EQ(r.Errors().front(), 1) << "PROCEDEN 0";

  // Fields wider than the layout are cut to the layout width.
  std::vector<std::string> wide = CheckFixture::LayoutWithout({"C1", "HISTORIA", "SERVALT"});
  wide.insert(wide.end(), {"C1#C9", "HISTORIA#C20", "SERVALT#C8"});
  f.WriteTable({CleanEpisode().Set("C1", "486   XYZ").Set("HISTORIA", "12345678901234567890")
                    .Set("SERVALT", "70100999")},
               wide);
  r = f.Check(1);
  EXPECT_EQ(r.Errors(), Errors{});
}

// Everything wrong at once: the entries come in the order of the steps, the
// code fields 19 to 52 in between.
TEST(AdministrativeTest, MessyEpisodeFollowsTheOrderOfTheChecks) {
  CheckFixture f;
  Episode messy = CleanEpisode();
  messy.Set("PROCEDEN", "8").Set("PROCH", "abc").Set("AFILISS", "00").Set("HOSPITAL", "02099")
      .Set("HISTORIA", "AN12").Set("ASISTENC", "99").Set("FECNAC", "19000101")
      .Set("FECALT", "20050228").Set("SEXO", "9").Set("RESIDE", "99999").Set("OCUPACION", "ABC")
      .Set("REGFIN", "2").Set("TIPING", "5").Set("TIPALT", "0").Set("ESTUCI", "31").Set("ESTURG", "6")
      .Set("TGESTAC", "38").Set("C2", "47.0").Set("CE", "E880.9").Set("P1", "123.4")
      .Set("FEINTV", "99990909").Set("TRASH", "12345").Set("SERVALT", "70553").Set("SERVING", " 7010");
  CheckResult r = f.CheckEpisode(messy, kMensual);
  EXPECT_EQ(r.Errors(), (Errors{1,  4,  5,  6,  7,  8,  20, 10, 14, 16, 17, 21, 29, 70,
                                71, 64, 40, 41, 48, 49, 50, 57, 55, 30, 31, 24, 23}));
  const std::vector<std::string> fields = {
      "1:1",   "4:2",   "5:3",   "6:4",   "7:5",   "8:6",   "20:12", "10:7",  "14:8",
      "16:9",  "17:10", "21:13", "29:17", "70:62", "71:63", "64:55", "40:20", "41:20",
      "48:34", "49:38", "50:38", "57:53", "55:53", "30:18", "31:18", "24:15", "23:14"};
  EXPECT_EQ(r.ErrorsWithFields(), fields);
  // One line per entry, in the same order.
  std::size_t lines = 0;
  for (std::size_t at = r.errores.find("\r\n"); at != std::string::npos; at = r.errores.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, r.entries.size());
}

TEST(AdministrativeTest, MessyCmaEpisodeFollowsTheOrderOfTheChecks) {
  CheckFixture f;
  Episode messy = CleanCmaEpisode();
  messy.Set("PROCEDEN", "1").Set("PROCH", "02004").Set("SEXO", "9").Set("TIPING", "2")
      .Set("FECALT", "20050305").Set("FEINTV", "").Set("P1", "88.38");
  // Origin, origin hospital, sex, then admission type, stay and intervention
  // date of the CMA step, and only then the main procedure.
  EXPECT_EQ(f.CheckEpisode(messy, kCma).ErrorsWithFields(),
            (std::vector<std::string>{"2:1", "4:2", "14:8", "22:13", "27:16", "59:53", "54:38"}));
}

}  // namespace
}  // namespace quirovel::testing
