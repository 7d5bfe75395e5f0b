// The three ways the window prints: a report of the working directory
// (PrintReport), the uncoded discharges of one service (PrintServiceReport)
// and the errors of one type or one service straight from the error log
// (PrintErrorTable). Each gives a print job: its document name, its factors
// and the source of its pages, laid out for the printer's page geometry.
// The window shows the printer dialog first and paints the pages.
#pragma once

#include <ctime>
#include <memory>
#include <string>
#include <string_view>

#include "ui/print_page.h"

namespace quirovel {

struct Session;

struct PrintJob {
  std::string document_name;  // Windows-1252
  PrintFactors factors;
  std::unique_ptr<PageSource> pages;
};

// The printer scale of the configuration record as the layout uses it: a
// value that is not a plain positive number (a damaged record) counts as 1.
double UsablePrinterScale(float printer_scale);
// "%d/%m/%Y %H:%M" of a moment, local time.
std::string PrintTimeText(std::time_t when);

// The frame every page of a job shows: the title, the current file, the date
// of the last run, the band's text and the time taken now.
PageFrame ReportFrame(const Session& s, std::string_view title, std::string band);

// `name` is a bare report name of the working directory; `title` the
// document name and the page title; `scale` multiplies the font sizes. False,
// after "Error al abrir %s", when the report cannot be opened.
bool PrintReport(Session& s, std::string_view name, std::string_view title, double scale,
                 const PageGeometry& page, PrintJob* job);
// The band shows "%s: Altas no codificadas" with the service's name.
bool PrintServiceReport(Session& s, std::string_view name, std::string_view service_name,
                        const PageGeometry& page, PrintJob* job);

enum class ErrorTableMode { kByType, kByService };
// `key`: by type the error number (1 to 71, as "%2d" or "%d"), by service
// "%d" of the service code's value, as page "Errores por Tipo/Servicio" holds
// them. False when there is nothing to print (no type or service chosen), or
// after the message when the log or the current file cannot be opened. The
// job reads the log and the file as its pages are asked for.
bool PrintErrorTable(Session& s, ErrorTableMode mode, std::string_view key,
                     const PageGeometry& page, PrintJob* job);

}  // namespace quirovel
