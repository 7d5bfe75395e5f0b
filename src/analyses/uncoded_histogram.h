// How a set of episodes spreads over the days of a period, one counter per
// day: the distribution of the uncoded discharges and of the admissions of
// the episode table, which the distribution graph draws.
#pragma once

#include <array>
#include <cstdint>
#include <map>

#include "platform/feedback.h"

namespace quirovel {

inline constexpr int kHistogramDays = 366;

struct UncodedHistogram {
  std::array<std::int32_t, kHistogramDays> counters{};  // counter d: day d of the period
  int bars = 0;                                         // 0: nothing to draw
  long first_date = 19000101;                           // AAAAMMDD
  long last_date = 19000101;
  bool too_wide = false;  // the period was over 366 days and is cut
};

// Whether an AAAAMMDD number is a date of the calendar.
bool IsCalendarDate(long date);

// Episodes counted by their date (AAAAMMDD); dates that are not calendar dates
// (a blank date reads as 0) take no part. The period runs from the smallest to
// the largest date; one over 366 days shows "Rango de fecha muy grande ..."
// and is cut to 364 days. The bars are the period's days plus 2, at most 366.
UncodedHistogram DayHistogram(const std::map<long, std::int32_t>& episodes_by_date,
                              Feedback& feedback);

}  // namespace quirovel
