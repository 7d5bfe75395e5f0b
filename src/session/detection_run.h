// The state of the detection run in progress, or of the last one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "validation/error_recorder.h"

namespace quirovel {

// The service table of "resumen.txt" counts the stored entries by discharge
// service and month; a run fills it as it checks the episodes.
struct ServiceTabulation {
  struct Row {
    std::string code;                       // the slot's code, empty for an empty slot
    std::int32_t count = 0;                 // every error of the service
    std::array<std::int32_t, 13> months{};  // 1..12, January to December
  };
  std::array<Row, 41> rows;              // 1..40; row 0 unused
  std::array<std::uint64_t, 41> keys{};  // each row's code packed, for RowOf

  // The first row whose code is the text, 0 for none.
  int RowOf(std::string_view service) const;
};

// What SETERR records, and what the run keeps besides.
struct DetectionRun : ErrorRecorder {
  // Kept by the run itself (run_detection.cc).
  std::int32_t CodesNotInForce = 0;  // printed as "Códigos no vigentes"; nothing raises it
  bool ResultsChangedFlag = false;   // set by every run; the error table page clears it
  std::string TestName;              // "Mensual   ", "Trimestral" or "CMA       "
  std::string SmallestDischarge = "99999999";  // period bounds, FECALT texts
  std::string LargestDischarge = "        ";
  std::string PeriodText;      // "%s -> %s" of the bounds as day/month/year
  std::int64_t StartTime = 0;  // seconds since the epoch
  std::int64_t EndTime = 0;    // 0 until the record loop of the run is over
  bool Cancelled = false;      // a stop request ended the run or a report
  // The stored entries counted by service and month as the episodes were
  // checked; complete once the record loop has stored every entry.
  ServiceTabulation tally;
  bool tally_complete = false;

  void ResetCounters() {
    ErrorCount = 0;
    StopFlag = false;
    OutOfRangeCount = 0;
    EpisodesChecked = 0;
    ErrorCounts.fill(0);
    FieldErrorCounts.fill(0);
    NotInVersionMark = 0;
    FirstLostEntry = 0;
    tally_complete = false;
  }
};

}  // namespace quirovel
