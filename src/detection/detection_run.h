// The state of the detection run in progress, or of the last one: what the
// checks and SETERR read and update while the run walks the episodes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/report_file.h"
#include "validation/error_log.h"

namespace quirovel {

enum TestTypes : int { kMensual = 0, kTrimestral = 1, kCma = 2 };

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

  ErrorLog log;               // "fallos.dat"
  ReportFile errors_report;   // "errores.txt"

  void ResetCounters() {
    ErrorCount = 0;
    StopFlag = false;
    OutOfRangeCount = 0;
    EpisodesChecked = 0;
    ErrorCounts.fill(0);
    FieldErrorCounts.fill(0);
    NotInVersionMark = 0;
  }
};

}  // namespace quirovel
