// The administrative and date checks (E11 to E222, and E274 of the CMA
// admission): the helpers and lists they rely on, every error raised and not
// raised on either side of its boundary with its entry and line laid out by
// hand, input that is not what the layout promises, and the order of the
// errors of one episode with everything wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/check_fixture.h"
#include "validation/checks.h"
#include "validation/episode_cases.h"
#include "validation/service_codes.h"

namespace quirovel::testing {
namespace {

using Errors = std::vector<int>;

// The digit-field helpers are held to the code rows of the episode checks.
TEST(CheckHelpersTest, ProcedureShapesIntegerValuesAndServiceCodes) {
  for (const char* text : {"47.0 ", "47   "}) EXPECT_TRUE(IsProcedureShaped(text)) << text;
  for (const char* text : {"486   ", "E8.1  ", "V2.0  ", "47", ""})
    EXPECT_FALSE(IsProcedureShaped(text)) << text;
  const std::pair<const char*, int> values[] = {
      {"  42  ", 42}, {"-7", -7}, {"+7x", 7}, {"V27.0", 0}, {"650.1", 650}, {" - 3", 0}, {"", 0}};
  for (const auto& [text, value] : values) EXPECT_EQ(IntegerValue(text), value) << text;
  // Far wider than any field: read without overflowing.
  EXPECT_GT(IntegerValue("99999999999999999999999"), 0);
  // The service list: its walk ends at the marker.
  EXPECT_TRUE(IsServiceCode("70600"));
  for (std::string_view code : std::vector<std::string_view>{
           "70099", "7010", "70100 ", "ZZZ", "zzzzz", "", "70 00", "7010/", {"7010\0", 5}})
    EXPECT_FALSE(IsServiceCode(code)) << code;
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
TEST(AdministrativeTest, EachErrorOnBothSidesOfItsBoundary) {
  CheckFixture f;
  ExpectCases(
      f, CleanEpisode(),
      {
          // Origin: 1..7, and no programmed admission from the emergency room.
          {"PROCEDEN=8", "1", Entry(1, 1, 13),
           "E11  Procedencia incorrecta PROCEDEN=     8 TIPING=1"},
          {"PROCEDEN=7", ""},
          {"TIPING=2", "1", Entry(1, 1, 13),
           "E11  Procedencia incorrecta PROCEDEN=     1 TIPING=2"},
          {"TIPING=2;PROCEDEN=2", ""},
          {"PROCEDEN=8;TIPING=2", "1"},
          {"FECNAC=20050301", "3", Entry(3, 1, 12, 7),
           "E13  Procedencia incorrecta: Nacido en el hospital "
           "PROCEDEN=     1 FECING=20050301 FECNAC=20050301 edad =  0"},
          {"FECNAC=20050228", ""},
          {"PROCEDEN=6;PROCH=02004;FECNAC=20050301", ""},
          {"FECNAC=;FECING=", "3 8 19 9 28"},  // two blank dates are equal
          {"PROCEDEN=6", "4", Entry(4, 2, 1),
           "E21  Hospital de procedencia incorrecto PROCH=       PROCEDEN=6"},
          {"PROCEDEN=6;PROCH=02030", "4", Entry(4, 2, 1),
           "E21  Hospital de procedencia incorrecto PROCH= 02030 PROCEDEN=6"},
          {"PROCEDEN=6;PROCH=28001", ""},  // in hospitnosas.txt
          {"PROCH=02004", "4"},            // given with origin 1
          {"PROCEDEN=6;PROCH=00000", "4"},
          {"PROCEDEN=6;PROCH= 2004", "4"},
          // Identity.
          {"AFILISS=001234567890", "5", Entry(5, 3),
           "E41  Código afiliación Seguridad Social incorrecto AFILISS=001234567890 "},
          {"AFILISS=011234567890", ""},
          {"AFILISS=28 12345678", "5"},
          {"AFILISS=28", ""},
          {"HOSPITAL=02013", "6", Entry(6, 4), "E51  Código hospital incorrecto HOSPITAL= 02013 "},
          {"HISTORIA=0", "7", Entry(7, 5),
           "0            10/03/2005 E61  Historia incorrecta HISTORIA=0            "},
          {"HISTORIA=1", ""},
          {"HISTORIA=AN0000000123", ""},
          {"HISTORIA=AN12", "7"},
          {"HISTORIA= 123456", "7"},
          {"ASISTENC=0412345", "8", Entry(8, 6, 12),
           "E71  Número de asistencia incorrecto ASISTENC=0412345 FECING=20050301"},
          {"ASISTENC=051234", "8"},
          {"ASISTENC=05-1234", "8"},
          // Dates. A blank admission date is also no year for the episode number,
          // and a stay that no calendar can hold.
          {"FECNAC=", "9", Entry(9, 7), "E81  Fecha de nacimiento vacía FECNAC=         "},
          {"FECNAC=19040228", "10", Entry(10, 7, 12),
           "E82  Edad mayor de 100 años FECNAC=19040228 Edad=101"},
          {"FECNAC=19040302", ""},
          {"PROCEDEN=7;FECNAC=20050302", "11", Entry(11, 7, 12),
           "E83  Fecha nacimiento > ingreso FECNAC=20050302 FECING=20050301"},
          {"PROCEDEN=7;FECNAC=20050301", ""},
          {"PROCEDEN=7;FECNAC=20050311", "11 12", Entry(12, 7, 16),
           "E84  Fecha nacimiento > alta FECNAC=20050311 fecalt ->FECALT=20050310"},
          {"PROCEDEN=7;FECNAC=20050310", "11"},
          {"FECING=", "8 19 28", Entry(19, 12), "E121 Fecha de ingreso vacía FECING=         "},
          {"FECALT=20050228", "20", Entry(20, 12, 16),
           "123456       28/02/2005 E122 Fecha ingreso > alta FECING=20050301 Alta=20050228"},
          {"FECALT=20050301", ""},
          {"FECALT=", "20 12 25", Entry(25, 16),
           "123456                  E201 Fecha de alta vacía FECALT=         "},
          // Patient.
          {"SEXO=4", "13", Entry(13, 8), "E91  Sexo incorrecto SEXO=     4 "},
          {"SEXO=3", ""},
          {"SEXO=9", "14", Entry(14, 8), "E92  Sexo no debe ser desconocido SEXO=     9 "},
          {"SEXO=8", "13"},
          {"RESIDE=02003", "15", Entry(15, 9), "E101 Residencia incorrecta RESIDE= 02003 "},
          {"RESIDE=02002", ""},
          {"RESIDE=02999", "16", Entry(16, 9), "E102 Residencia inespecífica RESIDE= 02999 "},
          {"RESIDE=53999", "15"},  // only unknown
          {"OCUPACION=002", "17", Entry(17, 10), "E105 Ocupación incorrecta OCUPACION=   002 "},
          {"OCUPACION=010", ""},
          {"REGFIN=0", "18", Entry(18, 11),
           "E111 Régimen de financiación incorrecto REGFIN=     0 "},
          // Admission and stay: 365 and 999 days.
          {"PROCEDEN=2;TIPING=3", "21", Entry(21, 13),
           "E131 Tipo de ingreso incorrecto TIPING=     3 "},
          {"FECALT=20060301", "26", Entry(26, 12, 16),
           "123456       01/03/2006 E202 Estancia prolongada (>365) FECING=20050301 Alta=20060301"},
          {"FECALT=20060228", ""},
          {"FECALT=20071126", "28", Entry(28, 12, 16),
           "123456       26/11/2007 E204 Estancia Incorrecta (>999) FECING=20050301 Alta=20071126"},
          {"FECALT=20071125", "26"},
          // Discharge, transfer and services.
          {"TIPALT=0", "29", Entry(29, 17), "E211 Tipo de alta incorrecto TIPALT=     0 "},
          {"TIPALT=2;TRASH=02030", "30", Entry(30, 18),
           "E221 Código traslado incorrecto TRASH= 02030 "},
          {"TIPALT=2;TRASH=02023", ""},  // the provincial list has 023 where 203 would be
          {"TIPALT=2;TRASH=02203", "30"},
          {"TIPALT=2;TRASH=11815", ""},
          {"TRASH=1234;TIPALT=2", "30"},
          {"TRASH=99999", "31", Entry(31, 18, 17),
           "E222 Traslado con tipo de alta incorrecto TRASH= 99999 TipAlt=1"},
          {"TRASH=99999;TIPALT=2", ""},
          {"TIPALT=2", "31 30"},
          {"SERVING=70101", "23", Entry(23, 14),
           "E151 Servicio ingreso incorrecto SERVING= 70101 "},
          {"SERVALT=70553", "24", Entry(24, 15), "E181 Servicio alta incorrecto SERVALT= 70553 "},
          {"SERVALT=70552", ""},
          {"SERVING=1;SERVALT=2", "24 23"},  // discharge service first
      });
  ExpectCases(
      f, CleanCmaEpisode(),
      {
          {"PROCEDEN=1", "2", Entry(2, 1), "E12  Procedencia incorrecta (CMA) PROCEDEN=     1 "},
          {"PROCEDEN=2", ""},
          {"PROCEDEN=1;FECNAC=20050301", "2"},  // E12 only
          {"TIPING=2", "22", Entry(22, 13), "E132 CMA tipo de ingreso incorrecto TIPING=     2 "},
          {"FECALT=20050303", "27", Entry(27, 16, 12),
           "123456       03/03/2005 E203 Estancia > 1 día. No puede ser CMA FECALT=20050303 "
           "Ingr=20050301"},
          {"FECALT=20050302", ""},
          {"FEINTV=", "59", Entry(59, 53, 13),
           "E274 Falta fecha de intervención (CMA) FEINTV=         TIPING=3"},
      },
      kCma);
}

TEST(AdministrativeTest, OwnHospitalBoundsTheHospitalCodeAndIsAnOriginWhenListed) {
  CheckFixture f;
  Session& s = f.session();
  const std::pair<const char*, Errors> cases[] = {
      {"02003", {}}, {"02054", {}}, {"02055", {6}}, {"02002", {6}}};
  for (const auto& [code, expected] : cases) {
    s.config.SetText(ConfigRecord::kHospitalCode, ConfigRecord::kHospitalCodeSize, code);
    EXPECT_EQ(f.CheckEpisode(CleanEpisode().Set("HOSPITAL", code)).Errors(), expected) << code;
  }
  s.config.SetText(ConfigRecord::kHospitalCode, ConfigRecord::kHospitalCodeSize, "02012");
  Episode own = CleanEpisode().Set("PROCEDEN", "6").Set("PROCH", "02012");
  EXPECT_EQ(f.CheckEpisode(own).Errors(), Errors{4});
  s.references.hospitals.Insert("02012", f.feedback());
  EXPECT_EQ(f.CheckEpisode(own).Errors(), Errors{});
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
      With(CleanEpisode(),
           "PROCEDEN=-;SEXO=A;REGFIN=+;TIPALT=x;TIPING=-1;RESIDE=-2001;ESTUCI=-99;TGESTAC=-"),
      CleanEpisode()
          .Set("C1", control)
          .Set("C2", ".;,:!?")
          .Set("CE", control)
          .Set("P1", "\t\r\n  ")
          .Set("P2", "......")
          .Set("HISTORIA", control + control)
          .Set("ASISTENC", control),
      With(CleanEpisode(),
           "FECNAC=ABCDEFGH;FECING=2005-3-1;FECALT=99999999;FEINTV=0000000x;"
           "FECPART=\xff\xff\xff\xff\xff\xff\xff\xff"),
      With(CleanEpisode(), "C1=-650;C2=+27.0;P3=\t4.0;CE2=E;P2=V"),
      With(CleanEpisode(), "C1=650;TGESTAC=-5;PESO1N=abc;SEXO1N=+;PESO2N=-1;ESTUCI=x99;ESTURG=-"),
      CleanEpisode().Set("C1", std::string("4\0.5", 4)).Set("C2", "\x7f\xff\x80"),
      With(CleanEpisode(), "PROCH=\xff\xff\xff\xff\xff;OCUPACION=\x80;SERVING=ZZZ")
          .Set("TRASH", std::string("1") + '\0' + "345")
          .Set("SERVALT", std::string(3, '\0')),
  };
  f.WriteTable(odd);
  for (int n = 1; n <= static_cast<int>(odd.size()); ++n)
    for (int t : {kMensual, kTrimestral, kCma}) {
      const CheckResult r = f.Check(n, t);
      EXPECT_EQ(r.entries.size(), static_cast<std::size_t>(f.session().run.ErrorCount));
      for (const ErrorEntry& e : r.entries) EXPECT_TRUE(e.error >= 1 && e.error <= 71);
    }
  // Letters in numeric fields read as 0.
  EXPECT_EQ(f.Check(1, kMensual).Errors().front(), 1) << "PROCEDEN 0";
}

// Everything wrong at once: the entries come in the order of the steps, the
// code fields 19 to 52 in between.
TEST(AdministrativeTest, MessyEpisodesFollowTheOrderOfTheChecks) {
  CheckFixture f;
  Episode messy = With(
      CleanEpisode(),
      "PROCEDEN=8;PROCH=abc;AFILISS=00;HOSPITAL=02099;HISTORIA=AN12;ASISTENC=99;FECNAC=19000101;"
      "FECALT=20050228;SEXO=9;RESIDE=99999;OCUPACION=ABC;REGFIN=2;TIPING=5;TIPALT=0;ESTUCI=31;"
      "ESTURG=6;TGESTAC=38;C2=47.0;CE=E880.9;P1=123.4;FEINTV=99990909;TRASH=12345;SERVALT=70553;"
      "SERVING= 7010");
  CheckResult r = f.CheckEpisode(messy, kMensual);
  const std::vector<std::string> fields = {
      "1:1",   "4:2",   "5:3",   "6:4",   "7:5",   "8:6",   "20:12", "10:7",  "14:8",
      "16:9",  "17:10", "21:13", "29:17", "70:62", "71:63", "64:55", "40:20", "41:20",
      "48:34", "49:38", "50:38", "57:53", "55:53", "30:18", "31:18", "24:15", "23:14"};
  EXPECT_EQ(r.ErrorsWithFields(), fields);
  // CMA: origin, origin hospital, sex, then admission type, stay and
  // intervention date of the CMA step, and only then the main procedure.
  messy = With(CleanCmaEpisode(),
               "PROCEDEN=1;PROCH=02004;SEXO=9;TIPING=2;FECALT=20050305;FEINTV=;P1=88.38");
  EXPECT_EQ(f.CheckEpisode(messy, kCma).ErrorsWithFields(),
            (std::vector<std::string>{"2:1", "4:2", "14:8", "22:13", "27:16", "59:53", "54:38"}));
}

}  // namespace
}  // namespace quirovel::testing
