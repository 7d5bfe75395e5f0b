// The detection run: every episode of the current CMBD-A table is read,
// decoded and checked; each error found goes to "fallos.dat" and
// "errores.txt"; then "resumen.txt" is written, the error count and the date
// of the run are saved in the configuration, and the log is regrouped into
// "erragr.txt" and "erragrserv.txt".
#pragma once

#include <functional>

namespace quirovel {

struct Session;
struct CheckContext;

// The per-episode check; the run calls it once for each record, positioned on
// the decoded episode. CheckAdministrative unless a caller supplies another.
using EpisodeCheck = std::function<void(CheckContext& c)>;

// The structure warning shown when fields of the table are badly defined.
extern const char* const kStructureWarning;

// Runs the detection under test type 0 ("Mensual"), 1 ("Trimestral") or 2
// ("CMA"). Returns false when the run ended early or met a failure (after
// its message): reports that could not be created, an error entry or a
// report that could not be written, a configuration that could not be saved.
// A table that cannot be opened (missing, or refused as malformed) stops the
// run before anything is written, so the results of the last run stand.
bool RunDetection(Session& s, int test_type, const EpisodeCheck& check);
bool RunDetection(Session& s, int test_type);

}  // namespace quirovel
