// The period of page "Utilidades": its two date fields, shared by the
// out-of-range listing, the readmission analysis and the export. Each date is
// an AAAAMMDD text ("%4d%02d%02d" of the field) and the number that text reads as.
#pragma once

#include <string>
#include <string_view>

#include "platform/feedback.h"

namespace quirovel {

struct AnalysisPeriod {
  std::string start_text;  // AAAAMMDD
  std::string end_text;
  long start = 0;
  long end = 0;
};

// The period of two AAAAMMDD texts, as the page's date fields give them.
AnalysisPeriod PeriodOf(std::string_view start, std::string_view end);

// Today's date as AAAAMMDD, local time: what the date fields show when the page opens.
std::string TodayDate();

// The two warnings of a period that the operations show and go on after:
// "Rango de fechas incorrecto" when the start is later than the end, "Fecha
// hasta incorrecta" when the end is later than `today` (AAAAMMDD).
void WarnAboutPeriod(Feedback& feedback, const AnalysisPeriod& period, std::string_view today);

}  // namespace quirovel
