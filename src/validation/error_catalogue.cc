#include "validation/error_catalogue.h"

#include <array>

#include "platform/cp1252.h"
#include "validation/cmbd_layout.h"
#include "validation/error_numbers.h"

namespace quirovel {
namespace {

using D = ErrorDetail;

constexpr ErrorInfo One(const char* text, int field, int r1, int r2, D detail, int detail_field,
                        const char* prefix, unsigned char tests) {
  return {text, field, field, 1, r1, r2, detail, detail_field, prefix, tests};
}
constexpr ErrorInfo Range(const char* text, int low, int high, int step, int r1, int r2, D detail,
                          int detail_field, const char* prefix, unsigned char tests) {
  return {text, low, high, step, r1, r2, detail, detail_field, prefix, tests};
}

constexpr unsigned char kMonthly = kMaskMensual | kMaskTrimestral;
constexpr int kC2 = C1 + 1, kP15 = P15, kCE4 = CE4;

// Entry 0 stands for any number outside the catalogue. One entry a line.
// clang-format off
constexpr std::array<ErrorInfo, kCatalogueSize + 1> kCatalogue = {{
    One("", 0, 0, 0, D::kNone, 0, "", 0),
    One("E11  Procedencia incorrecta", PROCEDEN, TIPING, 0, D::kNamedRaw1, TIPING, "", kMonthly),
    One("E12  Procedencia incorrecta (CMA)", PROCEDEN, 0, 0, D::kNone, 0, "", kMaskCma),
    One("E13  Procedencia incorrecta: Nacido en el hospital", PROCEDEN, FECING, FECNAC, D::kBirthAge, 0, "", kMonthly),
    One("E21  Hospital de procedencia incorrecto", PROCH, PROCEDEN, 0, D::kNamedRaw1, PROCEDEN, "", kMaskAll),
    One("E41  Código afiliación Seguridad Social incorrecto"_cp, AFILISS, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E51  Código hospital incorrecto"_cp, HOSPITAL, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E61  Historia incorrecta", HISTORIA, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E71  Número de asistencia incorrecto"_cp, ASISTENC, FECING, 0, D::kNamedRaw6, FECING, "", kMaskAll),
    One("E81  Fecha de nacimiento vacía"_cp, FECNAC, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E82  Edad mayor de 100 años"_cp, FECNAC, FECING, 0, D::kAge, 0, "", kMaskAll),
    One("E83  Fecha nacimiento > ingreso", FECNAC, FECING, 0, D::kNamedRaw6, FECING, "", kMaskAll),
    One("E84  Fecha nacimiento > alta", FECNAC, FECALT, 0, D::kFecalt, FECALT, "", kMaskAll),
    One("E91  Sexo incorrecto", SEXO, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E92  Sexo no debe ser desconocido", SEXO, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E101 Residencia incorrecta", RESIDE, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E102 Residencia inespecífica"_cp, RESIDE, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E105 Ocupación incorrecta"_cp, OCUPACION, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E111 Régimen de financiación incorrecto"_cp, REGFIN, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E121 Fecha de ingreso vacía"_cp, FECING, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E122 Fecha ingreso > alta", FECING, FECALT, 0, D::kPrefixedRaw, FECALT, "Alta=", kMaskAll),
    One("E131 Tipo de ingreso incorrecto", TIPING, 0, 0, D::kNone, 0, "", kMonthly),
    One("E132 CMA tipo de ingreso incorrecto", TIPING, 0, 0, D::kNone, 0, "", kMaskCma),
    One("E151 Servicio ingreso incorrecto", SERVING, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E181 Servicio alta incorrecto", SERVALT, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E201 Fecha de alta vacía"_cp, FECALT, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E202 Estancia prolongada (>365)", FECING, FECALT, 0, D::kPrefixedRaw, FECALT, "Alta=", kMaskAll),
    One("E203 Estancia > 1 día. No puede ser CMA"_cp, FECALT, FECING, 0, D::kPrefixedRaw, FECING, "Ingr=", kMaskCma),
    One("E204 Estancia Incorrecta (>999)", FECING, FECALT, 0, D::kPrefixedRaw, FECALT, "Alta=", kMaskAll),
    One("E211 Tipo de alta incorrecto", TIPALT, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E221 Código traslado incorrecto"_cp, TRASH, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E222 Traslado con tipo de alta incorrecto", TRASH, TIPALT, 0, D::kPrefixedRaw, TIPALT, "TipAlt=", kMaskAll),
    One("E230 Diagnóstico principal vacío"_cp, C1, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E231 Diagnóstico principal no es CIE-9-MC"_cp, C1, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E232 Diagnóstico principal no válido"_cp, C1, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E233 No puede ser diagnóstico principal"_cp, C1, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E234 Patología obstétrica, error servicio alta"_cp, C1, SERVALT, 0, D::kPrefixedRaw, SERVALT, "Serv=", kMaskAll),
    One("E235 Patología perinatal, error servicio alta"_cp, C1, SERVALT, 0, D::kPrefixedRaw, SERVALT, "Serv=", kMaskAll),
    One("E236 Parto Normal con edad >= 35", C1, FECING, FECNAC, D::kBirthAge, 0, "", kMaskAll),
    One("E237 Parto Normal con tiempo de gestación <= 36 o >= 40"_cp, C1, TGESTAC, 0, D::kNamedRaw, TGESTAC, "", kMaskAll),
    Range("E241 Diagnóstico secundario no es CIE-9-MC"_cp, kC2, C15, 1, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E242 Diagnóstico secundario no válido"_cp, kC2, C15, 1, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E243 Parto con código V incorrecto"_cp, C1, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E244 Diagnóstico con edad incorrecta"_cp, C1, C15, 1, FECNAC, FECING, D::kAge, 0, "", kMaskAll),
    Range("E245 Diagnóstico con sexo incorrecto"_cp, C1, C15, 1, SEXO, 0, D::kSexNumber, 0, "", kMaskAll),
    Range("E251 Código E no es CIE-9-MC"_cp, CE, kCE4, 1, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E252 Código E no válido"_cp, CE, kCE4, 1, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E253 Falta código E"_cp, C1, C15, 1, CE, 0, D::kPrefixedRaw, CE, "CE=", kMaskAll),
    One("E254 Mútua Tráfico, Código E incorrecto"_cp, CE, REGFIN, 0, D::kPrefixedRaw, REGFIN, "RegFin=", kMaskAll),
    Range("E261 Procedimiento no es CIE-9-MC", P1, kP15, 1, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E262 Procedimiento no válido"_cp, P1, kP15, 1, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E263 Procedimiento con edad incorrecta", P1, kP15, 1, FECNAC, FECING, D::kAge, 0, "", kMaskAll),
    Range("E264 Procedimiento con sexo incorrecto", P1, kP15, 1, SEXO, 0, D::kSexNumber, 0, "", kMaskAll),
    One("E265 Falta procedimiento principal (CMA)", P1, 0, 0, D::kNone, 0, "", kMaskCma),
    One("E266 Procedimiento no quirúrgico"_cp, P1, 0, 0, D::kNone, 0, "", kMaskTrimestral | kMaskCma),
    One("E270 Fecha intervención inespecífica"_cp, FEINTV, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E271 Fecha intervención < Fecha ingreso"_cp, FEINTV, FECING, 0, D::kPrefixedRaw, FECING, "Ingr=", kMaskAll),
    One("E272 Fecha intervención > Fecha de alta"_cp, FEINTV, FECALT, 0, D::kPrefixedRaw, FECALT, "Alta=", kMaskAll),
    One("E273 Falta fecha de intervención"_cp, P1, FEINTV, TIPING, D::kIntervention, 0, "", kMaskAll),
    One("E274 Falta fecha de intervención (CMA)"_cp, FEINTV, TIPING, 0, D::kNamedRaw1, TIPING, "", kMaskCma),
    One("E275 Intervención quirúrgica con fecha desconocida"_cp, P1, FEINTV, TIPING, D::kIntervention, 0, "", kMaskAll),
    One("E281 Falta fecha de parto", C1, FECPART, 0, D::kNamedRaw, FECPART, "", kMaskAll),
    One("E282 Parto anterior al ingreso", FECPART, FECING, 0, D::kPrefixedRaw, FECING, "Ingr=", kMaskAll),
    One("E283 Parto posterior al alta", FECPART, FECALT, 0, D::kPrefixedRaw, FECALT, "Alta=", kMaskAll),
    One("E291 Tiempo de gestación incorrecto"_cp, TGESTAC, C1, 0, D::kNone, 0, "", kMaskAll),
    One("E292 Tiempo de gestación inespecífico"_cp, TGESTAC, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E301 Peso neonatal incorrecto", PESO1N, PESO3N, 2, C1, 0, D::kNone, 0, "", kMaskAll),
    Range("E303 Peso inespecífico"_cp, PESO1N, PESO3N, 2, 0, 0, D::kNone, 0, "", kMaskAll),
    Range("E311 Sexo neonatal incorrecto", SEXO1N, SEXO3N, 2, C1, 0, D::kNone, 0, "", kMaskAll),
    Range("E312 Sexo inespecifico 9", SEXO1N, SEXO3N, 2, C1, 0, D::kNone, 0, "", kMaskAll),
    One("E321 Estancia en UCI prolongada", ESTUCI, 0, 0, D::kNone, 0, "", kMaskAll),
    One("E331 Estancia en urgencias prolongada", ESTURG, 0, 0, D::kNone, 0, "", kMaskAll),
}};
// clang-format on

// True when the entry's text begins with the code "E<code>" and a blank.
constexpr bool CarriesCode(const char* text, int code) {
  char digits[4] = {};
  int n = 0;
  for (int rest = code; rest > 0; rest /= 10) digits[n++] = static_cast<char>('0' + rest % 10);
  if (text[0] != 'E') return false;
  for (int i = 0; i < n; ++i)
    if (text[1 + i] != digits[n - 1 - i]) return false;
  return text[1 + n] == ' ';
}

// Every number the checks use names the entry of its code.
#define QUIROVEL_CHECK_ERROR_CODE(code) \
  static_assert(CarriesCode(kCatalogue[kE##code].text, code), "kE" #code " is not E" #code);
QUIROVEL_ERROR_CODES(QUIROVEL_CHECK_ERROR_CODE)
#undef QUIROVEL_CHECK_ERROR_CODE

}  // namespace

const ErrorInfo& CatalogueEntry(int e) {
  return kCatalogue[e >= 1 && e <= kCatalogueSize ? static_cast<std::size_t>(e) : 0];
}

std::string_view ErrorText(int e) { return CatalogueEntry(e).text; }

std::string_view ErrorCode(int e) {
  std::string_view text = ErrorText(e);
  return text.substr(0, text.find(' '));
}

bool IsOwnField(int e, int f) {
  const ErrorInfo& info = CatalogueEntry(e);
  if (info.field_low == 0 || f < info.field_low || f > info.field_high) return false;
  return (f - info.field_low) % info.field_step == 0;
}

bool CarriesNotInVersionMark(int e) { return e == kE231 || e == kE241 || e == kE251 || e == kE261; }

}  // namespace quirovel
