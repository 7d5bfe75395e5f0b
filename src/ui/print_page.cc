#include "ui/print_page.h"

#include <cmath>

#include "platform/cp1252.h"

namespace quirovel {
namespace {

PageItem Text(double left, double top, double right, double bottom, PrintFont font, TextAlign align,
              std::string text) {
  PageItem item;
  item.kind = PageItemKind::kText;
  item.left = left;
  item.top = top;
  item.right = right;
  item.bottom = bottom;
  item.font = font;
  item.align = align;
  item.text = std::move(text);
  return item;
}

PageItem Rule(double y, double width) {
  PageItem item;
  item.kind = PageItemKind::kRule;
  item.top = item.bottom = y;
  item.right = width;
  return item;
}

}  // namespace

PrintFactors ReportFactors(const PageGeometry& page, double printer_scale, double scale) {
  return {printer_scale * page.height / 3000, page.height / 3000 * printer_scale * scale};
}

PrintFactors ServiceReportFactors(const PageGeometry& page) {
  return {page.height * page.aspect / 3000, page.width * page.aspect / 2400};
}

PrintFontFace FontFace(PrintFont font) {
  switch (font) {
    case PrintFont::kTitle:
      return {"Arial", 450};
    case PrintFont::kFileLine:
      return {"Arial Black", 350};
    case PrintFont::kBody:
      return {"Courier New", 300};
    case PrintFont::kBand:
    case PrintFont::kServiceHeading:
      return {"Arial Black", 380};
    case PrintFont::kTypeHeading:
      return {"Arial Black", 280};
    case PrintFont::kFooter:
      return {"Arial", 200};
  }
  return {"Courier New", 300};
}

int ScaledTenths(PrintFont font, double font_factor) {
  const double tenths = FontFace(font).tenths * font_factor;
  return tenths > 0 && tenths < 1e9 ? static_cast<int>(tenths) : 0;
}

double FontPixels(PrintFont font, double font_factor) {
  return ScaledTenths(font, font_factor) / 10.0 * 96 / 72;
}

void AddFrame(const PageFrame& frame, int number, double width_units, double height_units,
              std::vector<PageItem>* items) {
  PageItem picture;
  picture.kind = PageItemKind::kPicture;
  picture.left = 1;
  picture.top = 1;
  picture.right = 101;
  picture.bottom = 56;
  items->push_back(picture);
  const double w = width_units;
  items->push_back(Text(0, 0, w, 60, PrintFont::kTitle, TextAlign::kCentre, frame.title));
  items->push_back(Text(0, 62, w, 130, PrintFont::kFileLine, TextAlign::kCentre, frame.file_line));
  items->push_back(Text(0, 87, w, 130, PrintFont::kBody, TextAlign::kRightCentre, frame.run_date));
  items->push_back(Rule(132, w));
  PageItem band;
  band.kind = PageItemKind::kFill;
  band.top = 133;
  band.right = w;
  band.bottom = 197;
  band.colour = kBandColour;
  items->push_back(band);
  items->push_back(Text(0, 133, w, 197, PrintFont::kBand, TextAlign::kLeftTop, frame.band_text));
  items->push_back(Rule(197, w));
  if (!frame.column_heading.empty())
    items->push_back(Text(0, kFirstLine, w, kFirstLine + kLinePitch, PrintFont::kBody,
                          TextAlign::kLeftTop, frame.column_heading));
  // The footer lies below the usable bottom, where no line reaches: a line
  // starts above H - 80u and takes 40 units.
  const double footer = height_units - kBottomMargin / 2;
  items->push_back(Rule(footer, w));
  items->push_back(Text(0, footer + 2, w, height_units, PrintFont::kFooter, TextAlign::kLeftCentre,
                        std::string("Página "_cp) + std::to_string(number)));
  items->push_back(Text(0, footer + 2, w, height_units, PrintFont::kFooter, TextAlign::kRightCentre,
                        frame.print_time));
}

}  // namespace quirovel
