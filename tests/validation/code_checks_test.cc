// The code, delivery, newborn and stay checks over whole episodes: every error
// raised and not raised on either side of its boundary, with its entry and
// "errores.txt" line laid out by hand from the error table; class and range
// boundaries, the order of the findings of one code, the not-in-version mark,
// a missing catalogue, missing fields, odd field widths and odd bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/session.h"
#include "support/check_fixture.h"
#include "validation/checks.h"
#include "validation/episode_cases.h"

namespace quirovel::testing {
namespace {

using Fields = std::vector<std::string>;

// The fixture's default codes plus codes on both sides of every range and
// class boundary these checks test.
CheckFixture::Options WithCodeCatalogue() {
  CheckFixture::Options options;
  auto add = [&](const std::string& code, const std::string& validity = "VVVVV") -> CatalogueCode& {
    return options.catalogue.emplace_back(
        CatalogueCode{code, validity, " ", " ", " ", " ", " ", ""});
  };
  add("600.0").sex = "1";
  add("692.0").age = "2";
  add("626.0").age = "3";
  add("797").age = "4";
  add("644.21").delivery = "T";
  // Pregnancy (630-679), perinatal (760-779), injuries ("800   " to "999.9 "),
  // outcomes of delivery, traffic causes ("E810  " to "E829.9 ").
  for (const char* code :
       {"629.9", "630", "634.90", "679.9",  "680",   "759.9", "760",    "770.0", "779.9",  "780",
        "799.8", "800", "999.9",  "999.91", "V26.9", "V27.9", "E809.9", "E810",  "E829.9", "E830"})
    add(code);
  add("E001.0", "FFFFF");
  add("E990.0", " VVVV");
  add("38.93", "FFFFF");
  add("38.94", " VVVV");
  add("99.55").age = "1";
  add("93.11").age = "2";
  add("93.12").age = "4";
  return options;
}

// A delivery of a woman of 34 at 39 weeks, one girl of 3200 g born between
// admission and discharge, outcome V27.0; with "650" a normal delivery and no error.
Episode DeliveryEpisode(const std::string& main = "650") {
  return With(CleanEpisode(), "C1=" + main +
                                  ";C2=V27.0;SERVALT=70552;TGESTAC=39;PESO1N=3200;SEXO1N=2;"
                                  "FECPART=20050302");
}

class CodeChecksTest : public ::testing::Test {
 protected:
  CodeChecksTest() : fixture(WithCodeCatalogue()) {}
  CheckFixture fixture;
};

TEST_F(CodeChecksTest, DiagnosesCausesNewbornDataAndStays) {
  ExpectCases(
      fixture, CleanEpisode(),
      {
          {"C1=", "32", Entry(32, 19), "E230 Diagnóstico principal vacío C1=       "},
          {"C1=487", "33", Entry(33, 19), "E231 Diagnóstico principal no es CIE-9-MC C1=487    "},
          {"C1=\x01\x02\x03", "33"},  // bytes that are no code are unknown to the catalogue
          {"C1=279.9", "33", Entry(33, 19, 0, 0, 1),
           "E231 Diagnóstico principal no es CIE-9-MC C1=279.9  No CIE9MC'2002 "},
          {"C1=250.00", ""},
          {"C1=47.0", "33"},
          {"C1=799.9", "34", Entry(34, 19), "E232 Diagnóstico principal no válido C1=799.9  "},
          {"C1=799.8", ""},
          {"C1=V27.0", "35", Entry(35, 19), "E233 No puede ser diagnóstico principal C1=V27.0  "},
          {"C2=V27.0", ""},
          {"C1=634.90", "36", Entry(36, 19, 15),
           "E234 Patología obstétrica, error servicio alta C1=634.90 Serv=70100"},
          {"C1=634.90;SERVALT=70552", ""},
          {"C1=634.90;SERVALT=70440", "36:19"},
          {"C1=629.9", ""},
          {"C1=630", "36:19"},
          {"C1=679.9", "36:19"},
          {"C1=680", ""},
          {"C1=770.0", "37", Entry(37, 19, 15),
           "E235 Patología perinatal, error servicio alta C1=770.0  Serv=70100"},
          {"C1=770.0;SERVALT=70392", ""},
          // The service is looked for anywhere in "70440 70441 70392": a piece of
          // it passes here and is left to the service check (E181).
          {"C1=770.0;SERVALT=0 704", "24:15"},
          {"C1=759.9", ""},
          {"C1=760", "37:19"},
          {"C1=779.9", "37:19"},
          {"C1=780", ""},
          {"C1=V30.00;FECNAC=20041231", "43", Entry(43, 19, 7, 12),
           "E244 Diagnóstico con edad incorrecta C1=V30.00 Edad=  0"},
          {"C1=V30.00;FECNAC=20050102", ""},
          {"C1=600.0", "44", Entry(44, 19, 8),
           "E245 Diagnóstico con sexo incorrecto C1=600.0  Sexo=2"},
          {"C1=600.0;SEXO=1", ""},
          {"C1=850.0", "47", Entry(47, 19, 34), "E253 Falta código E C1=850.0  CE=      "},
          {"C1=850.0;CE=E880.9", ""},
          {"C1=850.0;CE4=E880.9", ""},
          {"C1=800", "47:19"},  // ranges compare the whole six-character text
          // Secondary diagnoses.
          {"C2=487", "40", Entry(40, 20), "E241 Diagnóstico secundario no es CIE-9-MC C2=487    "},
          {"C15=279.9", "40", Entry(40, 33, 0, 0, 1),
           "E241 Diagnóstico secundario no es CIE-9-MC C15=279.9  No CIE9MC'2002 "},
          {"C2=799.9", "41", Entry(41, 20), "E242 Diagnóstico secundario no válido C2=799.9  "},
          {"C2=47.0", "40 41"},
          {"C3=797;FECNAC=19540302", "43", Entry(43, 21, 7, 12),
           "E244 Diagnóstico con edad incorrecta C3=797    Edad= 50"},
          {"C3=797;FECNAC=19540301", ""},
          {"C2=999.9", "47:20"},
          {"C2=999.91", ""},
          // Age classes, on admission 01/03/2005: under two months, under 25, 13 to 49.
          {"C2=V30.00;FECNAC=20050101", "43:20"},
          {"C2=692.0;FECNAC=19800302", ""},
          {"C2=692.0;FECNAC=19800301", "43:20"},
          {"C2=626.0;FECNAC=19920302", "43:20"},
          {"C2=626.0;FECNAC=19920301", ""},
          {"C2=626.0;FECNAC=19550302", ""},
          {"C2=626.0;FECNAC=19550301", "43:20"},
          // External causes: any cause, then traffic causes under the traffic insurer (REGFIN 2).
          {"CE=E999.9", "45", Entry(45, 34), "E251 Código E no es CIE-9-MC CE=E999.9 "},
          {"CE3=E990.0", "45", Entry(45, 36, 0, 0, 1),
           "E251 Código E no es CIE-9-MC CE3=E990.0 No CIE9MC'2002 "},
          {"CE=486", "46:34"},
          {"CE2=E001.0", "46", Entry(46, 35), "E252 Código E no válido CE2=E001.0 "},
          {"REGFIN=2;CE=E880.9", "48", Entry(48, 34, 11),
           "E254 Mútua Tráfico, Código E incorrecto CE=E880.9 RegFin=2"},
          {"REGFIN=2;CE=E816.0", ""},
          {"REGFIN=2", "48"},
          {"REGFIN=2;CE=E809.9", "48:34"},
          {"REGFIN=2;CE=E810", ""},
          {"REGFIN=2;CE=E829.9", ""},
          {"REGFIN=2;CE=E830", "48:34"},
          {"REGFIN=2;CE=E880.9;CE3=E816.0", ""},
          // Only CE carries the rule: a cause in CE2 alone is not judged.
          {"REGFIN=2;CE2=E880.9", ""},
          {"REGFIN=3;CE=E880.9", ""},
          // Gestation, newborns and stays without a delivery.
          {"TGESTAC=38", "64:55"},
          {"TGESTAC= 0", ""},
          {"PESO3N=   1", "66:60"},
          {"PESO3N=   0", ""},
          {"SEXO2N=1", "68:59"},
          {"SEXO2N=0", ""},
          {"TGESTAC=99;PESO1N=9999;SEXO1N=9;PESO2N=1;SEXO2N=1;PESO3N=1;SEXO3N=1",
           "64:55 66:56 66:58 66:60 68:57 68:59 68:61"},
          // A main diagnosis that is not CIE-9-MC in this version says nothing about
          // a delivery: only the stays are still checked (before the codes).
          {"C1=279.9;TGESTAC=38;ESTUCI=31", "70:62 33:19"},
          {"C1=;PESO1N=3000", "32:19"},
          {"ESTUCI= 31", "70", Entry(70, 62), "E321 Estancia en UCI prolongada ESTUCI=    31 "},
          {"ESTURG=6", "71", Entry(71, 63), "E331 Estancia en urgencias prolongada ESTURG=     6 "},
          {"ESTUCI= 30;ESTURG=5", ""},
          {"ESTUCI=999;ESTURG=9", "70:62 71:63"},
      });
}

TEST_F(CodeChecksTest, ProceduresAndInterventionDates) {
  ExpectCases(
      fixture, CleanEpisode(),
      {
          {"P1=47.1", "49", Entry(49, 38), "E261 Procedimiento no es CIE-9-MC P1= 47.1  "},
          {"P1=47.0", ""},  // urgent surgery needs no date
          {"P2=38.94", "49", Entry(49, 39, 0, 0, 1),
           "E261 Procedimiento no es CIE-9-MC P2= 38.94 No CIE9MC'2002 "},
          {"P1=123.4", "49 50"},
          {"P3=38.93", "50", Entry(50, 40), "E262 Procedimiento no válido P3= 38.93 "},
          {"P1=99.99;FECNAC=19550301", "51", Entry(51, 38, 7, 12),
           "E263 Procedimiento con edad incorrecta P1= 99.99 Edad= 50"},
          {"P1=99.99;FECNAC=19550302", ""},
          {"P2=99.99;FECNAC=19920302", "51:39"},
          {"P2=99.99;FECNAC=19920301", ""},
          // Procedures honour only the newborn and fertile classes; the episode is a woman of 34.
          {"P1=99.55", "51:38"},
          {"P1=99.55;FECNAC=20050102", ""},
          {"P1=93.11", ""},
          {"P1=93.12", ""},
          {"P1=74.1;SEXO=1", "52", Entry(52, 38, 8),
           "E264 Procedimiento con sexo incorrecto P1= 74.1  Sexo=1"},
          {"P1=74.1", ""},
          {"P1=88.38", ""},  // not surgical is no error in a monthly test
          {"PROCEDEN=2;TIPING=2;P1=47.0", "58", Entry(58, 38, 53, 13),
           "E273 Falta fecha de intervención P1= 47.0  Intv=         TIPING=2"},
          {"PROCEDEN=2;TIPING=2;P1=47.0;FEINTV=20050302", ""},
          {"PROCEDEN=2;TIPING=2;P2=47.0", ""},  // the date checks look at the main procedure only
          {"PROCEDEN=2;TIPING=2;P1=47.0;FEINTV=99990909", "60 57 55", Entry(60, 38, 53, 13),
           "E275 Intervención quirúrgica con fecha desconocida P1= 47.0  Intv=99990909 TIPING=2"},
          {"PROCEDEN=2;TIPING=2;P1=88.38;FEINTV=99990909", "57 55"},
          {"FEINTV=20050228", "56", Entry(56, 53, 12),
           "E271 Fecha intervención < Fecha ingreso FEINTV=20050228 Ingr=20050301"},
          {"FEINTV=20050301", ""},
          {"FEINTV=20050311", "57", Entry(57, 53, 16),
           "E272 Fecha intervención > Fecha de alta FEINTV=20050311 Alta=20050310"},
          {"FEINTV=20050310", ""},
          {"FEINTV=99990909", "57 55", Entry(55, 53),
           "E270 Fecha intervención inespecífica FEINTV=99990909 "},
          {"FEINTV=99990908", "57"},
      });
  ExpectCases(fixture, CleanEpisode(),
              {
                  {"P1=88.38", "54", Entry(54, 38), "E266 Procedimiento no quirúrgico P1= 88.38 "},
              },
              kTrimestral);
  ExpectCases(
      fixture, CleanCmaEpisode(),
      {
          {"P1=", "53", Entry(53, 38), "E265 Falta procedimiento principal (CMA) P1=       "},
      },
      kCma);
}

TEST_F(CodeChecksTest, Delivery) {
  ExpectCases(
      fixture, DeliveryEpisode(),
      {
          {"", ""},
          {"FECNAC=19700301", "38", Entry(38, 19, 12, 7),
           "E236 Parto Normal con edad >= 35 C1=650    FECING=20050301 FECNAC=19700301 edad = 35"},
          {"FECNAC=19700302", ""},
          {"TGESTAC=36", "39", Entry(39, 19, 55),
           "E237 Parto Normal con tiempo de gestación <= 36 o >= 40 C1=650    TGESTAC=36"},
          {"TGESTAC=37", ""},
          {"TGESTAC=40", "39"},
          {"FECNAC=19700301;TGESTAC=36", "38:19 39:19"},
          // An unknown gestation is out of the normal range but not wrong.
          {"FECNAC=19700301;TGESTAC=99", "38:19 39:19 65:55"},
          {"C1=644.21;TGESTAC=36", ""},  // only "650" and three blanks is a normal delivery
          {"C2=", "42", Entry(42, 19), "E243 Parto con código V incorrecto C1=650    "},
          {"C2=V27.9", ""},
          {"C2=V26.9", "42:19"},
          {"C2=486;C15=V27.9", ""},
          // V27.0 cannot be the main diagnosis, and is no delivery there either.
          {"C1=V27.0;C2=", "35:19 64:55 66:56 68:57"},
          {"FECPART=", "61", Entry(61, 19, 54),
           "E281 Falta fecha de parto C1=650    FECPART=        "},
          {"FECPART=20050228", "62", Entry(62, 54, 12),
           "E282 Parto anterior al ingreso FECPART=20050228 Ingr=20050301"},
          {"FECPART=20050301", ""},
          {"FECPART=20050311", "63", Entry(63, 54, 16),
           "E283 Parto posterior al alta FECPART=20050311 Alta=20050310"},
          {"FECPART=20050310", ""},
          // Newborns.
          {"PESO1N=0", "66:56"},
          {"PESO1N=0;SEXO1N=0", "66:56 68:57"},
          {"PESO2N=0;SEXO2N=5", ""},  // an unweighed second newborn is not looked at
          {"PESO2N=2500;SEXO2N=5", "68:59"},
          {"PESO2N=2500;SEXO2N=9", "69:59"},
          {"PESO3N=2500", "68:61"},
          {"PESO3N=9999;SEXO3N=1", "67:60"},
          {"FECNAC=19700301;TGESTAC=99;FECPART=;C2=;PESO1N=0;SEXO1N=0;PESO2N=9999;SEXO2N=9;"
           "PESO3N=6000;SEXO3N=4",
           "38:19 39:19 61:19 42:19 65:55 66:56 67:58 66:60 68:57 68:61 69:59"},
      });
  ExpectCases(
      fixture, DeliveryEpisode("644.21"),
      {
          {"TGESTAC=21", "64", Entry(64, 55, 19),
           "E291 Tiempo de gestación incorrecto TGESTAC=    21 "},
          {"TGESTAC=22", ""},
          {"TGESTAC=51", "64"},
          {"TGESTAC=50", ""},
          {"TGESTAC=99", "65", Entry(65, 55),
           "E292 Tiempo de gestación inespecífico TGESTAC=    99 "},
          {"TGESTAC=98", "64"},
          {"PESO1N= 399", "66", Entry(66, 56, 19), "E301 Peso neonatal incorrecto PESO1N=   399 "},
          {"PESO1N= 400", ""},
          {"PESO1N=5501", "66"},
          {"PESO1N=5500", ""},
          {"PESO2N= 399;SEXO2N=1", "66", Entry(66, 58, 19),
           "E301 Peso neonatal incorrecto PESO2N=   399 "},
          {"PESO1N=9999", "67", Entry(67, 56), "E303 Peso inespecífico PESO1N=  9999 "},
          {"PESO1N=9998", "66"},
          {"SEXO1N=4", "68", Entry(68, 57, 19), "E311 Sexo neonatal incorrecto SEXO1N=     4 "},
          {"SEXO1N=3", ""},
          {"SEXO1N=9", "69", Entry(69, 57, 19), "E312 Sexo inespecifico 9 SEXO1N=     9 "},
      });
}

TEST(CodeChecksOrderTest, FindingsOfOneCodeComeInTheirFixedOrder) {
  CheckFixture::Options options = WithCodeCatalogue();
  options.catalogue.insert(options.catalogue.end(),
                           {{"777.7", "FFFFF", " ", "1", "1", " ", " ", ""},
                            {"12.34", "FFFFF", " ", "1", "4", " ", " ", ""},
                            {"850.9", "FFFFF", "F", "1", "4", " ", " ", ""}});
  CheckFixture fixture(options);
  // Procedure: age, sex, not surgical, not shaped like a procedure, not valid.
  ExpectCases(fixture, CleanEpisode(), {{"P1=777.7", "51:38 52:38 54:38 49:38 50:38"}},
              kTrimestral);
  ExpectCases(
      fixture, CleanEpisode(),
      {
          {"C2=12.34", "40:20 44:20 43:20 41:20"},  // shaped like a procedure, sex, age, not valid
          {"C1=850.9", "44:19 43:19 47:19 34:19 35:19"},  // sex, age, no cause, not valid, not main
      });
}

// The mark goes with errors 33, 40, 45 and 49 only, and is cleared after each code.
TEST_F(CodeChecksTest, NotInVersionMarkBelongsToItsOwnErrorOnly) {
  CheckResult r = fixture.CheckEpisode(
      With(CleanEpisode(), "C1=279.9;C2=487;P1=47.0;P2=38.94;FEINTV=20050228"));
  ASSERT_EQ(r.ErrorsWithFields(), (Fields{"33:19", "40:20", "49:39", "56:53"}));
  std::vector<std::uint32_t> marks;
  for (const ErrorEntry& e : r.entries) marks.push_back(e.not_in_version);
  EXPECT_EQ(marks, (std::vector<std::uint32_t>{1, 0, 1, 0}));
  EXPECT_EQ(fixture.session().run.NotInVersionMark, 0);
}

TEST_F(CodeChecksTest, VersionPositionSelectsTheValidityCharacter) {
  fixture.WriteTable({With(CleanEpisode(), "C2=279.9;C3=799.9")});
  // 279.9 exists from position 1 on; 799.9 is never valid for coding.
  for (auto [position, expected] :
       {std::pair{0, Fields{"40:20", "41:21"}}, {1, Fields{"41:21"}}, {4, Fields{"41:21"}}}) {
    fixture.BeginRecord(1);
    fixture.session().run.VersionPosition = position;
    CheckCodeField(fixture.checks(), C1 + 1);
    CheckCodeField(fixture.checks(), C1 + 2);
    EXPECT_EQ(fixture.Collect().ErrorsWithFields(), expected) << position;
  }
}

TEST(CodeChecksCatalogueTest, WithoutCatalogueEveryCodeIsUnknownAndNothingElseIsChecked) {
  CheckFixture::Options options;
  options.write_catalogue = false;
  CheckFixture fixture(options);
  CheckResult r = fixture.CheckEpisode(
      With(CleanEpisode(), "C2=250.00;CE=E880.9;P1=47.0;TGESTAC=38;PESO1N=3000"));
  EXPECT_EQ(r.ErrorsWithFields(), (Fields{"33:19", "40:20", "45:34", "49:38"}));
  for (const ErrorEntry& e : r.entries) EXPECT_EQ(e.not_in_version, 0u);
}

// Files whose layout differs from the standard one: fields of other widths
// are compared as decoded, and an error about a field the file lacks is
// dropped while one recorded against another field stays.
TEST_F(CodeChecksTest, FilesOfAnotherLayout) {
  std::vector<std::string> layout = CheckFixture::LayoutWithout({});
  for (std::string& d : layout) {
    if (d == "C1#C6") d = "C1#C8";
    if (d == "C2#C6") d = "C2#C5";
    if (d == "P1#C5") d = "P1#C6";
  }
  // A wider C1 keeps its first six characters; a five-wide C2 cannot hold a
  // code of six, so "800" and its two blanks is shorter than the catalogue's.
  fixture.WriteTable({With(CleanEpisode(), "C1=850.0 XY;C2=800;P1=47.0")}, layout);
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), (Fields{"47:19", "40:20"}));

  // Without a CE field the episode has no cause to be missing.
  fixture.WriteTable({With(CleanEpisode(), "C1=850.0;REGFIN=2")},
                     CheckFixture::LayoutWithout({"CE"}));
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), Fields{});

  // A missing delivery date is recorded against C1, its own field named as related.
  fixture.WriteTable({DeliveryEpisode()}, CheckFixture::LayoutWithout({"FECPART"}));
  CheckResult r = fixture.Check(1);
  ASSERT_EQ(r.ErrorsWithFields(), Fields{"61:19"});
  EXPECT_EQ(r.entries[0].related1, 54u);

  // Gestation and the first newborn read as 0: wrong for a delivery, but the
  // file cannot hold them. The normal-delivery gestation check is recorded
  // against C1, so it stays.
  fixture.WriteTable({DeliveryEpisode()},
                     CheckFixture::LayoutWithout(
                         {"TGESTAC", "PESO1N", "SEXO1N", "PESO2N", "SEXO2N", "PESO3N", "SEXO3N"}));
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), Fields{"39:19"});
}

}  // namespace
}  // namespace quirovel::testing
