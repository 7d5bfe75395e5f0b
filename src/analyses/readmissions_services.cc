#include "analyses/readmissions_services.h"

#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/format.h"
#include "session/session.h"

namespace quirovel {
namespace {

constexpr const char* kColumnRule =
    "-------------------- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- "
    "----------\n";

}  // namespace

ReadmissionsByService::ReadmissionsByService(const Session& s) {
  for (int slot = 1; slot <= kSlots; ++slot)
    rows_[static_cast<std::size_t>(slot - 1)].code = s.references.services.slot(slot).code;
}

void ReadmissionsByService::Count(std::string_view servalt, int month, bool not_programmed) {
  for (Row& row : rows_) {
    if (row.code.empty() || row.code != servalt) continue;
    ++row.total;
    if (month >= 1 && month <= 12) {
      ++row.all[static_cast<std::size_t>(month - 1)];
      if (not_programmed) ++row.not_programmed[static_cast<std::size_t>(month - 1)];
    }
    return;
  }
}

bool ReadmissionsByService::WriteTable(const Session& s, bool not_programmed) const {
  const char* name = not_programmed ? "reingrservnoprog.txt" : "reingrserv.txt";
  ReportFile out;
  if (!out.Create(s.fs, OutputHostPath(s, name))) {
    s.feedback.Message(StrFormat("No se ha podido abrir el fichero %s", name));
    return false;
  }
  ReportHeading(out, s.config);
  out.Write(not_programmed ? "\nREINGRESOS POR SERVICIO NO PROGRAMADOS\n"
                           : "\nREINGRESOS POR SERVICIO\n");
  out.Write(
      "-------------------------------------------------------------------------------------------"
      "\n\n");
  out.WriteFormatted(
      "%-20.20s  ENE  FEB  MAR  ABR  MAY  JUN  JUL  AGO  SEP  OCT  NOV  DIC Reingresos\n",
      "Servicio");
  out.Write(kColumnRule);
  std::array<long, 12> column_totals{};
  long grand_total = 0;
  for (const Row& row : rows_) {
    if (row.total <= 0) continue;
    const std::array<long, 12>& cells = not_programmed ? row.not_programmed : row.all;
    std::string line = StrFormat("%-20.20s", s.references.services.ServiceName(row.code).c_str());
    long row_sum = 0;
    for (std::size_t m = 0; m < 12; ++m) {
      line += StrFormat(" %4.0ld", cells[m]);
      column_totals[m] += cells[m];
      grand_total += cells[m];
      row_sum += cells[m];
    }
    line += StrFormat("  %6ld\n", not_programmed ? row_sum : row.total);
    out.Write(line);
  }
  out.Write(kColumnRule);
  std::string line(20, ' ');
  for (long total : column_totals) line += StrFormat(" %4.0ld", total);
  line += StrFormat("  %6ld\n", grand_total);
  out.Write(line);
  if (!out.Close()) {
    s.feedback.Message(StrFormat("Error al escribir %s", name));
    return false;
  }
  return true;
}

bool ReadmissionsByService::Write(const Session& s) const {
  const bool all = WriteTable(s, false);
  const bool not_programmed = WriteTable(s, true);
  return all && not_programmed;
}

}  // namespace quirovel
