// The state of the detection run in progress, or of the last one: what the
// checks and SETERR read and update while the run walks the episodes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "detection/service_tabulation.h"
#include "ui/report_file.h"
#include "validation/error_log.h"

namespace quirovel {

enum TestTypes : int { kMensual = 0, kTrimestral = 1, kCma = 2 };

// The two count lists of the detection page: SETERR hands them the row that
// changed (error e - 1, field f - 1) and its new count.
class ErrorCountView {
 public:
  virtual ~ErrorCountView() = default;
  virtual void ErrorCountChanged(int row, std::int32_t count) = 0;
  virtual void FieldCountChanged(int row, std::int32_t count) = 0;
};

struct DetectionRun {
  int TestType = kTrimestral;
  std::int64_t CurrentRecordNumber = 0;
  std::int32_t ErrorCount = 0;
  bool StopFlag = false;
  std::string VersionLabel;  // "%04d" of the version year, or chosen per episode
  int VersionPosition = 0;
  std::int32_t OutOfRangeCount = 0;
  std::int32_t EpisodesChecked = 0;
  std::array<std::int32_t, 72> ErrorCounts{};       // index 1..71
  std::array<std::int32_t, 64> FieldErrorCounts{};  // index 1..63
  bool ErrorsFileOption = true;                     // "Generar errores.txt"
  int NotInVersionMark = 0;  // left by the code check in progress for SETERR
  // The first entry that could not be stored (0 while none): the count kept
  // for the readers of the log stops before it.
  std::int32_t FirstLostEntry = 0;
  // The entries the log holds: up to the first lost one.
  std::int32_t StoredEntryCount() const { return FirstLostEntry != 0 ? FirstLostEntry - 1 : ErrorCount; }

  ErrorLog log;               // "fallos.dat"
  ReportFile errors_report;   // "errores.txt"

  // Kept by SETERR (seterr.cc).
  // When set, entries go here instead of the log (a check that writes no file).
  std::vector<ErrorEntry>* entry_sink = nullptr;
  // The two count lists of the detection page, when a window shows them.
  ErrorCountView* count_view = nullptr;
  bool status_pending = false;        // "%ld:%ld" not yet shown for the last error
  std::int64_t status_shown_at = 0;   // steady-clock nanoseconds of the last showing
  std::string seterr_line;            // scratch for the "errores.txt" line

  // Kept by the run itself (run_detection.cc).
  std::int32_t CodesNotInForce = 0;  // printed as "Códigos no vigentes"; nothing raises it
  bool ResultsChangedFlag = false;   // set by every run; the error table page clears it
  std::string TestName;              // "Mensual   ", "Trimestral" or "CMA       "
  std::string SmallestDischarge = "99999999";  // period bounds, FECALT texts
  std::string LargestDischarge = "        ";
  std::string PeriodText;            // "%s -> %s" of the bounds as day/month/year
  std::int64_t StartTime = 0;        // seconds since the epoch
  std::int64_t EndTime = 0;          // 0 until the record loop of the run is over
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
