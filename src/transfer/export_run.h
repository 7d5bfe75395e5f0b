// "Exportar": the discharges of a period of the current CMBD-A table written
// as a fixed-width text file (ExportText) or a new dBase table (ExportDbf)
// in the working directory. The file is built under a temporary name and
// replaces the one of that name only when whole.
#pragma once

#include <string>

#include "transfer/export_period.h"

namespace quirovel {

struct Session;

struct ExportRequest {
  int test = 0;             // 0 "Mensual", 1 "Trimestral", 2 "CMA"
  bool cma_only = true;     // with "CMA": only episodes with TIPING 3
  bool text_format = true;  // ".TXT", else ".DBF"
  std::string from, to;     // AAAAMMDD, both ends included
  std::string name;         // "Nombre"; ".TXT" or ".DBF" is always appended
  std::string today;        // AAAAMMDD, for the warning on "Hasta"
};

struct ExportResult {
  bool written = false;     // the file holds the export
  bool stopped = false;     // a stop was requested: nothing was replaced
  long exported = 0;        // episodes written
  std::string stored_path;  // the target, as stored ("C:\...\CM120506.TXT")
  std::string host_path;
  std::string first, last;  // smallest and largest FECALT seen, AAAAMMDD
};

// The request made from the page: its period as AAAAMMDD texts.
ExportRequest RequestFrom(const ExportPage& page, const std::string& today);

// The warnings of "Exportar", then ExportText or ExportDbf.
ExportResult RunExport(Session& s, const ExportRequest& request);

}  // namespace quirovel
