#include "app/gui/print_rendering.h"

#include <QColor>
#include <QPainterPath>
#include <QPen>
#include <cmath>

#include "app/gui/text_codec.h"
#include "platform/format.h"

namespace quirovel {
namespace {

QColor Colour(std::uint32_t rgb) {
  return QColor(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

int Flags(TextAlign align) {
  switch (align) {
    case TextAlign::kLeftTop:
      return Qt::AlignLeft | Qt::AlignTop;
    case TextAlign::kCentre:
      return Qt::AlignCenter;
    case TextAlign::kRightCentre:
      return Qt::AlignRight | Qt::AlignVCenter;
    case TextAlign::kLeftCentre:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

}  // namespace

PageGeometry GeometryOf(QPrinter& printer) {
  PageGeometry page;
  page.height = printer.height();
  page.width = printer.width();
  const int dpi_x = printer.logicalDpiX(), dpi_y = printer.logicalDpiY();
  // A pixel's width over its height: 1/dpiX over 1/dpiY.
  page.aspect = dpi_x > 0 && dpi_y > 0 ? static_cast<double>(dpi_y) / dpi_x : 1.0;
  return page;
}

QFont PrintQFont(PrintFont font, double font_factor) {
  const PrintFontFace face = FontFace(font);
  const QString family = QString::fromLatin1(face.family);
  QFont q;
  if (family == QStringLiteral("Courier New")) {
    q.setFamilies({family, QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    q.setStyleHint(QFont::TypeWriter);
    q.setFixedPitch(true);
  } else {
    q.setFamilies({family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    q.setStyleHint(QFont::SansSerif);
    if (family == QStringLiteral("Arial Black")) q.setWeight(QFont::Black);
  }
  const double pixels = FontPixels(font, font_factor);
  q.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  return q;
}

void DrawProgramPicture(QPainter& painter, const QRectF& box) {
  // A record card with a tick: the program checks the discharge records.
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double w = box.width(), h = box.height();
  const double pen = std::max(1.0, h / 20);
  QRectF card(box.left() + pen, box.top() + pen, w * 0.62 - 2 * pen, h - 2 * pen);
  painter.setPen(QPen(QColor(0x1F, 0x4E, 0x79), pen));
  painter.setBrush(QColor(0xDD, 0xEB, 0xF7));
  painter.drawRoundedRect(card, h / 8, h / 8);
  painter.setPen(QPen(QColor(0x1F, 0x4E, 0x79), pen * 0.7));
  for (int i = 1; i <= 4; ++i) {
    const double y = card.top() + card.height() * i / 5.5;
    painter.drawLine(QPointF(card.left() + card.width() * 0.15, y),
                     QPointF(card.right() - card.width() * 0.15, y));
  }
  QPainterPath tick;
  tick.moveTo(box.left() + w * 0.55, box.top() + h * 0.55);
  tick.lineTo(box.left() + w * 0.72, box.top() + h * 0.85);
  tick.lineTo(box.left() + w * 0.97, box.top() + h * 0.12);
  painter.setPen(QPen(QColor(0x2E, 0x8B, 0x3C), h / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(tick);
  painter.restore();
}

PrintFonts PrintFontsOf(const PrintFactors& factors) {
  PrintFonts fonts;
  for (std::size_t i = 0; i < fonts.size(); ++i)
    fonts[i] = PrintQFont(static_cast<PrintFont>(i), factors.font);
  return fonts;
}

void PaintPage(QPainter& painter, const PrintedPage& page, const PrintFactors& factors,
               const PrintFonts& fonts) {
  const double u = factors.unit;
  QPen rule(Qt::black);
  rule.setWidthF(std::max(1.0, 2 * u));
  for (const PageItem& item : page.items) {
    const QRectF box(item.left * u, item.top * u, (item.right - item.left) * u,
                     (item.bottom - item.top) * u);
    switch (item.kind) {
      case PageItemKind::kPicture:
        DrawProgramPicture(painter, box);
        break;
      case PageItemKind::kFill:
        painter.fillRect(box, Colour(item.colour));
        break;
      case PageItemKind::kRule:
        painter.setPen(rule);
        painter.drawLine(QPointF(box.left(), box.top()), QPointF(box.right(), box.top()));
        break;
      case PageItemKind::kText:
        if (item.text.empty()) break;
        painter.setPen(Qt::black);
        painter.setFont(fonts[static_cast<std::size_t>(item.font)]);
        painter.drawText(
            box, Flags(item.align) | Qt::TextDontClip | Qt::TextSingleLine | Qt::TextExpandTabs,
            ToQString(item.text));
        break;
    }
  }
}

RenderOutcome RenderPrintJob(QPrinter& printer, const JobMaker& make, Feedback& feedback,
                             int max_pages) {
  RenderOutcome outcome;
  PrintJob job;
  if (!make(GeometryOf(printer), &job)) return outcome;
  printer.setDocName(ToQString(job.document_name));
  QPainter painter;
  if (!painter.begin(&printer)) {
    feedback.Message("No se puede imprimir: la impresora no acepta el trabajo");
    return outcome;
  }
  const PrintFonts fonts = PrintFontsOf(job.factors);
  PrintedPage page;
  while ((max_pages <= 0 || outcome.pages < max_pages) && job.pages->Next(&page)) {
    if (feedback.StopRequested()) {
      outcome.stopped = true;
      break;
    }
    if (outcome.pages > 0 && !printer.newPage()) {
      feedback.Message("La impresora ha rechazado una página: el trabajo se anula"_cp);
      printer.abort();
      return outcome;
    }
    PaintPage(painter, page, job.factors, fonts);
    ++outcome.pages;
    feedback.ShowStatus(StrFormat("Imprimiendo página %d"_cp, outcome.pages));
  }
  if (outcome.stopped || feedback.StopRequested()) {
    outcome.stopped = true;
    printer.abort();
    painter.end();
    return outcome;
  }
  outcome.completed = painter.end();
  feedback.ShowStatus(StrFormat("%d páginas impresas"_cp, outcome.pages));
  return outcome;
}

}  // namespace quirovel
