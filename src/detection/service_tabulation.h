// Errors of the last run counted by discharge service and month, for the
// service table of "resumen.txt". Rows follow the service table's slots 1..40.
#pragma once

#include <cstdint>
#include <string>

#include "session/detection_run.h"

namespace quirovel {

struct Session;

// Where the errors of one episode are counted: its service row (0: counted in
// the grand total only) and its discharge month (outside 1..12: no month).
struct EpisodeCell {
  int row = 0;
  long month = 0;
};

// The rows of the service table's slots, with no errors counted.
ServiceTabulation EmptyTabulation(const Session& s);
// The cell of the episode in the current table's record buffer.
EpisodeCell CellOfEpisode(const Session& s, const ServiceTabulation& t);
// Counts `errors` errors in the cell.
void CountInCell(ServiceTabulation* t, const EpisodeCell& cell, std::int32_t errors);

// Reads log entries 1..ErrorCount and each entry's episode from the current
// table. An entry or an episode that cannot be read ends the tabulation (after
// "error lectura errores" or "ERROR AL LEER FICHERO CMBD"); what was counted
// until then stands. A stop request ends it too; the caller asks the feedback.
//
// A run that stored all its entries has counted them as it went, from the
// same episodes in the same buffer: when the log holds them all, that count is
// the answer and the table is not read again.
ServiceTabulation TabulateByService(Session& s, const std::string& log_path);

}  // namespace quirovel
