// Paints the pages of a print job (ui/report_printing.h) on any QPrinter: a
// printer of the system, the print preview or a PDF file, all through the
// same code.
#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <QRectF>
#include <array>
#include <functional>

#include "platform/feedback.h"
#include "ui/print_page.h"
#include "ui/report_printing.h"

namespace quirovel {

// The printable area of the printer in device pixels, and its pixels' aspect.
PageGeometry GeometryOf(QPrinter& printer);

// The font of a role at factor f. The families named are asked for first;
// metric-compatible ones stand in where they are missing (Liberation Sans
// for "Arial", Liberation Mono for "Courier New", Liberation Sans at its
// heaviest weight for "Arial Black").
QFont PrintQFont(PrintFont font, double font_factor);

// The program's own picture, drawn in `box`.
void DrawProgramPicture(QPainter& painter, const QRectF& box);

// The fonts of every role at a job's factor, made once for all its pages.
using PrintFonts = std::array<QFont, 7>;
PrintFonts PrintFontsOf(const PrintFactors& factors);

void PaintPage(QPainter& painter, const PrintedPage& page, const PrintFactors& factors,
               const PrintFonts& fonts);

struct RenderOutcome {
  int pages = 0;
  bool completed = false;  // every page painted and the job ended normally
  bool stopped = false;    // a stop was requested: the job was aborted
};

// Makes the job for the printer's page (false when there is nothing to
// print, the reason already said) and paints its pages; the printer must have
// its output set. Asks `feedback` for a stop between pages and shows the page
// being printed. At most `max_pages` pages when it is positive.
using JobMaker = std::function<bool(const PageGeometry& page, PrintJob* job)>;
RenderOutcome RenderPrintJob(QPrinter& printer, const JobMaker& make, Feedback& feedback,
                             int max_pages = 0);

}  // namespace quirovel
