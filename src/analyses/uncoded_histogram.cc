#include "analyses/uncoded_histogram.h"

#include <algorithm>
#include <cstdlib>

#include "platform/cp1252.h"
#include "storage/dates.h"

namespace quirovel {
namespace {

SplitDateParts Parts(long date) {
  return {static_cast<int>(date / 10000), static_cast<int>(date / 100 % 100),
          static_cast<int>(date % 100)};
}

}  // namespace

bool IsCalendarDate(long date) {
  if (date < 10000101 || date > 99991231) return false;
  const SplitDateParts p = Parts(date);
  if (p.month < 1 || p.month > 12 || p.day < 1) return false;
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (p.day > kDays[p.month - 1]) return false;
  const bool leap = (p.year % 4 == 0 && p.year % 100 != 0) || p.year % 400 == 0;
  return p.month != 2 || p.day <= 28 || leap;
}

UncodedHistogram DayHistogram(const std::map<long, std::int32_t>& episodes_by_date,
                              Feedback& feedback) {
  UncodedHistogram h;
  long smallest = 0, largest = 0;
  for (const auto& [date, count] : episodes_by_date) {
    if (!IsCalendarDate(date) || count == 0) continue;
    if (smallest == 0) smallest = date;  // the map is in date order
    largest = date;
  }
  if (smallest == 0) return h;  // no episode: no bars, nothing to say
  long range = std::labs(DaysBetween(Parts(largest), Parts(smallest))) + 1;
  if (range > kHistogramDays) {
    feedback.Message(
        "Rango de fecha muy grande para representar la gráfica de altas no codificadas.\n"
        "(Max 1 año)"_cp);
    h.too_wide = true;
    range = 364;
  }
  for (const auto& [date, count] : episodes_by_date) {
    if (!IsCalendarDate(date)) continue;
    const long d = std::labs(DaysBetween(Parts(date), Parts(smallest)));
    if (d < kHistogramDays) h.counters[static_cast<std::size_t>(d)] += count;
  }
  h.bars = static_cast<int>(std::min<long>(range + 2, kHistogramDays));
  h.first_date = smallest;
  h.last_date = largest;
  return h;
}

}  // namespace quirovel
