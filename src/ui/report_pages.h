// Lines laid out on framed pages: one line every 40 units from under the
// band, a page ended by a form feed or at the usable bottom, every second
// ordinary line shaded, and, in the grouped layout, the error-type and
// service headings of the grouped reports in larger type.
#pragma once

#include <memory>

#include "ui/print_page.h"
#include "ui/report_lines.h"

namespace quirovel {

struct PageSettings {
  PageFrame frame;
  PageGeometry geometry;
  PrintFactors factors;
  bool grouped = false;
};

// Extra units a heading takes beyond its 40-unit line.
inline constexpr double kTypeHeadingExtra = 10;
inline constexpr double kServiceHeadingExtra = 14;

class ReportPages final : public PageSource {
 public:
  ReportPages(PageSettings settings, std::unique_ptr<LineSource> lines);
  // The first page always comes, framed even when there are no lines; a
  // further page only while lines remain.
  bool Next(PrintedPage* page) override;

 private:
  bool Pending();  // reads the next line into line_ when needed
  void AddLine(const ReportLine& line, double* y, std::vector<PageItem>* items);

  PageSettings settings_;
  std::unique_ptr<LineSource> lines_;
  ReportLine line_;
  bool has_line_ = false;
  bool lines_ended_ = false;
  int pages_ = 0;
  // Ordinary lines since the start or the last heading; every second one is
  // shaded, and a heading sets it back so that the fourth line after it is
  // the first shaded one.
  int ordinary_ = 0;
};

}  // namespace quirovel
