#include "output/report_heading.h"

#include <string>

namespace quirovel {

void ReportHeading(ReportFile& file, const ConfigRecord& config, std::time_t now) {
  std::tm local{};
  localtime_r(&now, &local);
  char when[64];
  std::strftime(when, sizeof when, "%d/%m/%Y %H:%M", &local);
  // A name longer than 55 characters widens the line; it is never cut.
  file.WriteFormatted("%-55s %s\n", config.HospitalName().c_str(), when);
  file.Write(std::string(79, '-') + "\n");
  file.WriteFormatted("[%s]\n\n", config.CurrentPath().c_str());
}

void ReportHeading(ReportFile& file, const ConfigRecord& config) {
  ReportHeading(file, config, std::time(nullptr));
}

}  // namespace quirovel
