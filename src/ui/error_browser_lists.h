// The two lists of page "Campos erroneos" that read a whole file: every error
// of one history number ("Errores Detectados Historia") and how often each
// field is filled in ("Frecuencia, % cumplimentacion").
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "validation/cmbd_layout.h"

namespace quirovel {

struct Session;
class ConfigRecord;

// One row of the dialog "Errores en la historia".
struct HistoryErrorRow {
  std::string error;    // "ERROR": the catalogue text
  std::string alta;     // "ALTA": FECALT as stored
  std::string valores;  // "VALORES": "NAME=[text]  " for each field of the entry
};

// Every error of the last run whose episode has this HISTORIA text, in log
// order. Stops at the first entry that cannot be read; false after a message
// when the log cannot be opened or a record cannot be read, or when stopped.
bool ListHistoryErrors(Session& s, std::string_view historia, std::vector<HistoryErrorRow>* rows);

struct FieldFrequencies {
  std::int64_t records = 0;                                // N: the file's record count
  std::array<std::int64_t, kCmbdFieldCount + 1> filled{};  // [k] for field k
};

// Counts over the whole current file, for each field the table has, the
// records where it is filled in: a numeric field whose value is not 0, any
// other field that is not blank. False when the file cannot be opened or the
// pass was stopped.
bool CountFieldFrequencies(Session& s, FieldFrequencies* frequencies);
// "    %7d           %5.1f %% " for field k's box.
std::string FrequencyBoxText(const FieldFrequencies& f, int k);
// The fill rate of the fields marked in the configuration, "%6.2f %%", or
// "0/0" when none is marked (or the file is empty).
std::string OverallFillRate(const FieldFrequencies& f, const ConfigRecord& config);

}  // namespace quirovel
