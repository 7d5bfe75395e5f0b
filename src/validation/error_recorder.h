// What SETERR records into while a run walks the episodes: the counters, the
// error log, the lines of "errores.txt", and the few facts of the run that the
// checks read (test type, catalogue edition, record number).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "output/report_file.h"
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

struct ErrorRecorder {
  int TestType = kTrimestral;
  std::int64_t CurrentRecordNumber = 0;
  std::int32_t ErrorCount = 0;
  bool StopFlag = false;     // an entry could not be stored: the run stops
  std::string VersionLabel;  // "%04d" of the version year, or chosen per episode
  int VersionPosition = 0;
  std::int32_t OutOfRangeCount = 0;
  std::int32_t EpisodesChecked = 0;
  std::array<std::int32_t, 72> ErrorCounts{};       // index 1..71
  std::array<std::int32_t, 64> FieldErrorCounts{};  // index 1..63
  bool ErrorsFileOption = true;                     // "Generar errores.txt"
  int NotInVersionMark = 0;                         // left by the code check in progress for SETERR
  // The first entry that could not be stored (0 while none): the count kept
  // for the readers of the log stops before it.
  std::int32_t FirstLostEntry = 0;
  // The entries the log holds: up to the first lost one.
  std::int32_t StoredEntryCount() const {
    return FirstLostEntry != 0 ? FirstLostEntry - 1 : ErrorCount;
  }

  ErrorLog log;              // "fallos.dat"
  ReportFile errors_report;  // "errores.txt"

  // When set, entries go here instead of the log (a check that writes no file).
  std::vector<ErrorEntry>* entry_sink = nullptr;
  // The two count lists of the detection page, when a window shows them.
  ErrorCountView* count_view = nullptr;
  bool status_pending = false;       // "%ld:%ld" not yet shown for the last error
  std::int64_t status_shown_at = 0;  // steady-clock nanoseconds of the last showing
  std::string seterr_line;           // scratch for the "errores.txt" line
};

}  // namespace quirovel
