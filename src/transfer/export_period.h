// The "EXPORTAR" group's period and name without widgets: the test type, the
// two dates, the month buttons with "Acumulado Enero", and the proposed name
// ("CM120506") rebuilt whenever one of them changes.
#pragma once

#include <string>
#include <string_view>

namespace quirovel {

struct CalendarDate {
  int year = 0, month = 1, day = 1;
  bool operator==(const CalendarDate&) const = default;
};

struct ExportPage {
  int test = 0;             // 0 "Mensual", 1 "Trimestral", 2 "CMA"
  bool cma_only = true;     // "Sólo CMA", shown only with "CMA"
  bool text_format = true;  // "Texto", else "DBF"
  bool accumulated = true;  // "Acumulado Enero"
  CalendarDate from, to;    // "Desde", "Hasta"
  std::string name;         // "Nombre"
};

// "%4d%02d%02d": the text a discharge date is compared with.
std::string PeriodText(const CalendarDate& date);
int DaysInMonth(int year, int month);

// "C%c%2.2s%02d%2.2s": M/T/A, characters 4 and 5 of the hospital code, the
// month of "Hasta" ("Mensual") or its quarter, and its two-digit year.
std::string ProposedExportName(int test, std::string_view hospital_code, const CalendarDate& to);

// Month button m (1..12): the period made the month (or its quarter for
// "Trimestral" and "CMA"), from January with "Acumulado Enero", in the year
// "Desde" shows; then the name rebuilt.
void PressMonthButton(ExportPage* page, int month, std::string_view hospital_code);

// A test type or date changed: the name rebuilt.
void RefreshExportName(ExportPage* page, std::string_view hospital_code);

}  // namespace quirovel
