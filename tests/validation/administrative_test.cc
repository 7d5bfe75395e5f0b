// The administrative and date checks (E11 to E222, and E274 of the CMA
// admission): the helpers and lists they rely on, every error raised and not
// raised on either side of its boundary with its entry and line laid out by
// hand, input that is not what the layout promises, and the order of the
// errors of one episode with everything wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/check_fixture.h"
#include "validation/episode_cases.h"
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

// Each error on both sides of its boundary; entries and lines laid out by hand
// from the error table: number, own field, related fields, detail.
TEST(AdministrativeTest, Origin) {
  CheckFixture f;
  ExpectCases(f, CleanEpisode(), {
    {"E11 outside 1..7", {{"PROCEDEN", "8"}}, "1", kMensual, Entry(" 1", 1, 13),
     kMonthly + "E11  Procedencia incorrecta PROCEDEN=     8 TIPING=1\r\n"},
    {"origin 7", {{"PROCEDEN", "7"}}, ""},
    {"E11 programmed from the emergency room", {{"TIPING", "2"}}, "1", kMensual, Entry(" 1", 1, 13),
     kMonthly + "E11  Procedencia incorrecta PROCEDEN=     1 TIPING=2\r\n"},
    {"programmed from another origin", {{"TIPING", "2"}, {"PROCEDEN", "2"}}, ""},
    {"origin 8 with a programmed admission gives E11 once", {{"PROCEDEN", "8"}, {"TIPING", "2"}}, "1"},
    {"E13 born on admission", {{"FECNAC", "20050301"}}, "3", kMensual, Entry(" 3", 1, 12, 7),
     kMonthly + "E13  Procedencia incorrecta: Nacido en el hospital PROCEDEN=     1 "
                "FECING=20050301 FECNAC=20050301 edad =  0\r\n"},
    {"born the day before", {{"FECNAC", "20050228"}}, ""},
    {"born on admission, from another centre",
     {{"PROCEDEN", "6"}, {"PROCH", "02004"}, {"FECNAC", "20050301"}}, ""},
    {"two blank dates are equal", {{"FECNAC", ""}, {"FECING", ""}}, "3 8 19 9 28"},
    {"E21 blank", {{"PROCEDEN", "6"}}, "4", kMensual, Entry(" 4", 2, 1),
     kMonthly + "E21  Hospital de procedencia incorrecto PROCH=       PROCEDEN=6\r\n"},
    {"provincial hospital", {{"PROCEDEN", "6"}, {"PROCH", "02004"}}, ""},
    {"E21 not a provincial hospital", {{"PROCEDEN", "6"}, {"PROCH", "02030"}}, "4", kMensual,
     Entry(" 4", 2, 1), kMonthly + "E21  Hospital de procedencia incorrecto PROCH= 02030 PROCEDEN=6\r\n"},
    {"listed hospital", {{"PROCEDEN", "6"}, {"PROCH", "02031"}}, ""},
    {"equal to the own one, not listed", {{"PROCEDEN", "6"}, {"PROCH", "02012"}}, "4"},
    {"given with origin 1", {{"PROCH", "02004"}}, "4"},
    {"99999", {{"PROCEDEN", "6"}, {"PROCH", "99999"}}, ""},
    {"00000", {{"PROCEDEN", "6"}, {"PROCH", "00000"}}, "4"},
    {"with a leading blank", {{"PROCEDEN", "6"}, {"PROCH", " 2004"}}, "4"},
  });
  ExpectCases(f, CleanCmaEpisode(), {
    {"E12", {{"PROCEDEN", "1"}}, "2", kCma, Entry(" 2", 1),
     kCmaDay + "E12  Procedencia incorrecta (CMA) PROCEDEN=     1 \r\n"},
    {"CMA from another origin", {{"PROCEDEN", "2"}}, "", kCma},
    {"CMA origin 1 born on admission gives E12 only", {{"PROCEDEN", "1"}, {"FECNAC", "20050301"}},
     "2", kCma},
  });
}

TEST(AdministrativeTest, Identity) {
  CheckFixture f;
  ExpectCases(f, CleanEpisode(), {
    {"E41", {{"AFILISS", "001234567890"}}, "5", kMensual, Entry(" 5", 3),
     kMonthly + "E41  Código afiliación Seguridad Social incorrecto AFILISS=001234567890 \r\n"_cp},
    {"province 01", {{"AFILISS", "011234567890"}}, ""},
    {"affiliation with a blank inside", {{"AFILISS", "28 12345678"}}, "5"},
    {"short affiliation number still fills the field", {{"AFILISS", "28"}}, ""},
    {"E51", {{"HOSPITAL", "02013"}}, "6", kMensual, Entry(" 6", 4),
     kMonthly + "E51  Código hospital incorrecto HOSPITAL= 02013 \r\n"_cp},
    {"E61", {{"HISTORIA", "0"}}, "7", kMensual, Entry(" 7", 5),
     "0            10/03/2005 E61  Historia incorrecta HISTORIA=0            \r\n"},
    {"history 1", {{"HISTORIA", "1"}}, ""},
    {"history AN0000000123", {{"HISTORIA", "AN0000000123"}}, ""},
    {"history AN12", {{"HISTORIA", "AN12"}}, "7"},
    {"history with a leading blank", {{"HISTORIA", " 123456"}}, "7"},
    {"E71", {{"ASISTENC", "0412345"}}, "8", kMensual, Entry(" 8", 6, 12),
     kMonthly + "E71  Número de asistencia incorrecto ASISTENC=0412345 FECING=20050301\r\n"_cp},
  });
}

TEST(AdministrativeTest, Dates) {
  CheckFixture f;
  ExpectCases(f, CleanEpisode(), {
    {"E81", {{"FECNAC", ""}}, "9", kMensual, Entry(" 9", 7),
     kMonthly + "E81  Fecha de nacimiento vacía FECNAC=         \r\n"_cp},
    {"E82", {{"FECNAC", "19040228"}}, "10", kMensual, Entry("10", 7, 12),
     kMonthly + "E82  Edad mayor de 100 años FECNAC=19040228 Edad=101\r\n"_cp},
    {"100 years", {{"FECNAC", "19040302"}}, ""},
    {"E83", {{"PROCEDEN", "7"}, {"FECNAC", "20050302"}}, "11", kMensual, Entry("11", 7, 12),
     kMonthly + "E83  Fecha nacimiento > ingreso FECNAC=20050302 FECING=20050301\r\n"},
    {"born on admission", {{"PROCEDEN", "7"}, {"FECNAC", "20050301"}}, ""},
    {"E84", {{"PROCEDEN", "7"}, {"FECNAC", "20050311"}}, "11 12", kMensual, Entry("12", 7, 16),
     kMonthly + "E84  Fecha nacimiento > alta FECNAC=20050311 fecalt ->FECALT=20050310\r\n"},
    {"born on discharge", {{"PROCEDEN", "7"}, {"FECNAC", "20050310"}}, "11"},
    // A blank admission date is also no year for the episode number, and a
    // stay that no calendar can hold.
    {"E121", {{"FECING", ""}}, "8 19 28", kMensual, Entry("19", 12),
     kMonthly + "E121 Fecha de ingreso vacía FECING=         \r\n"_cp},
    {"E122", {{"FECALT", "20050228"}}, "20", kMensual, Entry("20", 12, 16),
     "123456       28/02/2005 E122 Fecha ingreso > alta FECING=20050301 Alta=20050228\r\n"},
    {"discharged on admission", {{"FECALT", "20050301"}}, ""},
    {"E201", {{"FECALT", ""}}, "20 12 25", kMensual, Entry("25", 16),
     "123456                  E201 Fecha de alta vacía FECALT=         \r\n"_cp},
  });
}

TEST(AdministrativeTest, Patient) {
  CheckFixture f;
  ExpectCases(f, CleanEpisode(), {
    {"E91", {{"SEXO", "4"}}, "13", kMensual, Entry("13", 8),
     kMonthly + "E91  Sexo incorrecto SEXO=     4 \r\n"},
    {"sex 3", {{"SEXO", "3"}}, ""},
    {"E92", {{"SEXO", "9"}}, "14", kMensual, Entry("14", 8),
     kMonthly + "E92  Sexo no debe ser desconocido SEXO=     9 \r\n"},
    {"sex 8", {{"SEXO", "8"}}, "13"},
    {"E101", {{"RESIDE", "02003"}}, "15", kMensual, Entry("15", 9),
     kMonthly + "E101 Residencia incorrecta RESIDE= 02003 \r\n"},
    {"known postal code", {{"RESIDE", "02002"}}, ""},
    {"E102", {{"RESIDE", "02999"}}, "16", kMensual, Entry("16", 9),
     kMonthly + "E102 Residencia inespecífica RESIDE= 02999 \r\n"_cp},
    {"53999 is only unknown", {{"RESIDE", "53999"}}, "15"},
    {"E105", {{"OCUPACION", "002"}}, "17", kMensual, Entry("17", 10),
     kMonthly + "E105 Ocupación incorrecta OCUPACION=   002 \r\n"_cp},
    {"listed occupation", {{"OCUPACION", "010"}}, ""},
    {"E111", {{"REGFIN", "0"}}, "18", kMensual, Entry("18", 11),
     kMonthly + "E111 Régimen de financiación incorrecto REGFIN=     0 \r\n"_cp},
  });
}

TEST(AdministrativeTest, AdmissionAndStay) {
  CheckFixture f;
  ExpectCases(f, CleanEpisode(), {
    {"E131", {{"PROCEDEN", "2"}, {"TIPING", "3"}}, "21", kMensual, Entry("21", 13),
     kMonthly + "E131 Tipo de ingreso incorrecto TIPING=     3 \r\n"},
    {"E202", {{"FECALT", "20060301"}}, "26", kMensual, Entry("26", 12, 16),
     "123456       01/03/2006 E202 Estancia prolongada (>365) FECING=20050301 Alta=20060301\r\n"},
    {"365 days", {{"FECALT", "20060228"}}, ""},
    {"882 days", {{"ASISTENC", "0412345"}, {"FECING", "20040101"}, {"FECALT", "20060601"}}, "26"},
    {"E204", {{"FECALT", "20071126"}}, "28", kMensual, Entry("28", 12, 16),
     "123456       26/11/2007 E204 Estancia Incorrecta (>999) FECING=20050301 Alta=20071126\r\n"},
    {"999 days", {{"FECALT", "20071125"}}, "26"},
    {"1096 days", {{"ASISTENC", "0412345"}, {"FECING", "20040101"}, {"FECALT", "20070101"}}, "28"},
  });
  ExpectCases(f, CleanCmaEpisode(), {
    {"E132", {{"TIPING", "2"}}, "22", kCma, Entry("22", 13),
     kCmaDay + "E132 CMA tipo de ingreso incorrecto TIPING=     2 \r\n"},
    {"E203", {{"FECALT", "20050303"}}, "27", kCma, Entry("27", 16, 12),
     "123456       03/03/2005 E203 Estancia > 1 día. No puede ser CMA FECALT=20050303 Ingr=20050301\r\n"_cp},
    {"CMA stay of one night", {{"FECALT", "20050302"}}, "", kCma},
    {"E274", {{"FEINTV", ""}}, "59", kCma, Entry("59", 53, 13),
     kCmaDay + "E274 Falta fecha de intervención (CMA) FEINTV=         TIPING=3\r\n"_cp},
  });
}

TEST(AdministrativeTest, DischargeTransferAndServices) {
  CheckFixture f;
  ExpectCases(f, CleanEpisode(), {
    {"E211", {{"TIPALT", "0"}}, "29", kMensual, Entry("29", 17),
     kMonthly + "E211 Tipo de alta incorrecto TIPALT=     0 \r\n"},
    {"E221", {{"TIPALT", "2"}, {"TRASH", "02030"}}, "30", kMensual, Entry("30", 18),
     kMonthly + "E221 Código traslado incorrecto TRASH= 02030 \r\n"_cp},
    {"transfer to a listed hospital", {{"TIPALT", "2"}, {"TRASH", "02031"}}, ""},
    {"transfer 1234 is short", {{"TRASH", "1234"}, {"TIPALT", "2"}}, "30"},
    {"E222", {{"TRASH", "99999"}}, "31", kMensual, Entry("31", 18, 17),
     kMonthly + "E222 Traslado con tipo de alta incorrecto TRASH= 99999 TipAlt=1\r\n"},
    {"transfer 99999 with a transfer discharge", {{"TRASH", "99999"}, {"TIPALT", "2"}}, ""},
    {"blank transfer with a transfer discharge", {{"TIPALT", "2"}}, "31 30"},
    {"E151", {{"SERVING", "70101"}}, "23", kMensual, Entry("23", 14),
     kMonthly + "E151 Servicio ingreso incorrecto SERVING= 70101 \r\n"},
    {"service with a leading blank", {{"SERVING", " 7010"}}, "23"},
    {"E181", {{"SERVALT", "70553"}}, "24", kMensual, Entry("24", 15),
     kMonthly + "E181 Servicio alta incorrecto SERVALT= 70553 \r\n"},
    {"last listed service", {{"SERVALT", "70552"}}, ""},
    {"both services wrong: discharge first", {{"SERVING", "1"}, {"SERVALT", "2"}}, "24 23"},
  });
}

TEST(AdministrativeTest, OwnHospitalBoundsTheHospitalCode) {
  CheckFixture f;
  Session& s = f.session();
  const std::pair<const char*, Errors> cases[] = {
      {"02003", {}}, {"02054", {}}, {"02055", {6}}, {"02002", {6}}};
  for (const auto& [code, expected] : cases) {
    SCOPED_TRACE(code);
    s.config.SetText(ConfigRecord::kHospitalCode, ConfigRecord::kHospitalCodeSize, code);
    EXPECT_EQ(f.CheckEpisode(CleanEpisode().Set("HOSPITAL", code)).Errors(), expected);
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
