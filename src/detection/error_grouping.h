// The error log regrouped into two reports: "erragr.txt" by error type, and
// "erragrserv.txt" by discharge service, then type, then discharge date, one
// printed page per service. Both are rebuilt from the log and the current
// table as they stand, and at most the first 30000 entries take part.
#pragma once

#include <array>
#include <cstdint>

namespace quirovel {

struct Session;

inline constexpr std::int32_t kMaxGroupedErrors = 30000;

// Both return false when they stopped on a failure (after its message), when
// an entry or an episode could not be read (the report is written with what
// could, as always, and the failure said), or on a stop request (the report
// is then removed, never left half-written).
bool GroupByType(Session& s);
bool GroupByServiceAndType(Session& s);

// Errors of each number 1..71 among the entries of the last run (index 0
// unused), handed to the detection page's type list when one is shown. False,
// leaving *counts as they were, when the log cannot be opened or a stop was
// requested; false after "error lectura errores", with what the log holds
// counted, when it holds fewer entries than the count of the last run.
bool CountErrorsByType(Session& s, std::array<std::int32_t, 72>* counts);

}  // namespace quirovel
