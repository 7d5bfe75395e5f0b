// Every error of the code, delivery, newborn and stay checks, raised by one
// episode and not raised by its neighbour one value across the boundary. The
// expected log entries and "errores.txt" lines are laid out by hand here, byte
// by byte, from the error table: number, own field, related fields, detail.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "support/check_fixture.h"
#include "validation/code_checks_test_catalogue.h"
#include "support/dbf_builder.h"

namespace quirovel::testing {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

struct BoundaryCase {
  const char* name;
  Values raise;      // applied to the area's base episode
  Values neighbour;  // likewise: one value on the other side
  std::vector<int> raised;          // every error of the raising episode, in order
  std::vector<int> neighbour_errors;
  const char* number;  // the target error as stored: "%2d"
  std::uint32_t own, related1, related2, mark;
  std::string tail;  // the "errores.txt" line after history number and discharge date
  int raise_type = kMensual;
  int neighbour_type = kMensual;
};

// 32 bytes of an entry of record 1, laid out field by field.
std::string Entry(const char* number, std::uint32_t own, std::uint32_t related1,
                  std::uint32_t related2, std::uint32_t mark) {
  std::string b(32, '\0');
  b[0] = number[0];
  b[1] = number[1];
  PutLe32(&b, 4, own);
  PutLe32(&b, 8, related1);
  PutLe32(&b, 12, related2);
  PutLe32(&b, 20, 1);
  b[24] = ' ';
  PutLe32(&b, 28, mark);
  return b;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size() - 2;
    out.push_back(text.substr(at, end + 2 - at));
    at = end + 2;
  }
  return out;
}

Episode With(Episode e, const Values& values) {
  for (const auto& [field, value] : values) e.Set(field, value);
  return e;
}

int IndexOf(const std::vector<int>& errors, int error) {
  for (std::size_t i = 0; i < errors.size(); ++i)
    if (errors[i] == error) return static_cast<int>(i);
  return -1;
}

// History "123456" is stored in a 12-wide field; FECALT as day/month/year.
void RunCases(const Episode& base, const std::string& discharge,
              const std::vector<BoundaryCase>& cases) {
  CheckFixture fixture(WithCodeCatalogue());
  const std::string prefix = "123456       " + discharge + " ";
  for (const BoundaryCase& c : cases) {
    SCOPED_TRACE(c.name);
    const int error = std::stoi(c.number);
    CheckResult r = fixture.CheckEpisode(With(base, c.raise), c.raise_type);
    ASSERT_EQ(r.Errors(), c.raised);
    const int i = IndexOf(r.Errors(), error);
    ASSERT_GE(i, 0);
    EXPECT_EQ(r.raw[static_cast<std::size_t>(i)],
              Entry(c.number, c.own, c.related1, c.related2, c.mark));
    std::vector<std::string> lines = Lines(r.errores);
    ASSERT_EQ(lines.size(), c.raised.size());
    EXPECT_EQ(Cp1252ToUtf8(lines[static_cast<std::size_t>(i)]), Cp1252ToUtf8(prefix + c.tail));

    CheckResult n = fixture.CheckEpisode(With(base, c.neighbour), c.neighbour_type);
    EXPECT_EQ(n.Errors(), c.neighbour_errors) << "neighbour";
  }
}

Episode DeliveryEpisode(const std::string& main) {
  return With(CleanEpisode(), {{"C1", main}, {"C2", "V27.0"}, {"SERVALT", "70552"},
                               {"TGESTAC", "39"}, {"PESO1N", "3200"}, {"SEXO1N", "2"},
                               {"FECPART", "20050302"}});
}

TEST(CodeErrorsTest, MainDiagnosis) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"blank", {{"C1", ""}}, {}, {32}, {}, "32", 19, 0, 0, 0,
     "E230 Diagnóstico principal vacío C1=       \r\n"_cp},
    {"unknown", {{"C1", "487"}}, {{"C1", "486"}}, {33}, {}, "33", 19, 0, 0, 0,
     "E231 Diagnóstico principal no es CIE-9-MC C1=487    \r\n"_cp},
    {"other version", {{"C1", "279.9"}}, {{"C1", "250.00"}}, {33}, {}, "33", 19, 0, 0, 1,
     "E231 Diagnóstico principal no es CIE-9-MC C1=279.9  No CIE9MC'2002 \r\n"_cp},
    {"written as a procedure", {{"C1", "47.0"}}, {{"C1", "486"}}, {33}, {}, "33", 19, 0, 0, 0,
     "E231 Diagnóstico principal no es CIE-9-MC C1=47.0   \r\n"_cp},
    {"not valid", {{"C1", "799.9"}}, {{"C1", "799.8"}}, {34}, {}, "34", 19, 0, 0, 0,
     "E232 Diagnóstico principal no válido C1=799.9  \r\n"_cp},
    {"cannot be main", {{"C1", "V27.0"}}, {{"C1", "486"}, {"C2", "V27.0"}}, {35}, {},
     "35", 19, 0, 0, 0, "E233 No puede ser diagnóstico principal C1=V27.0  \r\n"_cp},
    {"obstetric service", {{"C1", "634.90"}}, {{"C1", "634.90"}, {"SERVALT", "70552"}}, {36}, {},
     "36", 19, 15, 0, 0, "E234 Patología obstétrica, error servicio alta C1=634.90 Serv=70100\r\n"_cp},
    {"perinatal service", {{"C1", "770.0"}}, {{"C1", "770.0"}, {"SERVALT", "70441"}}, {37}, {},
     "37", 19, 15, 0, 0, "E235 Patología perinatal, error servicio alta C1=770.0  Serv=70100\r\n"_cp},
    {"newborn age", {{"C1", "V30.00"}, {"FECNAC", "20041231"}},
     {{"C1", "V30.00"}, {"FECNAC", "20050102"}}, {43}, {}, "43", 19, 7, 12, 0,
     "E244 Diagnóstico con edad incorrecta C1=V30.00 Edad=  0\r\n"_cp},
    {"sex", {{"C1", "600.0"}}, {{"C1", "600.0"}, {"SEXO", "1"}}, {44}, {}, "44", 19, 8, 0, 0,
     "E245 Diagnóstico con sexo incorrecto C1=600.0  Sexo=2\r\n"_cp},
    {"injury without cause", {{"C1", "850.0"}}, {{"C1", "850.0"}, {"CE", "E880.9"}}, {47}, {},
     "47", 19, 34, 0, 0, "E253 Falta código E C1=850.0  CE=      \r\n"_cp},
  });
}

TEST(CodeErrorsTest, SecondaryDiagnoses) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"unknown", {{"C2", "487"}}, {{"C2", "250.00"}}, {40}, {}, "40", 20, 0, 0, 0,
     "E241 Diagnóstico secundario no es CIE-9-MC C2=487    \r\n"_cp},
    {"other version", {{"C15", "279.9"}}, {{"C15", "250.00"}}, {40}, {}, "40", 33, 0, 0, 1,
     "E241 Diagnóstico secundario no es CIE-9-MC C15=279.9  No CIE9MC'2002 \r\n"_cp},
    {"not valid", {{"C2", "799.9"}}, {{"C2", "799.8"}}, {41}, {}, "41", 20, 0, 0, 0,
     "E242 Diagnóstico secundario no válido C2=799.9  \r\n"_cp},
    {"written as a procedure", {{"C2", "47.0"}}, {{"C2", "486"}}, {40, 41}, {}, "41", 20, 0, 0, 0,
     "E242 Diagnóstico secundario no válido C2=47.0   \r\n"_cp},
    {"older class at 50", {{"C3", "797"}, {"FECNAC", "19540302"}},
     {{"C3", "797"}, {"FECNAC", "19540301"}}, {43}, {}, "43", 21, 7, 12, 0,
     "E244 Diagnóstico con edad incorrecta C3=797    Edad= 50\r\n"_cp},
  });
}

TEST(CodeErrorsTest, ExternalCauses) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"unknown", {{"CE", "E999.9"}}, {{"CE", "E880.9"}}, {45}, {}, "45", 34, 0, 0, 0,
     "E251 Código E no es CIE-9-MC CE=E999.9 \r\n"_cp},
    {"other version", {{"CE3", "E990.0"}}, {{"CE3", "E880.9"}}, {45}, {}, "45", 36, 0, 0, 1,
     "E251 Código E no es CIE-9-MC CE3=E990.0 No CIE9MC'2002 \r\n"_cp},
    {"not an E code", {{"CE", "486"}}, {{"CE", "E880.9"}}, {46}, {}, "46", 34, 0, 0, 0,
     "E252 Código E no válido CE=486    \r\n"_cp},
    {"not valid", {{"CE2", "E001.0"}}, {{"CE2", "E880.9"}}, {46}, {}, "46", 35, 0, 0, 0,
     "E252 Código E no válido CE2=E001.0 \r\n"_cp},
    {"traffic insurer, no traffic cause", {{"REGFIN", "2"}, {"CE", "E880.9"}},
     {{"REGFIN", "2"}, {"CE", "E816.0"}}, {48}, {}, "48", 34, 11, 0, 0,
     "E254 Mútua Tráfico, Código E incorrecto CE=E880.9 RegFin=2\r\n"_cp},
    {"traffic insurer, no cause at all", {{"REGFIN", "2"}}, {{"REGFIN", "1"}}, {48}, {},
     "48", 34, 11, 0, 0, "E254 Mútua Tráfico, Código E incorrecto CE=       RegFin=2\r\n"_cp},
  });
}

TEST(CodeErrorsTest, Procedures) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"unknown", {{"P1", "47.1"}}, {{"P1", "47.0"}}, {49}, {}, "49", 38, 0, 0, 0,
     "E261 Procedimiento no es CIE-9-MC P1= 47.1  \r\n"_cp},
    {"other version", {{"P2", "38.94"}}, {{"P2", "88.38"}}, {49}, {}, "49", 39, 0, 0, 1,
     "E261 Procedimiento no es CIE-9-MC P2= 38.94 No CIE9MC'2002 \r\n"_cp},
    {"written as a diagnosis", {{"P1", "123.4"}}, {{"P1", "88.38"}}, {49, 50}, {},
     "49", 38, 0, 0, 0, "E261 Procedimiento no es CIE-9-MC P1= 123.4 \r\n"_cp},
    {"not valid", {{"P3", "38.93"}}, {{"P3", "88.38"}}, {50}, {}, "50", 40, 0, 0, 0,
     "E262 Procedimiento no válido P3= 38.93 \r\n"_cp},
    {"fertile age class at 50", {{"P1", "99.99"}, {"FECNAC", "19550301"}},
     {{"P1", "99.99"}, {"FECNAC", "19550302"}}, {51}, {}, "51", 38, 7, 12, 0,
     "E263 Procedimiento con edad incorrecta P1= 99.99 Edad= 50\r\n"_cp},
    {"sex", {{"P1", "74.1"}, {"SEXO", "1"}}, {{"P1", "74.1"}}, {52}, {}, "52", 38, 8, 0, 0,
     "E264 Procedimiento con sexo incorrecto P1= 74.1  Sexo=1\r\n"_cp},
    {"not surgical in a quarterly test", {{"P1", "88.38"}}, {{"P1", "88.38"}}, {54}, {},
     "54", 38, 0, 0, 0, "E266 Procedimiento no quirúrgico P1= 88.38 \r\n"_cp, kTrimestral,
     kMensual},
    {"planned surgery without date",
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "47.0"}},
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "47.0"}, {"FEINTV", "20050302"}}, {58}, {},
     "58", 38, 53, 13, 0,
     "E273 Falta fecha de intervención P1= 47.0  Intv=         TIPING=2\r\n"_cp},
    {"planned surgery with unknown date",
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "47.0"}, {"FEINTV", "99990909"}},
     {{"PROCEDEN", "2"}, {"TIPING", "2"}, {"P1", "88.38"}, {"FEINTV", "99990909"}},
     {60, 57, 55}, {57, 55}, "60", 38, 53, 13, 0,
     "E275 Intervención quirúrgica con fecha desconocida P1= 47.0  Intv=99990909 TIPING=2\r\n"_cp},
  });
}

TEST(CodeErrorsTest, MainProcedureOfAmbulatorySurgery) {
  RunCases(CleanCmaEpisode(), "01/03/2005", {
    {"blank", {{"P1", ""}}, {}, {53}, {}, "53", 38, 0, 0, 0,
     "E265 Falta procedimiento principal (CMA) P1=       \r\n"_cp, kCma, kCma},
  });
}

TEST(CodeErrorsTest, InterventionDates) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"before admission", {{"FEINTV", "20050228"}}, {{"FEINTV", "20050301"}}, {56}, {},
     "56", 53, 12, 0, 0, "E271 Fecha intervención < Fecha ingreso FEINTV=20050228 Ingr=20050301\r\n"_cp},
    {"after discharge", {{"FEINTV", "20050311"}}, {{"FEINTV", "20050310"}}, {57}, {},
     "57", 53, 16, 0, 0, "E272 Fecha intervención > Fecha de alta FEINTV=20050311 Alta=20050310\r\n"_cp},
    {"unknown", {{"FEINTV", "99990909"}}, {{"FEINTV", "99990908"}}, {57, 55}, {57},
     "55", 53, 0, 0, 0, "E270 Fecha intervención inespecífica FEINTV=99990909 \r\n"_cp},
  });
}

TEST(CodeErrorsTest, Delivery) {
  RunCases(DeliveryEpisode("650"), "10/03/2005", {
    {"normal delivery at 35", {{"FECNAC", "19700301"}}, {{"FECNAC", "19700302"}}, {38}, {},
     "38", 19, 12, 7, 0,
     "E236 Parto Normal con edad >= 35 C1=650    FECING=20050301 FECNAC=19700301 edad = 35\r\n"_cp},
    {"normal delivery at 36 weeks", {{"TGESTAC", "36"}}, {{"TGESTAC", "37"}}, {39}, {},
     "39", 19, 55, 0, 0,
     "E237 Parto Normal con tiempo de gestación <= 36 o >= 40 C1=650    TGESTAC=36\r\n"_cp},
    {"normal delivery at 40 weeks", {{"TGESTAC", "40"}}, {{"TGESTAC", "39"}}, {39}, {},
     "39", 19, 55, 0, 0,
     "E237 Parto Normal con tiempo de gestación <= 36 o >= 40 C1=650    TGESTAC=40\r\n"_cp},
    {"no outcome code", {{"C2", ""}}, {}, {42}, {}, "42", 19, 0, 0, 0,
     "E243 Parto con código V incorrecto C1=650    \r\n"_cp},
    {"no delivery date", {{"FECPART", ""}}, {}, {61}, {}, "61", 19, 54, 0, 0,
     "E281 Falta fecha de parto C1=650    FECPART=        \r\n"_cp},
    {"delivery before admission", {{"FECPART", "20050228"}}, {{"FECPART", "20050301"}}, {62}, {},
     "62", 54, 12, 0, 0, "E282 Parto anterior al ingreso FECPART=20050228 Ingr=20050301\r\n"_cp},
    {"delivery after discharge", {{"FECPART", "20050311"}}, {{"FECPART", "20050310"}}, {63}, {},
     "63", 54, 16, 0, 0, "E283 Parto posterior al alta FECPART=20050311 Alta=20050310\r\n"_cp},
  });
}

TEST(CodeErrorsTest, Newborns) {
  RunCases(DeliveryEpisode("644.21"), "10/03/2005", {
    {"gestation below 22", {{"TGESTAC", "21"}}, {{"TGESTAC", "22"}}, {64}, {}, "64", 55, 19, 0, 0,
     "E291 Tiempo de gestación incorrecto TGESTAC=    21 \r\n"_cp},
    {"gestation above 50", {{"TGESTAC", "51"}}, {{"TGESTAC", "50"}}, {64}, {}, "64", 55, 19, 0, 0,
     "E291 Tiempo de gestación incorrecto TGESTAC=    51 \r\n"_cp},
    {"unknown gestation", {{"TGESTAC", "99"}}, {{"TGESTAC", "98"}}, {65}, {64}, "65", 55, 0, 0, 0,
     "E292 Tiempo de gestación inespecífico TGESTAC=    99 \r\n"_cp},
    {"first weight below 400", {{"PESO1N", " 399"}}, {{"PESO1N", " 400"}}, {66}, {},
     "66", 56, 19, 0, 0, "E301 Peso neonatal incorrecto PESO1N=   399 \r\n"_cp},
    {"first weight above 5500", {{"PESO1N", "5501"}}, {{"PESO1N", "5500"}}, {66}, {},
     "66", 56, 19, 0, 0, "E301 Peso neonatal incorrecto PESO1N=  5501 \r\n"_cp},
    {"second weight below 400", {{"PESO2N", " 399"}, {"SEXO2N", "1"}},
     {{"PESO2N", " 400"}, {"SEXO2N", "1"}}, {66}, {}, "66", 58, 19, 0, 0,
     "E301 Peso neonatal incorrecto PESO2N=   399 \r\n"_cp},
    {"unknown weight", {{"PESO1N", "9999"}}, {{"PESO1N", "9998"}}, {67}, {66}, "67", 56, 0, 0, 0,
     "E303 Peso inespecífico PESO1N=  9999 \r\n"_cp},
    {"first sex 4", {{"SEXO1N", "4"}}, {{"SEXO1N", "3"}}, {68}, {}, "68", 57, 19, 0, 0,
     "E311 Sexo neonatal incorrecto SEXO1N=     4 \r\n"_cp},
    {"unknown sex", {{"SEXO1N", "9"}}, {}, {69}, {}, "69", 57, 19, 0, 0,
     "E312 Sexo inespecifico 9 SEXO1N=     9 \r\n"_cp},
  });
}

TEST(CodeErrorsTest, NewbornDataWithoutDelivery) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"gestation", {{"TGESTAC", "38"}}, {{"TGESTAC", " 0"}}, {64}, {}, "64", 55, 19, 0, 0,
     "E291 Tiempo de gestación incorrecto TGESTAC=    38 \r\n"_cp},
    {"third weight", {{"PESO3N", "   1"}}, {{"PESO3N", "   0"}}, {66}, {}, "66", 60, 19, 0, 0,
     "E301 Peso neonatal incorrecto PESO3N=     1 \r\n"_cp},
    {"second sex", {{"SEXO2N", "1"}}, {{"SEXO2N", "0"}}, {68}, {}, "68", 59, 19, 0, 0,
     "E311 Sexo neonatal incorrecto SEXO2N=     1 \r\n"_cp},
  });
}

TEST(CodeErrorsTest, Stays) {
  RunCases(CleanEpisode(), "10/03/2005", {
    {"intensive care", {{"ESTUCI", " 31"}}, {{"ESTUCI", " 30"}}, {70}, {}, "70", 62, 0, 0, 0,
     "E321 Estancia en UCI prolongada ESTUCI=    31 \r\n"_cp},
    {"emergency room", {{"ESTURG", "6"}}, {{"ESTURG", "5"}}, {71}, {}, "71", 63, 0, 0, 0,
     "E331 Estancia en urgencias prolongada ESTURG=     6 \r\n"_cp},
  });
}

}  // namespace
}  // namespace quirovel::testing
