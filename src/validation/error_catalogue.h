// The 71 errors a detection run can record, numbered 1 to 71. The number is
// an error's identity everywhere: in the error log, in the per-test-type
// switches of the configuration (row e - 1) and in the counters.
#pragma once

#include <string_view>

namespace quirovel {

inline constexpr int kCatalogueSize = 71;

// Test types in which the check itself can raise an error (a bit per type).
enum TestMask : unsigned char {
  kMaskMensual = 1,
  kMaskTrimestral = 2,
  kMaskCma = 4,
  kMaskAll = 7,
};

// How the line of "errores.txt" ends for an error, after the common part.
enum class ErrorDetail : unsigned char {
  kNone,          // "\n"
  kNamedRaw1,     // "%s=%1s\n"   name and raw text of the first related field
  kNamedRaw6,     // "%s=%6s\n"
  kNamedRaw,      // "%s=%s\n"
  kBirthAge,      // "%s=%s " FECING, then "%s=%s edad =%3d\n" FECNAC and the age
  kAge,           // "Edad=%3d\n"
  kFecalt,        // "fecalt ->%s=%6s\n" FECALT
  kPrefixedRaw,   // prefix, then "%s\n" with the raw text of detail_field
  kSexNumber,     // "Sexo=%d\n" with the decoded SEXO
  kIntervention,  // "Intv=%s " raw FEINTV, then "%s=%1s\n" TIPING
};

struct ErrorInfo {
  const char* text;  // Windows-1252, "E11  Procedencia incorrecta"
  // The field the checks record it against: one field (low = high), a range
  // of code fields, or the three newborn weights or sexes (step 2).
  int field_low, field_high, field_step;
  int related1, related2;  // stored in the entry's slots at offsets 8 and 12
  ErrorDetail detail;
  int detail_field;     // the field whose raw text (or name) the detail shows
  const char* prefix;   // for kPrefixedRaw: "Alta=", "Ingr=", ...
  unsigned char tests;  // TestMask
};

// Entry e (1..71). Outside the range, an entry with an empty text.
const ErrorInfo& CatalogueEntry(int e);
// Text of error e, empty outside 1..71.
std::string_view ErrorText(int e);
// The error's code alone ("E11", "E331").
std::string_view ErrorCode(int e);
// True when error e may be recorded against field f.
bool IsOwnField(int e, int f);
// Error numbers whose entry carries the NotInVersionMark (E231, E241, E251, E261).
bool CarriesNotInVersionMark(int e);

}  // namespace quirovel
