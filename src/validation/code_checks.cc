// The 34 code fields of an episode against the CIE-9-MC catalogue of the
// version in use, and the episode-wide coding checks that follow them.
//
// Every column test reads the attributes record the lookup of the same field
// left positioned, so nothing between the lookup and the last column test may
// touch the catalogue. Nothing here allocates: the checks run up to 34 times
// per episode.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "validation/check_context.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"
#include "validation/code_text.h"
#include "validation/error_numbers.h"

namespace quirovel {
namespace {

constexpr std::string_view kSixBlanks = "      ";
constexpr std::string_view kUnknownInterventionDate = "99990909";

const CmbdText& CodeText(const CmbdRecord& r, int f) {
  if (f <= C15) return r.C[static_cast<std::size_t>(f - C1)];
  if (f <= CE4) return r.CE[static_cast<std::size_t>(f - CE)];
  return r.P[static_cast<std::size_t>(f - P1)];
}

// The validity character of column 3 for the version in use. A column too
// short to hold that position says nothing about the version: read as blank.
char VersionChar(std::string_view column3, int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= column3.size()) return ' ';
  return column3[static_cast<std::size_t>(position)];
}

// The "no es CIE-9-MC" error of each kind of field.
int NotCieError(int f) {
  if (f == C1) return kE231;
  if (f <= C15) return kE241;
  if (f <= CE4) return kE251;
  return kE261;
}

// A blank (or missing) sex column is no restriction.
bool SexAllowed(std::string_view column5, std::int32_t sexo) {
  return IsBlankText(column5) || IntegerValue(column5) == sexo;
}

// Procedures honour only the newborn and fertile-age classes.
bool AgeAllowed(const CmbdRecord& r, long age_class, bool procedure) {
  switch (age_class) {
    case 1:
      return (r.AgeYears == 0 && r.AgeMonths < 2) || r.AgeYears < 0;
    case 2:
      return procedure || r.AgeYears < 25;
    case 3:
      return r.AgeYears >= 13 && r.AgeYears <= 49;
    case 4:
      return procedure || r.AgeYears > 50;
    default:
      return true;
  }
}

bool IsTrafficCause(std::string_view code) { return InTextRange(code, "E810  ", "E829.9 "); }

bool IsInjury(std::string_view code) { return InTextRange(code, "800   ", "999.9 "); }

void CheckProcedure(CheckContext& c, int f, std::string_view code, bool not_valid) {
  const CmbdRecord& r = c.record;
  const CieCatalogue& cat = c.catalogue;
  if (!AgeAllowed(r, IntegerValue(cat.Column(6)), true)) SETERR(c, kE263, f);
  if (!SexAllowed(cat.Column(5), r.SEXO)) SETERR(c, kE264, f);
  const bool surgical = BeginsWith(cat.Column(8), 'T');
  if (f == P1 && (c.run.TestType == kTrimestral || c.run.TestType == kCma) && !surgical)
    SETERR(c, kE266, f);
  if (f == P1 && r.TIPING == 2 && surgical) {
    if (IsBlankText(r.FEINTV)) SETERR(c, kE273, f);
    if (SameText(r.FEINTV.view(), kUnknownInterventionDate)) SETERR(c, kE275, f);
  }
  const bool shaped = IsProcedureShaped(code);
  if (!shaped) SETERR(c, kE261, f);
  if (not_valid || !shaped) SETERR(c, kE262, f);
}

void CheckDiagnosis(CheckContext& c, int f, std::string_view code, bool not_valid) {
  const CmbdRecord& r = c.record;
  const CieCatalogue& cat = c.catalogue;
  const bool shaped = IsProcedureShaped(code);
  if (shaped) SETERR(c, f == C1 ? kE231 : kE241, f);
  if (!SexAllowed(cat.Column(5), r.SEXO)) SETERR(c, kE245, f);
  if (!AgeAllowed(r, IntegerValue(cat.Column(6)), false)) SETERR(c, kE244, f);
  if (IsInjury(code) && SameText(r.CE[0].view(), kSixBlanks) &&
      SameText(r.CE[1].view(), kSixBlanks) && SameText(r.CE[2].view(), kSixBlanks) &&
      SameText(r.CE[3].view(), kSixBlanks))
    SETERR(c, kE253, f);
  if (f != C1) {
    if (not_valid || shaped) SETERR(c, kE242, f);
    return;
  }
  if (not_valid) SETERR(c, kE232, f);
  if (BeginsWith(cat.Column(4), 'F')) SETERR(c, kE233, f);
  CheckDeliveryAndNewborn(c);
}

void CheckExternalCause(CheckContext& c, int f, std::string_view code, bool not_valid) {
  const CmbdRecord& r = c.record;
  if (!BeginsWith(code, 'E') || not_valid) SETERR(c, kE252, f);
  if (f == CE && r.REGFIN == 2 && !IsTrafficCause(r.CE[0]) && !IsTrafficCause(r.CE[1]) &&
      !IsTrafficCause(r.CE[2]) && !IsTrafficCause(r.CE[3]))
    SETERR(c, kE254, f);
}

// A blank field: only the main diagnosis, the main external cause of a
// traffic-insured episode and the main procedure of major ambulatory surgery
// are required.
void CheckBlankField(CheckContext& c, int f) {
  const CmbdRecord& r = c.record;
  if (f == C1) {
    SETERR(c, kE230, f);
  } else if (f == CE) {
    if (r.REGFIN == 2 && IsBlankText(r.CE[1]) && IsBlankText(r.CE[2]) && IsBlankText(r.CE[3]))
      SETERR(c, kE254, f);
  } else if (f == P1) {
    if (c.run.TestType == kCma) SETERR(c, kE265, f);
  }
}

}  // namespace

void CheckCodeField(CheckContext& c, int f) {
  c.run.NotInVersionMark = 0;
  if (f < C1 || f > P15) return;
  const std::string_view code = CodeText(c.record, f);
  if (IsBlankText(code)) {
    CheckBlankField(c, f);
    return;
  }
  const bool procedure = f >= P1;
  CieCatalogue& cat = c.catalogue;
  const bool found = (procedure ? cat.FindProcedure(code) : cat.FindDiagnosis(code)) != 0;
  const char validity = found ? VersionChar(cat.Column(3), c.run.VersionPosition) : ' ';
  if (validity == ' ') {
    // The mark tells a code of another edition from one that exists in none;
    // it belongs to this one error only, never to a later finding.
    c.run.NotInVersionMark = found ? 1 : 0;
    SETERR(c, NotCieError(f), f);
    c.run.NotInVersionMark = 0;
    return;
  }
  const bool not_valid = validity == 'F';
  if (procedure)
    CheckProcedure(c, f, code, not_valid);
  else if (f >= CE)
    CheckExternalCause(c, f, code, not_valid);
  else
    CheckDiagnosis(c, f, code, not_valid);
}

void CheckInterventionDates(CheckContext& c) {
  const CmbdRecord& r = c.record;
  if (IsBlankText(r.FEINTV)) return;
  if (CompareText(r.FEINTV.view(), r.FECING.view()) < 0) SETERR(c, kE271, FEINTV);
  if (CompareText(r.FEINTV.view(), r.FECALT.view()) > 0) SETERR(c, kE272, FEINTV);
  if (SameText(r.FEINTV.view(), kUnknownInterventionDate)) SETERR(c, kE270, FEINTV);
}

void CheckMainDiagnosisService(CheckContext& c) {
  const CmbdRecord& r = c.record;
  // The chapter is the number before the point; V and E codes read as 0.
  const long chapter = IntegerValue(r.C[0]);
  const std::string_view servalt = r.SERVALT.view();
  if (chapter >= 630 && chapter <= 679 && servalt != "70552") SETERR(c, kE234, C1);
  // Perinatal conditions belong to the neonatal services. The service is
  // looked for anywhere in the list text, as the list has always been read.
  constexpr std::string_view kNeonatalServices = "70440 70441 70392";
  if (chapter >= 760 && chapter <= 779 && kNeonatalServices.find(servalt) == std::string_view::npos)
    SETERR(c, kE235, C1);
}

}  // namespace quirovel
