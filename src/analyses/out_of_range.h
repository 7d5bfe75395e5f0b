// The discharge dates of the current CMBD-A file against a period: the
// listing of page "Utilidades" ("Fuera de Rango", "fuerango.txt") and the
// earliest and latest discharge dates ("Rango altas").
#pragma once

#include <cstdint>
#include <string>

#include "analyses/out_of_range_period.h"

namespace quirovel {

struct Session;

struct OutOfRangeResult {
  bool completed = false;  // "fuerango.txt" was written whole
  bool cancelled = false;
  long records_read = 0;
  long out_of_range = 0;
  std::uint32_t smallest = 20500101;  // discharge numbers seen
  std::uint32_t largest = 0;
  std::string result_text;  // the group's result field
  std::string info_text;    // InfoLabel: "%ld -> %ld"
  std::string status_text;  // StatusLine: "Fuera de rango %6d"
};

// Lists into "fuerango.txt" every episode whose FECALT, read as a number,
// lies outside the period. `today` (AAAAMMDD) is for the warning on the end
// date; empty: now.
OutOfRangeResult ListOutOfRangeDischarges(Session& s, const AnalysisPeriod& period,
                                          const std::string& today = {});

// The window of dates the page's date fields accept: above 19700101 and below 20200101.
inline constexpr std::uint32_t kDateFieldFloor = 19700101;
inline constexpr std::uint32_t kDateFieldCeiling = 20200101;

struct DischargeRange {
  bool cancelled = false;             // a stop request ended the pass: the fields are not set
  std::uint32_t smallest = 20500101;  // the smallest discharge number above 19700101
  std::uint32_t largest = 1;          // the largest discharge number
  bool start_set = false;             // smallest in the window: the start field takes it
  bool end_set = false;               // largest in the window: the end field takes it
  std::string info_text;              // "%ld -> %ld"
  // The dates the fields take, AAAAMMDD, when set.
  std::string start_date() const;
  std::string end_date() const;
};

// Finds the earliest and latest discharge dates of the current file and says
// when either lies outside the window of the date fields.
DischargeRange FindDischargeRange(Session& s);

}  // namespace quirovel
