#include "ui/report_printing.h"

#include <cmath>

#include "platform/format.h"
#include "session/session.h"
#include "ui/report_pages.h"

namespace quirovel {
namespace {

constexpr const char* kServiceDocument = "DETECCION de ERRORRES del CMBDA";

bool IsGrouped(std::string_view name) { return name == "erragr.txt" || name == "erragrserv.txt"; }

// The report opened for reading, or null after the message.
std::unique_ptr<File> OpenReport(Session& s, std::string_view name) {
  std::unique_ptr<File> file = s.fs.Open(OutputHostPath(s, name), OpenMode::kRead);
  if (!file) s.feedback.Message(StrFormat("Error al abrir %s", OutputPath(s, name).c_str()));
  return file;
}

}  // namespace

double UsablePrinterScale(float printer_scale) {
  return std::isfinite(printer_scale) && printer_scale > 0.01f && printer_scale < 100.0f
             ? printer_scale
             : 1.0;
}

std::string PrintTimeText(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%d/%m/%Y %H:%M", &local);
  return text;
}

PageFrame ReportFrame(const Session& s, std::string_view title, std::string band) {
  PageFrame frame;
  frame.title = std::string(title);
  frame.file_line = std::string(CView(s.config.CurrentPath()));
  frame.run_date = std::string(CView(s.config.LastRunDate()));
  frame.band_text = std::move(band);
  frame.print_time = PrintTimeText(std::time(nullptr));
  return frame;
}

bool PrintReport(Session& s, std::string_view name, std::string_view title, double scale,
                 const PageGeometry& page, PrintJob* job) {
  std::unique_ptr<File> file = OpenReport(s, name);
  if (!file) return false;
  PageSettings settings;
  settings.frame = ReportFrame(s, title, OutputPath(s, name));
  settings.geometry = page;
  settings.factors = ReportFactors(page, UsablePrinterScale(s.config.PrinterScale()), scale);
  settings.grouped = IsGrouped(name);
  job->document_name = std::string(title);
  job->factors = settings.factors;
  job->pages = std::make_unique<ReportPages>(std::move(settings),
                                             std::make_unique<ReportLineReader>(std::move(file)));
  return true;
}

bool PrintServiceReport(Session& s, std::string_view name, std::string_view service_name,
                        const PageGeometry& page, PrintJob* job) {
  std::unique_ptr<File> file = OpenReport(s, name);
  if (!file) return false;
  PageSettings settings;
  settings.frame =
      ReportFrame(s, kServiceDocument,
                  StrFormat("%s: Altas no codificadas", std::string(service_name).c_str()));
  settings.geometry = page;
  settings.factors = ServiceReportFactors(page);
  settings.grouped = name == "erragr.txt";
  job->document_name = kServiceDocument;
  job->factors = settings.factors;
  job->pages = std::make_unique<ReportPages>(std::move(settings),
                                             std::make_unique<ReportLineReader>(std::move(file)));
  return true;
}

}  // namespace quirovel
