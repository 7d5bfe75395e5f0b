// Every error of the administrative and date checks (E11 to E222, and E274 of
// the CMA admission), raised by one episode and not raised by its neighbour
// one value across the boundary. Entries and "errores.txt" lines are laid out
// by hand from the error table: number, own field, related fields, detail.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "support/check_fixture.h"

namespace quirovel::testing {
namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

struct AdminCase {
  const char* name;
  Values raise;      // applied to the base episode of the test type
  Values neighbour;
  std::vector<int> raised;  // every error of the raising episode, in order
  std::vector<int> neighbour_errors;
  std::string entry;        // the 32 bytes of the target's entry
  std::string line;         // the target's whole line in "errores.txt"
  int test_type = kMensual;
};

std::string Le32(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
          static_cast<char>(v >> 24)};
}

// Number as "%2d" and a zero, a zero, own field, two related fields, the
// unused slot, record 1, a blank and three zeros, no version mark.
std::string Entry(const char (&number)[3], std::uint32_t own, std::uint32_t related1 = 0,
                  std::uint32_t related2 = 0) {
  return std::string(number, 2) + std::string(2, '\0') + Le32(own) + Le32(related1) +
         Le32(related2) + Le32(0) + Le32(1) + " " + std::string(3, '\0') + Le32(0);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    end = end == std::string::npos ? text.size() : end + 2;
    out.push_back(text.substr(at, end - at));
    at = end;
  }
  return out;
}

Episode With(Episode e, const Values& values) {
  for (const auto& [field, value] : values) e.Set(field, value);
  return e;
}

void RunCases(const std::vector<AdminCase>& cases) {
  CheckFixture fixture;
  for (const AdminCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Episode base = c.test_type == kCma ? CleanCmaEpisode() : CleanEpisode();
    const int target = std::stoi(c.entry.substr(0, 2));
    CheckResult r = fixture.CheckEpisode(With(base, c.raise), c.test_type);
    ASSERT_EQ(r.Errors(), c.raised);
    std::size_t i = 0;
    while (c.raised[i] != target) ++i;
    EXPECT_EQ(r.raw[i], c.entry);
    std::vector<std::string> lines = Lines(r.errores);
    ASSERT_EQ(lines.size(), c.raised.size());
    EXPECT_EQ(Cp1252ToUtf8(lines[i]), Cp1252ToUtf8(c.line));

    CheckResult n = fixture.CheckEpisode(With(base, c.neighbour), c.test_type);
    EXPECT_EQ(n.Errors(), c.neighbour_errors) << "neighbour";
  }
}

// The clean episodes: history "123456" in a field of 12, discharge 10/03/2005
// (monthly) or 01/03/2005 (CMA).
const std::string kMonthly = "123456       10/03/2005 ";
const std::string kCmaDay = "123456       01/03/2005 ";

TEST(AdminErrorsTest, Origin) {
  RunCases({
    {"E11 outside 1..7", {{"PROCEDEN", "8"}}, {{"PROCEDEN", "7"}}, {1}, {},
     Entry(" 1", 1, 13), kMonthly + "E11  Procedencia incorrecta PROCEDEN=     8 TIPING=1\r\n"},
    {"E11 programmed from the emergency room", {{"TIPING", "2"}}, {{"TIPING", "2"}, {"PROCEDEN", "2"}},
     {1}, {}, Entry(" 1", 1, 13), kMonthly + "E11  Procedencia incorrecta PROCEDEN=     1 TIPING=2\r\n"},
    {"E12", {{"PROCEDEN", "1"}}, {{"PROCEDEN", "2"}}, {2}, {}, Entry(" 2", 1),
     kCmaDay + "E12  Procedencia incorrecta (CMA) PROCEDEN=     1 \r\n", kCma},
    {"E13", {{"FECNAC", "20050301"}}, {{"FECNAC", "20050228"}}, {3}, {}, Entry(" 3", 1, 12, 7),
     kMonthly + "E13  Procedencia incorrecta: Nacido en el hospital PROCEDEN=     1 "
                "FECING=20050301 FECNAC=20050301 edad =  0\r\n"},
    {"E21 blank", {{"PROCEDEN", "6"}}, {{"PROCEDEN", "6"}, {"PROCH", "02004"}}, {4}, {},
     Entry(" 4", 2, 1), kMonthly + "E21  Hospital de procedencia incorrecto PROCH=       PROCEDEN=6\r\n"},
    {"E21 not a provincial hospital", {{"PROCEDEN", "6"}, {"PROCH", "02030"}},
     {{"PROCEDEN", "6"}, {"PROCH", "02031"}}, {4}, {}, Entry(" 4", 2, 1),
     kMonthly + "E21  Hospital de procedencia incorrecto PROCH= 02030 PROCEDEN=6\r\n"},
  });
}

TEST(AdminErrorsTest, Identity) {
  RunCases({
    {"E41", {{"AFILISS", "001234567890"}}, {{"AFILISS", "011234567890"}}, {5}, {}, Entry(" 5", 3),
     kMonthly + "E41  Código afiliación Seguridad Social incorrecto AFILISS=001234567890 \r\n"_cp},
    {"E51", {{"HOSPITAL", "02013"}}, {{"HOSPITAL", "02012"}}, {6}, {}, Entry(" 6", 4),
     kMonthly + "E51  Código hospital incorrecto HOSPITAL= 02013 \r\n"_cp},
    {"E61", {{"HISTORIA", "0"}}, {{"HISTORIA", "1"}}, {7}, {}, Entry(" 7", 5),
     "0            10/03/2005 E61  Historia incorrecta HISTORIA=0            \r\n"},
    {"E71", {{"ASISTENC", "0412345"}}, {{"ASISTENC", "0512345"}}, {8}, {}, Entry(" 8", 6, 12),
     kMonthly + "E71  Número de asistencia incorrecto ASISTENC=0412345 FECING=20050301\r\n"_cp},
  });
}

TEST(AdminErrorsTest, Dates) {
  RunCases({
    {"E81", {{"FECNAC", ""}}, {{"FECNAC", "19700315"}}, {9}, {}, Entry(" 9", 7),
     kMonthly + "E81  Fecha de nacimiento vacía FECNAC=         \r\n"_cp},
    {"E82", {{"FECNAC", "19040228"}}, {{"FECNAC", "19040302"}}, {10}, {}, Entry("10", 7, 12),
     kMonthly + "E82  Edad mayor de 100 años FECNAC=19040228 Edad=101\r\n"_cp},
    {"E83", {{"PROCEDEN", "7"}, {"FECNAC", "20050302"}}, {{"PROCEDEN", "7"}, {"FECNAC", "20050301"}},
     {11}, {}, Entry("11", 7, 12),
     kMonthly + "E83  Fecha nacimiento > ingreso FECNAC=20050302 FECING=20050301\r\n"},
    {"E84", {{"PROCEDEN", "7"}, {"FECNAC", "20050311"}}, {{"PROCEDEN", "7"}, {"FECNAC", "20050310"}},
     {11, 12}, {11}, Entry("12", 7, 16),
     kMonthly + "E84  Fecha nacimiento > alta FECNAC=20050311 fecalt ->FECALT=20050310\r\n"},
    // A blank admission date is also no year for the episode number, and a
    // stay that no calendar can hold.
    {"E121", {{"FECING", ""}}, {{"FECING", "20050301"}}, {8, 19, 28}, {}, Entry("19", 12),
     kMonthly + "E121 Fecha de ingreso vacía FECING=         \r\n"_cp},
    {"E122", {{"FECALT", "20050228"}}, {{"FECALT", "20050301"}}, {20}, {}, Entry("20", 12, 16),
     "123456       28/02/2005 E122 Fecha ingreso > alta FECING=20050301 Alta=20050228\r\n"},
    {"E201", {{"FECALT", ""}}, {{"FECALT", "20050301"}}, {20, 12, 25}, {}, Entry("25", 16),
     "123456                  E201 Fecha de alta vacía FECALT=         \r\n"_cp},
  });
}

TEST(AdminErrorsTest, Patient) {
  RunCases({
    {"E91", {{"SEXO", "4"}}, {{"SEXO", "3"}}, {13}, {}, Entry("13", 8),
     kMonthly + "E91  Sexo incorrecto SEXO=     4 \r\n"},
    {"E92", {{"SEXO", "9"}}, {{"SEXO", "8"}}, {14}, {13}, Entry("14", 8),
     kMonthly + "E92  Sexo no debe ser desconocido SEXO=     9 \r\n"},
    {"E101", {{"RESIDE", "02003"}}, {{"RESIDE", "02002"}}, {15}, {}, Entry("15", 9),
     kMonthly + "E101 Residencia incorrecta RESIDE= 02003 \r\n"},
    {"E102", {{"RESIDE", "02999"}}, {{"RESIDE", "53999"}}, {16}, {15}, Entry("16", 9),
     kMonthly + "E102 Residencia inespecífica RESIDE= 02999 \r\n"_cp},
    {"E105", {{"OCUPACION", "002"}}, {{"OCUPACION", "010"}}, {17}, {}, Entry("17", 10),
     kMonthly + "E105 Ocupación incorrecta OCUPACION=   002 \r\n"_cp},
    {"E111", {{"REGFIN", "0"}}, {{"REGFIN", "1"}}, {18}, {}, Entry("18", 11),
     kMonthly + "E111 Régimen de financiación incorrecto REGFIN=     0 \r\n"_cp},
  });
}

TEST(AdminErrorsTest, AdmissionAndStay) {
  RunCases({
    {"E131", {{"PROCEDEN", "2"}, {"TIPING", "3"}}, {{"PROCEDEN", "2"}, {"TIPING", "2"}}, {21}, {},
     Entry("21", 13), kMonthly + "E131 Tipo de ingreso incorrecto TIPING=     3 \r\n"},
    {"E132", {{"TIPING", "2"}}, {{"TIPING", "3"}}, {22}, {}, Entry("22", 13),
     kCmaDay + "E132 CMA tipo de ingreso incorrecto TIPING=     2 \r\n", kCma},
    {"E202", {{"FECALT", "20060301"}}, {{"FECALT", "20060228"}}, {26}, {}, Entry("26", 12, 16),
     "123456       01/03/2006 E202 Estancia prolongada (>365) FECING=20050301 Alta=20060301\r\n"},
    {"E203", {{"FECALT", "20050303"}}, {{"FECALT", "20050302"}}, {27}, {}, Entry("27", 16, 12),
     "123456       03/03/2005 E203 Estancia > 1 día. No puede ser CMA FECALT=20050303 Ingr=20050301\r\n"_cp,
     kCma},
    {"E204", {{"FECALT", "20071126"}}, {{"FECALT", "20071125"}}, {28}, {26}, Entry("28", 12, 16),
     "123456       26/11/2007 E204 Estancia Incorrecta (>999) FECING=20050301 Alta=20071126\r\n"},
    {"E274", {{"FEINTV", ""}}, {{"FEINTV", "20050301"}}, {59}, {}, Entry("59", 53, 13),
     kCmaDay + "E274 Falta fecha de intervención (CMA) FEINTV=         TIPING=3\r\n"_cp, kCma},
  });
}

TEST(AdminErrorsTest, DischargeAndTransfer) {
  RunCases({
    {"E211", {{"TIPALT", "0"}}, {{"TIPALT", "1"}}, {29}, {}, Entry("29", 17),
     kMonthly + "E211 Tipo de alta incorrecto TIPALT=     0 \r\n"},
    {"E221", {{"TIPALT", "2"}, {"TRASH", "02030"}}, {{"TIPALT", "2"}, {"TRASH", "02031"}}, {30}, {},
     Entry("30", 18), kMonthly + "E221 Código traslado incorrecto TRASH= 02030 \r\n"_cp},
    {"E222", {{"TRASH", "99999"}}, {{"TRASH", "99999"}, {"TIPALT", "2"}}, {31}, {},
     Entry("31", 18, 17),
     kMonthly + "E222 Traslado con tipo de alta incorrecto TRASH= 99999 TipAlt=1\r\n"},
    {"E151", {{"SERVING", "70101"}}, {{"SERVING", "70100"}}, {23}, {}, Entry("23", 14),
     kMonthly + "E151 Servicio ingreso incorrecto SERVING= 70101 \r\n"},
    {"E181", {{"SERVALT", "70553"}}, {{"SERVALT", "70552"}}, {24}, {}, Entry("24", 15),
     kMonthly + "E181 Servicio alta incorrecto SERVALT= 70553 \r\n"},
  });
}

}  // namespace
}  // namespace quirovel::testing
