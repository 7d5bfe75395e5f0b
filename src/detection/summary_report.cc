#include "detection/summary_report.h"

#include "detection/service_tabulation.h"
#include "output/report_heading.h"
#include "platform/cp1252.h"
#include "session/session.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr char kFormFeed = 12;
constexpr const char* kMonthRule =
    "-------------------- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- ---- -------\n";

void WriteServiceTable(Session& s, ReportFile& out, const ServiceTabulation& t) {
  out.WriteFormatted("%c\n\nERRORES POR SERVICIO\n", kFormFeed);
  out.Write(std::string(88, '-') + "\n\n");
  out.WriteFormatted(
      "%-20.20s  ENE  FEB  MAR  ABR  MAY  JUN  JUL  AGO  SEP  OCT  NOV  DIC Errores\n", "Servicio");
  out.Write(kMonthRule);
  std::array<std::int32_t, 13> totals{};
  for (int slot = 1; slot <= 40; ++slot) {
    const auto& row = t.rows[static_cast<std::size_t>(slot)];
    if (row.count <= 0) continue;
    out.WriteFormatted("%-20.20s", s.references.services.ServiceName(row.code).c_str());
    for (std::size_t m = 1; m <= 12; ++m) {
      // "%4.0d" leaves a zero month blank.
      out.WriteFormatted(" %4.0d", row.months[m]);
      totals[m] += row.months[m];
    }
    out.WriteFormatted(" %6d\n", row.count);
  }
  out.Write(kMonthRule);
  out.Write(std::string(20, ' '));
  for (std::size_t m = 1; m <= 12; ++m) out.WriteFormatted(" %4.0d", totals[m]);
  // The grand total counts every error, tabulated or not.
  out.WriteFormatted(" %6d\n", s.run.ErrorCount);
}

void WriteFieldTable(Session& s, ReportFile& out) {
  out.WriteFormatted("%c\n\nCAMPOS AFECTADOS\n\nCampo           errores\n--------------- -------\n",
                     kFormFeed);
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    std::int32_t count = s.run.FieldErrorCounts[static_cast<std::size_t>(k)];
    if (count > 0) out.WriteFormatted("%-15s %7d\n", std::string(CmbdFieldName(k)).c_str(), count);
  }
}

}  // namespace

void WriteErrorsOpening(Session& s, ReportFile& errors) {
  ReportHeading(errors, s.config);
  errors.WriteFormatted("Test: %s      Versión: %s\n\n"_cp, s.run.TestName.c_str(),
                        s.run.VersionLabel.c_str());
  errors.Write("Historia     Alta       Error\n");
  errors.Write("------------ ---------- " + std::string(74, '-') + "\n");
}

void WriteErrorsTotals(Session& s, ReportFile& errors) {
  errors.Write(std::string(93, '-') + "\n");
  errors.WriteFormatted("Total errores: %ld    Registros fuera de rango versión CMBD: %ld\n\n"_cp,
                        static_cast<long>(s.run.ErrorCount),
                        static_cast<long>(s.run.OutOfRangeCount));
  errors.WriteFormatted("               Códigos no vigentes: %d\n\n"_cp, s.run.CodesNotInForce);
}

bool WriteSummary(Session& s, ReportFile& summary, const std::string& log_path) {
  summary.Write(std::string(79, '-') + "\n");
  summary.WriteFormatted(
      "Total errores: %ld    Registros fuera de rango versión CMBD (%04d): %ld\n\n"_cp,
      static_cast<long>(s.run.ErrorCount), s.config.VersionYear(),
      static_cast<long>(s.run.OutOfRangeCount));
  summary.WriteFormatted("               Códigos no vigentes: %d\n\n"_cp, s.run.CodesNotInForce);
  summary.WriteFormatted("Periodo      : %s\n\n", s.run.PeriodText.c_str());
  summary.Write("Error                                                total\n");
  summary.Write("--------------------------------------------------- ------\n");
  for (int e = 1; e <= kCatalogueSize; ++e) {
    std::int32_t count = s.run.ErrorCounts[static_cast<std::size_t>(e)];
    if (count > 0) summary.WriteFormatted("%-50s %7d\n", std::string(ErrorText(e)).c_str(), count);
  }
  const ServiceTabulation tabulation = TabulateByService(s, log_path);
  if (s.feedback.StopRequested()) return false;
  WriteServiceTable(s, summary, tabulation);
  WriteFieldTable(s, summary);
  return true;
}

}  // namespace quirovel
