#include "transfer/export_period.h"

#include "platform/format.h"

namespace quirovel {

std::string PeriodText(const CalendarDate& d) {
  return StrFormat("%4d%02d%02d", d.year, d.month, d.day);
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 31;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string ProposedExportName(int test, std::string_view hospital_code, const CalendarDate& to) {
  const char letter = test == 0 ? 'M' : test == 1 ? 'T' : 'A';
  const int number = test == 0 ? to.month : (to.month - 1) / 3 + 1;
  const std::string code(hospital_code.size() > 3 ? hospital_code.substr(3, 2) : "");
  const std::string year = StrFormat("%02d", ((to.year % 100) + 100) % 100);
  return StrFormat("C%c%2.2s%02d%2.2s", letter, code.c_str(), number, year.c_str());
}

void PressMonthButton(ExportPage* page, int month, std::string_view hospital_code) {
  if (month < 1 || month > 12) return;
  int first = month, last = month;
  if (page->test != 0) {
    first = (month - 1) / 3 * 3 + 1;
    last = (month - 1) / 3 * 3 + 3;
  }
  if (page->accumulated) first = 1;
  const int year = page->from.year;
  page->from = {year, first, 1};
  page->to = {year, last, DaysInMonth(year, last)};
  RefreshExportName(page, hospital_code);
}

void RefreshExportName(ExportPage* page, std::string_view hospital_code) {
  page->name = ProposedExportName(page->test, hospital_code, page->to);
}

}  // namespace quirovel
