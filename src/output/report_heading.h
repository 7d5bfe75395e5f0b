// The first lines of every report: the own hospital's name with the date and
// time of writing, a rule, and the current CMBD-A file in brackets.
#pragma once

#include <ctime>

#include "output/report_file.h"
#include "reference/config_record.h"

namespace quirovel {

// Writes the heading with the local time `now` ("%d/%m/%Y %H:%M").
void ReportHeading(ReportFile& file, const ConfigRecord& config, std::time_t now);
// The same at the present moment.
void ReportHeading(ReportFile& file, const ConfigRecord& config);

}  // namespace quirovel
