// The readmission analysis of page "Utilidades" ("Reingresos C1", "Mismo
// Servicio"): over the episodes admitted in a period, per clinical history,
// duplicated episodes, readmissions within a number of days (same C1, or same
// SERVALT), overlapping stays, and repeated assistance numbers. Writes
// "reingr.txt", "reingrserv.txt" and "reingrservnoprog.txt" and leaves
// "temp.dat" in the working directory.
#pragma once

#include <string>

#include "analyses/out_of_range_period.h"

namespace quirovel {

struct Session;

enum class ReadmissionMode { kSameC1 = 1, kSameService = 2 };

// At most this many episodes take part in each pass ("Demasiados registros").
inline constexpr long kMaxReadmissionEpisodes = 30001;

struct ReadmissionsRequest {
  ReadmissionMode mode = ReadmissionMode::kSameC1;
  AnalysisPeriod period;  // admission dates, both ends included
  int days = 30;          // the day limit n
  std::string today;      // AAAAMMDD, for the warning on the end date; empty: now
};

struct ReadmissionsResult {
  bool completed = false;  // every report was written whole
  bool cancelled = false;  // a stop request ended it; the last reports stay
  long duplicates = 0;
  long repeated_assistance = 0;
  long readmissions = 0;
  long not_programmed = 0;
  long overlaps = 0;
  std::string result_text;  // the page's result field, once the analysis ran to its end
};

ReadmissionsResult FindReadmissions(Session& s, const ReadmissionsRequest& request);

}  // namespace quirovel
