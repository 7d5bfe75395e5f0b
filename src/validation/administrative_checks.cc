// The per-episode check. The order of the steps is the order of the entries
// in the error log and of the lines of "errores.txt", so it is kept as is.
#include <cstdlib>

#include "storage/dates.h"
#include "validation/check_context.h"
#include "validation/checks.h"
#include "validation/code_text.h"
#include "validation/error_numbers.h"
#include "validation/hospital_codes.h"
#include "validation/service_codes.h"
#include "validation/seterr.h"

namespace quirovel {
namespace {

constexpr std::string_view kFiveBlanks = "     ";

long DaysFromTo(const CmbdText& from, const CmbdText& to) {
  return DaysBetween(SplitDate(to.view()), SplitDate(from.view()));
}

void CheckOrigin(CheckContext& c, const CmbdRecord& r, int t) {
  if (!c.field_map.Present(PROCEDEN)) return;
  const int p = r.PROCEDEN;
  if (t == kCma) {
    if (p != 2 && p != 3 && p != 6) SETERR(c, kE12, PROCEDEN);
    return;
  }
  if (p < 1 || p > 7 || (r.TIPING == 2 && (p == 1 || p == 4 || p == 5))) SETERR(c, kE11, PROCEDEN);
  // Born on the day of admission: only a newborn of this hospital or one
  // brought from another centre may be.
  if (SameText(r.FECNAC.view(), r.FECING.view()) && p != 6 && p != 7) SETERR(c, kE13, PROCEDEN);
}

bool HospitalAccepted(const CheckContext& c, std::string_view code) {
  return HospitalCodeAccepted(code, c.config.HospitalCodeView(), c.references.hospitals);
}

void CheckOriginHospital(CheckContext& c, const CmbdRecord& r) {
  if (!c.field_map.Present(PROCH)) return;
  const std::string_view proch = r.PROCH.view();
  if (SameText(proch, kFiveBlanks)) {
    if (r.PROCEDEN == 6) SETERR(c, kE21, PROCH);
    return;
  }
  const bool valid = r.PROCEDEN == 6 && IsDigitsField(proch, 5) && r.PROCH[0] != ' ' &&
                     IntegerValue(proch) > 0 && HospitalAccepted(c, proch);
  if (!valid) SETERR(c, kE21, PROCH);
}

void CheckIdentity(CheckContext& c, const CmbdRecord& r) {
  const std::string_view afiliss = r.AFILISS.view();
  if (!(IsDigitsField(afiliss, 1) && r.AFILISS[0] != ' ' && !BeginsWithText(afiliss, "00") &&
        afiliss.size() >= 12))
    SETERR(c, kE41, AFILISS);

  const std::string_view hospital = r.HOSPITAL.view();
  if (!(InTextRange(hospital, "02003", "02054") && SameText(hospital, c.config.HospitalCodeView())))
    SETERR(c, kE51, HOSPITAL);

  const std::string_view historia = r.HISTORIA.view();
  bool valid;
  if (BeginsWithText(historia, "AN")) {
    valid =
        IntegerValue(historia.substr(2)) > 0 && historia.size() == 12 && CountDigits(historia, 10);
  } else {
    valid = IsDigitsField(historia, 1) && r.HISTORIA[0] != ' ' && IntegerValue(historia) > 0;
  }
  if (!valid) SETERR(c, kE61, HISTORIA);

  // The episode number begins with the last two digits of the admission year.
  const CmbdText& asistenc = r.ASISTENC;
  if (!(IsDigitsField(asistenc.view(), 7) && asistenc[0] == r.FECING[2] &&
        asistenc[1] == r.FECING[3]))
    SETERR(c, kE71, ASISTENC);
}

void CheckDates(CheckContext& c, const CmbdRecord& r) {
  if (IntegerValue(r.FECING.view()) == 0) {
    SETERR(c, kE121, FECING);
  } else {
    if (CompareText(r.FECNAC.view(), r.FECING.view()) > 0) SETERR(c, kE83, FECNAC);
    if (CompareText(r.FECING.view(), r.FECALT.view()) > 0) SETERR(c, kE122, FECING);
  }
  if (CompareText(r.FECNAC.view(), r.FECALT.view()) > 0) SETERR(c, kE84, FECNAC);
  if (IntegerValue(r.FECNAC.view()) == 0)
    SETERR(c, kE81, FECNAC);
  else if (r.AgeYears > 100)
    SETERR(c, kE82, FECNAC);
}

void CheckPatient(CheckContext& c, const CmbdRecord& r) {
  if (r.SEXO != 1 && r.SEXO != 2 && r.SEXO != 3 && r.SEXO != 9) SETERR(c, kE91, SEXO);
  if (r.SEXO == 9) SETERR(c, kE92, SEXO);

  PostalCodeTable& postal = c.references.postal_codes;
  if (postal.PostalCodeKnown(r.RESIDE) == 0)
    SETERR(c, kE101, RESIDE);
  else if (postal.ProvinceOnly())
    SETERR(c, kE102, RESIDE);

  if (IntegerValue(r.OCUPACION.view()) <= 0 ||
      !c.references.occupations.Contains(r.OCUPACION.view()))
    SETERR(c, kE105, OCUPACION);
  if (r.REGFIN == 0) SETERR(c, kE111, REGFIN);
}

void CheckStay(CheckContext& c, const CmbdRecord& r, int t) {
  if (r.StayYears > 0) {
    if (std::labs(DaysFromTo(r.FECING, r.FECALT)) > 999)
      SETERR(c, kE204, FECING);
    else
      SETERR(c, kE202, FECING);
  }
  if (t == kCma) {
    if (r.TIPING != 3) SETERR(c, kE132, TIPING);
    if (DaysFromTo(r.FECING, r.FECALT) > 1) SETERR(c, kE203, FECALT);
    if (r.FEINTV[0] == ' ') SETERR(c, kE274, FEINTV);
  } else if (r.TIPING < 1 || r.TIPING > 2) {
    SETERR(c, kE131, TIPING);
  }
  if (IntegerValue(r.FECALT.view()) == 0) SETERR(c, kE201, FECALT);
  if (r.TIPALT == 0 || r.TIPALT > 9) SETERR(c, kE211, TIPALT);
}

void CheckTransfer(CheckContext& c, const CmbdRecord& r) {
  const std::string_view trash = r.TRASH.view();
  if (SameText(trash, kFiveBlanks)) {
    if (r.TIPALT == 2) {
      SETERR(c, kE222, TRASH);
      SETERR(c, kE221, TRASH);
    }
    return;
  }
  if (!(IsDigitsField(trash, 5) && HospitalAccepted(c, trash))) SETERR(c, kE221, TRASH);
  if (r.TIPALT != 2) SETERR(c, kE222, TRASH);
}

void CheckServices(CheckContext& c, const CmbdRecord& r) {
  if (!IsServiceCode(r.SERVALT.view()) || r.SERVALT[0] == ' ') SETERR(c, kE181, SERVALT);
  if (!IsServiceCode(r.SERVING.view()) || r.SERVING[0] == ' ') SETERR(c, kE151, SERVING);
}

}  // namespace

void CheckAdministrative(CheckContext& c) {
  const CmbdRecord& r = c.record;
  const int t = c.run.TestType;
  ++c.run.EpisodesChecked;

  CheckOrigin(c, r, t);
  CheckOriginHospital(c, r);
  CheckIdentity(c, r);
  CheckDates(c, r);
  CheckPatient(c, r);
  CheckStay(c, r, t);
  CheckStays(c);
  for (int f = C1; f <= P15; ++f) CheckCodeField(c, f);
  CheckInterventionDates(c);
  CheckMainDiagnosisService(c);
  CheckTransfer(c, r);
  CheckServices(c, r);

  // Entries go out before the run reads the next episode.
  FlushErrorLog(c.run, c.feedback);
}

}  // namespace quirovel
