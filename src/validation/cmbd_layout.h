// The CMBD-A record: 63 fields numbered 1 (PROCEDEN) to 63 (ESTURG). Field
// numbers identify fields everywhere, the error log included.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quirovel {

inline constexpr int kCmbdFieldCount = 63;

// Field numbers used by name across the program.
// clang-format off
enum CmbdField : int {
  PROCEDEN = 1, PROCH, AFILISS, HOSPITAL, HISTORIA, ASISTENC, FECNAC, SEXO, RESIDE, OCUPACION,
  REGFIN, FECING, TIPING, SERVING, SERVALT, FECALT, TIPALT, TRASH,
  C1 = 19, C15 = 33, CE = 34, CE2, CE3, CE4, P1 = 38, P15 = 52,
  FEINTV = 53, FECPART, TGESTAC, PESO1N, SEXO1N, PESO2N, SEXO2N, PESO3N, SEXO3N, ESTUCI, ESTURG
};
// clang-format on

// The 63 definition texts ("PROCEDEN#N1" ... "ESTURG#N1"); entry k - 1 is field k.
extern const std::array<std::string_view, kCmbdFieldCount> kCmbdLayout;
// The bare names ("PROCEDEN" ... "ESTURG"); entry k - 1 is field k.
extern const std::array<std::string_view, kCmbdFieldCount> kCmbdFieldNames;
// The 27 definitions of major ambulatory surgery files ("HOSPITAL#C5" twice).
extern const std::array<std::string_view, 27> kCmaLayout;

// Name of field k (1..63); empty outside the range, which a log entry's
// unsigned field slot may be far beyond.
std::string_view CmbdFieldName(std::int64_t k);
// Whether field k holds a diagnosis, an external cause or a procedure.
inline bool IsCmbdCodeField(std::int64_t k) { return k >= C1 && k <= P15; }
// Layout width of field k (1..63); 0 outside the range.
int CmbdFieldWidth(int k);
// Field number of a bare name, or 0.
int CmbdFieldNumber(std::string_view name);

}  // namespace quirovel
