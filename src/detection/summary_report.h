// "errores.txt" and "resumen.txt": the opening and the totals of the list of
// errors by episode, and the whole summary of a run (totals, period, errors by
// type, errors by discharge service and month, errors by field).
#pragma once

#include <string>

#include "output/report_file.h"

namespace quirovel {

struct Session;

// Heading, test and version line, column heading.
void WriteErrorsOpening(Session& s, ReportFile& errors);
// The closing rule and the totals, after the last episode.
void WriteErrorsTotals(Session& s, ReportFile& errors);
// Everything of "resumen.txt" after its heading; reads the log at log_path
// and the episodes of the current table for the service table. False when a
// stop request ended the service table, leaving the summary incomplete.
bool WriteSummary(Session& s, ReportFile& summary, const std::string& log_path);

}  // namespace quirovel
