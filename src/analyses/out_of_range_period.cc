#include "analyses/out_of_range_period.h"

#include <ctime>

#include "storage/dates.h"

namespace quirovel {

AnalysisPeriod PeriodOf(std::string_view start, std::string_view end) {
  AnalysisPeriod p;
  p.start_text = start;
  p.end_text = end;
  p.start = DecimalValue(start);
  p.end = DecimalValue(end);
  return p;
}

std::string TodayDate() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y%m%d", &local);
  return text;
}

void WarnAboutPeriod(Feedback& feedback, const AnalysisPeriod& period, std::string_view today) {
  if (period.start > period.end) feedback.Message("Rango de fechas incorrecto");
  if (period.end > DecimalValue(today)) feedback.Message("Fecha hasta incorrecta");
}

}  // namespace quirovel
