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

// The fixture's default codes plus codes on both sides of every range and
// class boundary these checks test.
CheckFixture::Options WithCodeCatalogue() {
  CheckFixture::Options options;
  auto add = [&](const std::string& code) -> CatalogueCode& {
    options.catalogue.push_back(CatalogueCode{});
    options.catalogue.back().code = code;
    return options.catalogue.back();
  };
  // Diagnoses with restrictions.
  add("600.0").sex = "1";
  add("692.0").age = "2";
  add("626.0").age = "3";
  add("797").age = "4";
  add("644.21").delivery = "T";
  // Chapters of pregnancy (630-679) and of perinatal conditions (760-779).
  for (const char* code : {"629.9", "630", "634.90", "679.9", "680", "759.9", "760", "770.0",
                           "779.9", "780"})
    add(code);
  // Injuries run from "800   " to "999.9 ".
  for (const char* code : {"799.8", "800", "999.9", "999.91"}) add(code);
  // Outcome of delivery codes.
  for (const char* code : {"V26.9", "V27.1", "V27.9"}) add(code);
  // Traffic external causes run from "E810  " to "E829.9 ".
  for (const char* code : {"E809.9", "E810", "E829.9", "E830"}) add(code);
  add("E001.0").validity = "FFFFF";
  add("E990.0").validity = " VVVV";
  // Procedures.
  add("38.93").validity = "FFFFF";
  add("38.94").validity = " VVVV";
  add("99.55").age = "1";
  add("93.11").age = "2";
  add("93.12").age = "4";
  return options;
}

// A delivery of a woman of 34 at 39 weeks, one girl of 3200 g born between
// admission and discharge, outcome V27.0; with "650" a normal delivery and no
// error.
Episode DeliveryEpisode(const std::string& main = "650") {
  return With(CleanEpisode(), {{"C1", main}, {"C2", "V27.0"}, {"SERVALT", "70552"},
                               {"TGESTAC", "39"}, {"PESO1N", "3200"}, {"SEXO1N", "2"},
                               {"FECPART", "20050302"}});
}

class CodeChecksTest : public ::testing::Test {
 protected:
  CodeChecksTest() : fixture(WithCodeCatalogue()) {}
  CheckFixture fixture;
};

TEST_F(CodeChecksTest, MainDiagnosis) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E230 blank", {{"C1", ""}}, "32", kMensual, Entry("32", 19),
     kMonthly + "E230 Diagnóstico principal vacío C1=       \r\n"_cp},
    {"E231 unknown", {{"C1", "487"}}, "33", kMensual, Entry("33", 19),
     kMonthly + "E231 Diagnóstico principal no es CIE-9-MC C1=487    \r\n"_cp},
    {"E231 other version", {{"C1", "279.9"}}, "33", kMensual, Entry("33", 19, 0, 0, 1),
     kMonthly + "E231 Diagnóstico principal no es CIE-9-MC C1=279.9  No CIE9MC'2002 \r\n"_cp},
    {"in this version", {{"C1", "250.00"}}, ""},
    {"E231 written as a procedure", {{"C1", "47.0"}}, "33", kMensual, Entry("33", 19),
     kMonthly + "E231 Diagnóstico principal no es CIE-9-MC C1=47.0   \r\n"_cp},
    {"E232 not valid", {{"C1", "799.9"}}, "34", kMensual, Entry("34", 19),
     kMonthly + "E232 Diagnóstico principal no válido C1=799.9  \r\n"_cp},
    {"valid, just below the injuries", {{"C1", "799.8"}}, ""},
    {"E233 cannot be main", {{"C1", "V27.0"}}, "35", kMensual, Entry("35", 19),
     kMonthly + "E233 No puede ser diagnóstico principal C1=V27.0  \r\n"_cp},
    {"as a secondary diagnosis", {{"C2", "V27.0"}}, ""},
    {"E234 obstetric service", {{"C1", "634.90"}}, "36", kMensual, Entry("36", 19, 15),
     kMonthly + "E234 Patología obstétrica, error servicio alta C1=634.90 Serv=70100\r\n"_cp},
    {"obstetric in 70552", {{"C1", "634.90"}, {"SERVALT", "70552"}}, ""},
    {"obstetric only in 70552", {{"C1", "634.90"}, {"SERVALT", "70440"}}, "36:19"},
    {"629.9", {{"C1", "629.9"}}, ""},
    {"630", {{"C1", "630"}}, "36:19"},
    {"679.9", {{"C1", "679.9"}}, "36:19"},
    {"680", {{"C1", "680"}}, ""},
    {"E235 perinatal service", {{"C1", "770.0"}}, "37", kMensual, Entry("37", 19, 15),
     kMonthly + "E235 Patología perinatal, error servicio alta C1=770.0  Serv=70100\r\n"_cp},
    {"perinatal in 70441", {{"C1", "770.0"}, {"SERVALT", "70441"}}, ""},
    {"perinatal in 70392", {{"C1", "770.0"}, {"SERVALT", "70392"}}, ""},
    // The service is looked for anywhere in "70440 70441 70392": a piece of
    // it passes here and is left to the service check (E181).
    {"a piece of the neonatal list", {{"C1", "770.0"}, {"SERVALT", "0 704"}}, "24:15"},
    {"759.9", {{"C1", "759.9"}}, ""},
    {"760", {{"C1", "760"}}, "37:19"},
    {"779.9", {{"C1", "779.9"}}, "37:19"},
    {"780", {{"C1", "780"}}, ""},
    {"E244 newborn age", {{"C1", "V30.00"}, {"FECNAC", "20041231"}}, "43", kMensual,
     Entry("43", 19, 7, 12), kMonthly + "E244 Diagnóstico con edad incorrecta C1=V30.00 Edad=  0\r\n"_cp},
    {"newborn under two months", {{"C1", "V30.00"}, {"FECNAC", "20050102"}}, ""},
    {"E245 sex", {{"C1", "600.0"}}, "44", kMensual, Entry("44", 19, 8),
     kMonthly + "E245 Diagnóstico con sexo incorrecto C1=600.0  Sexo=2\r\n"_cp},
    {"right sex", {{"C1", "600.0"}, {"SEXO", "1"}}, ""},
    {"E253 injury without cause", {{"C1", "850.0"}}, "47", kMensual, Entry("47", 19, 34),
     kMonthly + "E253 Falta código E C1=850.0  CE=      \r\n"_cp},
    {"injury with a cause", {{"C1", "850.0"}, {"CE", "E880.9"}}, ""},
    {"an injury with a cause in CE4", {{"C1", "850.0"}, {"CE4", "E880.9"}}, ""},
    // Ranges compare the whole six-character text.
    {"first injury", {{"C1", "800"}}, "47:19"},
  });
}

TEST_F(CodeChecksTest, SecondaryDiagnoses) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E241 unknown", {{"C2", "487"}}, "40", kMensual, Entry("40", 20),
     kMonthly + "E241 Diagnóstico secundario no es CIE-9-MC C2=487    \r\n"_cp},
    {"known", {{"C2", "250.00"}}, ""},
    {"E241 other version", {{"C15", "279.9"}}, "40", kMensual, Entry("40", 33, 0, 0, 1),
     kMonthly + "E241 Diagnóstico secundario no es CIE-9-MC C15=279.9  No CIE9MC'2002 \r\n"_cp},
    {"E242 not valid", {{"C2", "799.9"}}, "41", kMensual, Entry("41", 20),
     kMonthly + "E242 Diagnóstico secundario no válido C2=799.9  \r\n"_cp},
    {"valid", {{"C2", "799.8"}}, ""},
    {"E242 written as a procedure", {{"C2", "47.0"}}, "40 41", kMensual, Entry("41", 20),
     kMonthly + "E242 Diagnóstico secundario no válido C2=47.0   \r\n"_cp},
    {"E244 older class at 50", {{"C3", "797"}, {"FECNAC", "19540302"}}, "43", kMensual,
     Entry("43", 21, 7, 12), kMonthly + "E244 Diagnóstico con edad incorrecta C3=797    Edad= 50\r\n"_cp},
    {"older class at 51", {{"C3", "797"}, {"FECNAC", "19540301"}}, ""},
    {"last injury", {{"C2", "999.9"}}, "47:20"},
    {"above injuries", {{"C2", "999.91"}}, ""},
    // Age classes, on admission 01/03/2005.
    {"newborn, one month", {{"C2", "V30.00"}, {"FECNAC", "20050102"}}, ""},
    {"newborn, two months", {{"C2", "V30.00"}, {"FECNAC", "20050101"}}, "43:20"},
    {"newborn, one year", {{"C2", "V30.00"}, {"FECNAC", "20040301"}}, "43:20"},
    {"under 25 at 24", {{"C2", "692.0"}, {"FECNAC", "19800302"}}, ""},
    {"under 25 at 25", {{"C2", "692.0"}, {"FECNAC", "19800301"}}, "43:20"},
    {"fertile at 12", {{"C2", "626.0"}, {"FECNAC", "19920302"}}, "43:20"},
    {"fertile at 13", {{"C2", "626.0"}, {"FECNAC", "19920301"}}, ""},
    {"fertile at 49", {{"C2", "626.0"}, {"FECNAC", "19550302"}}, ""},
    {"fertile at 50", {{"C2", "626.0"}, {"FECNAC", "19550301"}}, "43:20"},
  });
}

TEST_F(CodeChecksTest, ExternalCauses) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E251 unknown", {{"CE", "E999.9"}}, "45", kMensual, Entry("45", 34),
     kMonthly + "E251 Código E no es CIE-9-MC CE=E999.9 \r\n"_cp},
    {"known", {{"CE", "E880.9"}}, ""},
    {"E251 other version", {{"CE3", "E990.0"}}, "45", kMensual, Entry("45", 36, 0, 0, 1),
     kMonthly + "E251 Código E no es CIE-9-MC CE3=E990.0 No CIE9MC'2002 \r\n"_cp},
    {"E252 not an E code", {{"CE", "486"}}, "46", kMensual, Entry("46", 34),
     kMonthly + "E252 Código E no válido CE=486    \r\n"_cp},
    {"E252 not valid", {{"CE2", "E001.0"}}, "46", kMensual, Entry("46", 35),
     kMonthly + "E252 Código E no válido CE2=E001.0 \r\n"_cp},
    {"E254 traffic insurer, no traffic cause", {{"REGFIN", "2"}, {"CE", "E880.9"}}, "48", kMensual,
     Entry("48", 34, 11), kMonthly + "E254 Mútua Tráfico, Código E incorrecto CE=E880.9 RegFin=2\r\n"_cp},
    {"traffic insurer, traffic cause", {{"REGFIN", "2"}, {"CE", "E816.0"}}, ""},
    {"E254 traffic insurer, no cause at all", {{"REGFIN", "2"}}, "48", kMensual, Entry("48", 34, 11),
     kMonthly + "E254 Mútua Tráfico, Código E incorrecto CE=       RegFin=2\r\n"_cp},
    {"below traffic", {{"REGFIN", "2"}, {"CE", "E809.9"}}, "48:34"},
    {"first traffic", {{"REGFIN", "2"}, {"CE", "E810"}}, ""},
    {"last traffic in a six-character field", {{"REGFIN", "2"}, {"CE", "E829.9"}}, ""},
    {"above traffic", {{"REGFIN", "2"}, {"CE", "E830"}}, "48:34"},
    {"traffic cause in CE3", {{"REGFIN", "2"}, {"CE", "E880.9"}, {"CE3", "E816.0"}}, ""},
    // Only CE carries the traffic rule: a cause coded in CE2 alone is not judged.
    {"blank CE, a fall in CE2", {{"REGFIN", "2"}, {"CE2", "E880.9"}}, ""},
    {"not a traffic insurer", {{"REGFIN", "3"}, {"CE", "E880.9"}}, ""},
  });
}

TEST_F(CodeChecksTest, Procedures) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E261 unknown", {{"P1", "47.1"}}, "49", kMensual, Entry("49", 38),
     kMonthly + "E261 Procedimiento no es CIE-9-MC P1= 47.1  \r\n"_cp},
    {"known; urgent surgery needs no date", {{"P1", "47.0"}}, ""},
    {"E261 other version", {{"P2", "38.94"}}, "49", kMensual, Entry("49", 39, 0, 0, 1),
     kMonthly + "E261 Procedimiento no es CIE-9-MC P2= 38.94 No CIE9MC'2002 \r\n"_cp},
    {"in this version", {{"P2", "88.38"}}, ""},
    {"E261 written as a diagnosis", {{"P1", "123.4"}}, "49 50", kMensual, Entry("49", 38),
     kMonthly + "E261 Procedimiento no es CIE-9-MC P1= 123.4 \r\n"_cp},
    {"E262 not valid", {{"P3", "38.93"}}, "50", kMensual, Entry("50", 40),
     kMonthly + "E262 Procedimiento no válido P3= 38.93 \r\n"_cp},
    {"E263 fertile age class at 50", {{"P1", "99.99"}, {"FECNAC", "19550301"}}, "51", kMensual,
     Entry("51", 38, 7, 12), kMonthly + "E263 Procedimiento con edad incorrecta P1= 99.99 Edad= 50\r\n"_cp},
    {"fertile age class at 49", {{"P1", "99.99"}, {"FECNAC", "19550302"}}, ""},
    {"fertile class at 12", {{"P2", "99.99"}, {"FECNAC", "19920302"}}, "51:39"},
    {"fertile class at 13", {{"P2", "99.99"}, {"FECNAC", "19920301"}}, ""},
    // Procedures honour only the newborn and fertile classes; the episode is a woman of 34.
    {"newborn class at 34", {{"P1", "99.55"}}, "51:38"},
    {"newborn class at one month", {{"P1", "99.55"}, {"FECNAC", "20050102"}}, ""},
    {"under 25 class at 34", {{"P1", "93.11"}}, ""},
    {"older class at 34", {{"P1", "93.12"}}, ""},
    {"E264 sex", {{"P1", "74.1"}, {"SEXO", "1"}}, "52", kMensual, Entry("52", 38, 8),
     kMonthly + "E264 Procedimiento con sexo incorrecto P1= 74.1  Sexo=1\r\n"_cp},
    {"right sex", {{"P1", "74.1"}}, ""},
    {"E266 not surgical in a quarterly test", {{"P1", "88.38"}}, "54", kTrimestral, Entry("54", 38),
     kMonthly + "E266 Procedimiento no quirúrgico P1= 88.38 \r\n"_cp},
    {"not surgical in a monthly test", {{"P1", "88.38"}}, ""},
    {"E273 planned surgery without date", {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "47.0"}}, "58",
     kMensual, Entry("58", 38, 53, 13),
     kMonthly + "E273 Falta fecha de intervención P1= 47.0  Intv=         TIPING=2\r\n"_cp},
    {"planned surgery with a date",
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "47.0"}, {"FEINTV", "20050302"}}, ""},
    // The surgical-date checks look at the main procedure only.
    {"planned surgery in P2", {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P2", "47.0"}}, ""},
    {"E275 planned surgery with unknown date",
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "47.0"}, {"FEINTV", "99990909"}}, "60 57 55",
     kMensual, Entry("60", 38, 53, 13),
     kMonthly + "E275 Intervención quirúrgica con fecha desconocida P1= 47.0  Intv=99990909 TIPING=2\r\n"_cp},
    {"planned, not surgical, unknown date",
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "88.38"}, {"FEINTV", "99990909"}}, "57 55"},
  });
  ExpectCases(fixture, CleanCmaEpisode(), {
    {"E265 no main procedure", {{"P1", ""}}, "53", kCma, Entry("53", 38),
     kCmaDay + "E265 Falta procedimiento principal (CMA) P1=       \r\n"_cp},
  });
}

TEST_F(CodeChecksTest, InterventionDates) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E271 before admission", {{"FEINTV", "20050228"}}, "56", kMensual, Entry("56", 53, 12),
     kMonthly + "E271 Fecha intervención < Fecha ingreso FEINTV=20050228 Ingr=20050301\r\n"_cp},
    {"on admission", {{"FEINTV", "20050301"}}, ""},
    {"E272 after discharge", {{"FEINTV", "20050311"}}, "57", kMensual, Entry("57", 53, 16),
     kMonthly + "E272 Fecha intervención > Fecha de alta FEINTV=20050311 Alta=20050310\r\n"_cp},
    {"on discharge", {{"FEINTV", "20050310"}}, ""},
    {"E270 unknown", {{"FEINTV", "99990909"}}, "57 55", kMensual, Entry("55", 53),
     kMonthly + "E270 Fecha intervención inespecífica FEINTV=99990909 \r\n"_cp},
    {"another late date", {{"FEINTV", "99990908"}}, "57"},
  });
}

TEST_F(CodeChecksTest, Delivery) {
  ExpectCases(fixture, DeliveryEpisode(), {
    {"normal delivery", {}, ""},
    {"E236 normal delivery at 35", {{"FECNAC", "19700301"}}, "38", kMensual, Entry("38", 19, 12, 7),
     kMonthly + "E236 Parto Normal con edad >= 35 C1=650    FECING=20050301 FECNAC=19700301 edad = 35\r\n"_cp},
    {"mother of 34", {{"FECNAC", "19700302"}}, ""},
    {"E237 normal delivery at 36 weeks", {{"TGESTAC", "36"}}, "39", kMensual, Entry("39", 19, 55),
     kMonthly + "E237 Parto Normal con tiempo de gestación <= 36 o >= 40 C1=650    TGESTAC=36\r\n"_cp},
    {"37 weeks", {{"TGESTAC", "37"}}, ""},
    {"E237 normal delivery at 40 weeks", {{"TGESTAC", "40"}}, "39", kMensual, Entry("39", 19, 55),
     kMonthly + "E237 Parto Normal con tiempo de gestación <= 36 o >= 40 C1=650    TGESTAC=40\r\n"_cp},
    {"mother of 35 at 36 weeks", {{"FECNAC", "19700301"}, {"TGESTAC", "36"}}, "38:19 39:19"},
    // An unknown gestation is out of the normal range but not wrong.
    {"mother of 35, gestation unknown", {{"FECNAC", "19700301"}, {"TGESTAC", "99"}},
     "38:19 39:19 65:55"},
    // Only "650" and three blanks is a normal delivery.
    {"a longer code of the chapter", {{"C1", "644.21"}, {"TGESTAC", "36"}}, ""},
    {"E243 no outcome code", {{"C2", ""}}, "42", kMensual, Entry("42", 19),
     kMonthly + "E243 Parto con código V incorrecto C1=650    \r\n"_cp},
    {"V27.9 with its trailing blank", {{"C2", "V27.9"}}, ""},
    {"V27.1", {{"C2", "V27.1"}}, ""},
    {"V26.9", {{"C2", "V26.9"}}, "42:19"},
    {"outcome in C15", {{"C2", "486"}, {"C15", "V27.9"}}, ""},
    // V27.0 cannot be the main diagnosis, and is no delivery there either.
    {"V27.0 as main diagnosis", {{"C1", "V27.0"}, {"C2", ""}}, "35:19 64:55 66:56 68:57"},
    {"E281 no delivery date", {{"FECPART", ""}}, "61", kMensual, Entry("61", 19, 54),
     kMonthly + "E281 Falta fecha de parto C1=650    FECPART=        \r\n"_cp},
    {"E282 delivery before admission", {{"FECPART", "20050228"}}, "62", kMensual, Entry("62", 54, 12),
     kMonthly + "E282 Parto anterior al ingreso FECPART=20050228 Ingr=20050301\r\n"_cp},
    {"delivery on admission", {{"FECPART", "20050301"}}, ""},
    {"E283 delivery after discharge", {{"FECPART", "20050311"}}, "63", kMensual, Entry("63", 54, 16),
     kMonthly + "E283 Parto posterior al alta FECPART=20050311 Alta=20050310\r\n"_cp},
    {"delivery on discharge", {{"FECPART", "20050310"}}, ""},
  });
}

TEST_F(CodeChecksTest, Newborns) {
  ExpectCases(fixture, DeliveryEpisode("644.21"), {
    {"delivery of another code", {}, ""},
    {"E291 gestation below 22", {{"TGESTAC", "21"}}, "64", kMensual, Entry("64", 55, 19),
     kMonthly + "E291 Tiempo de gestación incorrecto TGESTAC=    21 \r\n"_cp},
    {"gestation 22", {{"TGESTAC", "22"}}, ""},
    {"E291 gestation above 50", {{"TGESTAC", "51"}}, "64", kMensual, Entry("64", 55, 19),
     kMonthly + "E291 Tiempo de gestación incorrecto TGESTAC=    51 \r\n"_cp},
    {"gestation 50", {{"TGESTAC", "50"}}, ""},
    {"E292 unknown gestation", {{"TGESTAC", "99"}}, "65", kMensual, Entry("65", 55),
     kMonthly + "E292 Tiempo de gestación inespecífico TGESTAC=    99 \r\n"_cp},
    {"gestation 98", {{"TGESTAC", "98"}}, "64"},
    {"E301 first weight below 400", {{"PESO1N", " 399"}}, "66", kMensual, Entry("66", 56, 19),
     kMonthly + "E301 Peso neonatal incorrecto PESO1N=   399 \r\n"_cp},
    {"first weight 400", {{"PESO1N", " 400"}}, ""},
    {"E301 first weight above 5500", {{"PESO1N", "5501"}}, "66", kMensual, Entry("66", 56, 19),
     kMonthly + "E301 Peso neonatal incorrecto PESO1N=  5501 \r\n"_cp},
    {"first weight 5500", {{"PESO1N", "5500"}}, ""},
    {"E301 second weight below 400", {{"PESO2N", " 399"}, {"SEXO2N", "1"}}, "66", kMensual,
     Entry("66", 58, 19), kMonthly + "E301 Peso neonatal incorrecto PESO2N=   399 \r\n"_cp},
    {"second weight 400", {{"PESO2N", " 400"}, {"SEXO2N", "1"}}, ""},
    {"E303 unknown weight", {{"PESO1N", "9999"}}, "67", kMensual, Entry("67", 56),
     kMonthly + "E303 Peso inespecífico PESO1N=  9999 \r\n"_cp},
    {"weight 9998", {{"PESO1N", "9998"}}, "66"},
    {"E311 first sex 4", {{"SEXO1N", "4"}}, "68", kMensual, Entry("68", 57, 19),
     kMonthly + "E311 Sexo neonatal incorrecto SEXO1N=     4 \r\n"_cp},
    {"first sex 3", {{"SEXO1N", "3"}}, ""},
    {"E312 unknown sex", {{"SEXO1N", "9"}}, "69", kMensual, Entry("69", 57, 19),
     kMonthly + "E312 Sexo inespecifico 9 SEXO1N=     9 \r\n"_cp},
  });
  ExpectCases(fixture, DeliveryEpisode(), {
    {"no first newborn", {{"PESO1N", "0"}}, "66:56"},
    {"no first newborn nor sex", {{"PESO1N", "0"}, {"SEXO1N", "0"}}, "66:56 68:57"},
    {"unweighed second newborn is not looked at", {{"PESO2N", "0"}, {"SEXO2N", "5"}}, ""},
    {"weighed second newborn of sex 5", {{"PESO2N", "2500"}, {"SEXO2N", "5"}}, "68:59"},
    {"second newborn of unknown sex", {{"PESO2N", "2500"}, {"SEXO2N", "9"}}, "69:59"},
    {"third newborn without sex", {{"PESO3N", "2500"}}, "68:61"},
    {"third newborn too heavy", {{"PESO3N", "5501"}, {"SEXO3N", "1"}}, "66:60"},
    {"third newborn weight unknown", {{"PESO3N", "9999"}, {"SEXO3N", "1"}}, "67:60"},
    // Everything at once, in the order of the checks.
    {"all wrong",
     {{"FECNAC", "19700301"}, {"TGESTAC", "99"}, {"FECPART", ""}, {"C2", ""}, {"PESO1N", "0"},
      {"SEXO1N", "0"}, {"PESO2N", "9999"}, {"SEXO2N", "9"}, {"PESO3N", "6000"}, {"SEXO3N", "4"}},
     "38:19 39:19 61:19 42:19 65:55 66:56 67:58 66:60 68:57 68:61 69:59"},
  });
}

TEST_F(CodeChecksTest, NewbornDataWithoutDelivery) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E291 gestation", {{"TGESTAC", "38"}}, "64", kMensual, Entry("64", 55, 19),
     kMonthly + "E291 Tiempo de gestación incorrecto TGESTAC=    38 \r\n"_cp},
    {"gestation 0", {{"TGESTAC", " 0"}}, ""},
    {"E301 third weight", {{"PESO3N", "   1"}}, "66", kMensual, Entry("66", 60, 19),
     kMonthly + "E301 Peso neonatal incorrecto PESO3N=     1 \r\n"_cp},
    {"third weight 0", {{"PESO3N", "   0"}}, ""},
    {"E311 second sex", {{"SEXO2N", "1"}}, "68", kMensual, Entry("68", 59, 19),
     kMonthly + "E311 Sexo neonatal incorrecto SEXO2N=     1 \r\n"_cp},
    {"second sex 0", {{"SEXO2N", "0"}}, ""},
    {"every datum",
     {{"TGESTAC", "99"}, {"PESO1N", "9999"}, {"SEXO1N", "9"}, {"PESO2N", "1"}, {"SEXO2N", "1"},
      {"PESO3N", "1"}, {"SEXO3N", "1"}},
     "64:55 66:56 66:58 66:60 68:57 68:59 68:61"},
    // A main diagnosis that is not CIE-9-MC in this version says nothing about
    // a delivery: only the stays are still checked (before the codes).
    {"main diagnosis of another version", {{"C1", "279.9"}, {"TGESTAC", "38"}, {"ESTUCI", "31"}},
     "70:62 33:19"},
    {"blank main diagnosis", {{"C1", ""}, {"PESO1N", "3000"}}, "32:19"},
  });
}

TEST_F(CodeChecksTest, Stays) {
  ExpectCases(fixture, CleanEpisode(), {
    {"E321 intensive care", {{"ESTUCI", " 31"}}, "70", kMensual, Entry("70", 62),
     kMonthly + "E321 Estancia en UCI prolongada ESTUCI=    31 \r\n"_cp},
    {"E331 emergency room", {{"ESTURG", "6"}}, "71", kMensual, Entry("71", 63),
     kMonthly + "E331 Estancia en urgencias prolongada ESTURG=     6 \r\n"_cp},
    {"30 days in intensive care, 5 in emergency", {{"ESTUCI", " 30"}, {"ESTURG", "5"}}, ""},
    {"both too long", {{"ESTUCI", "999"}, {"ESTURG", "9"}}, "70:62 71:63"},
  });
}

TEST(CodeChecksOrderTest, FindingsOfOneCodeComeInTheirFixedOrder) {
  CheckFixture::Options options = WithCodeCatalogue();
  CatalogueCode procedure{"777.7", "FFFFF", " ", "1", "1", " ", " ", ""};
  CatalogueCode shaped{"12.34", "FFFFF", " ", "1", "4", " ", " ", ""};
  CatalogueCode injury{"850.9", "FFFFF", "F", "1", "4", " ", " ", ""};
  options.catalogue.insert(options.catalogue.end(), {procedure, shaped, injury});
  CheckFixture fixture(options);
  ExpectCases(fixture, CleanEpisode(), {
    // Age, sex, not surgical, not shaped like a procedure, not valid.
    {"procedure", {{"P1", "777.7"}}, "51:38 52:38 54:38 49:38 50:38", kTrimestral},
    // Shaped like a procedure, sex, age, not valid.
    {"secondary diagnosis", {{"C2", "12.34"}}, "40:20 44:20 43:20 41:20"},
    // Sex, age, injury without cause, not valid, cannot be main.
    {"main diagnosis", {{"C1", "850.9"}}, "44:19 43:19 47:19 34:19 35:19"},
  });
}

TEST_F(CodeChecksTest, NotInVersionMarkBelongsToItsOwnErrorOnly) {
  CheckResult r = fixture.CheckEpisode(
      With(CleanEpisode(), {{"C1", "279.9"}, {"C2", "487"}, {"P1", "47.0"}, {"P2", "38.94"},
                            {"FEINTV", "20050228"}}));
  ASSERT_EQ(r.ErrorsWithFields(), (std::vector<std::string>{"33:19", "40:20", "49:39", "56:53"}));
  std::vector<std::uint32_t> marks;
  for (const ErrorEntry& e : r.entries) marks.push_back(e.not_in_version);
  EXPECT_EQ(marks, (std::vector<std::uint32_t>{1, 0, 1, 0}));
  EXPECT_EQ(fixture.session().run.NotInVersionMark, 0);
}

TEST_F(CodeChecksTest, VersionPositionSelectsTheValidityCharacter) {
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

TEST(CodeChecksCatalogueTest, WithoutCatalogueEveryCodeIsUnknownAndNothingElseIsChecked) {
  CheckFixture::Options options;
  options.write_catalogue = false;
  CheckFixture fixture(options);
  CheckResult r = fixture.CheckEpisode(
      With(CleanEpisode(), {{"C2", "250.00"}, {"CE", "E880.9"}, {"P1", "47.0"},
                            {"TGESTAC", "38"}, {"PESO1N", "3000"}}));
  EXPECT_EQ(r.ErrorsWithFields(), (std::vector<std::string>{"33:19", "40:20", "45:34", "49:38"}));
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
  fixture.WriteTable({With(CleanEpisode(), {{"C1", "850.0 XY"}, {"C2", "800"}, {"P1", "47.0"}})},
                     layout);
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), (std::vector<std::string>{"47:19", "40:20"}));

  // Without a CE field the episode has no cause to be missing.
  fixture.WriteTable({With(CleanEpisode(), {{"C1", "850.0"}, {"REGFIN", "2"}})},
                     CheckFixture::LayoutWithout({"CE"}));
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), std::vector<std::string>{});

  // A missing delivery date is recorded against C1, its own field named as related.
  fixture.WriteTable({DeliveryEpisode()}, CheckFixture::LayoutWithout({"FECPART"}));
  CheckResult r = fixture.Check(1);
  ASSERT_EQ(r.ErrorsWithFields(), std::vector<std::string>{"61:19"});
  EXPECT_EQ(r.entries[0].related1, 54u);

  // Gestation and the first newborn read as 0: wrong for a delivery, but the
  // file cannot hold them. The normal-delivery gestation check is recorded
  // against C1, so it stays.
  fixture.WriteTable({DeliveryEpisode()},
                     CheckFixture::LayoutWithout({"TGESTAC", "PESO1N", "SEXO1N", "PESO2N",
                                                  "SEXO2N", "PESO3N", "SEXO3N"}));
  EXPECT_EQ(fixture.Check(1).ErrorsWithFields(), std::vector<std::string>{"39:19"});
}

TEST_F(CodeChecksTest, OddBytesInCodeAndNumberFieldsNeverBreakTheCheck) {
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

TEST_F(CodeChecksTest, FieldNumbersOutsideTheCodesAreIgnored) {
  fixture.WriteTable({With(CleanEpisode(), {{"C1", ""}})});
  fixture.BeginRecord(1);
  fixture.session().run.NotInVersionMark = 1;
  for (int f : {-1, 0, 18, 53, 64, 1000}) CheckCodeField(fixture.checks(), f);
  EXPECT_EQ(fixture.session().run.NotInVersionMark, 0);
  EXPECT_EQ(fixture.Collect().entries.size(), 0u);
}

}  // namespace
}  // namespace quirovel::testing
