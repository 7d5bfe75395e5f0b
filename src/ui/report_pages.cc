#include "ui/report_pages.h"

namespace quirovel {
namespace {

constexpr char kFormFeed = 12;
constexpr int kMaxLinesPerPage = 4096;

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

PageItem LineText(double y, double height, double width, PrintFont font, std::string text) {
  PageItem item;
  item.kind = PageItemKind::kText;
  item.top = y;
  item.right = width;
  item.bottom = y + height;
  item.font = font;
  item.align = TextAlign::kLeftTop;
  item.text = std::move(text);
  return item;
}

}  // namespace

ReportPages::ReportPages(PageSettings settings, std::unique_ptr<LineSource> lines)
    : settings_(std::move(settings)), lines_(std::move(lines)) {}

bool ReportPages::Pending() {
  if (!has_line_ && !lines_ended_) {
    has_line_ = lines_ && lines_->Next(&line_);
    lines_ended_ = !has_line_;
  }
  return has_line_;
}

void ReportPages::AddLine(const ReportLine& line, double* y, std::vector<PageItem>* items) {
  const double width = settings_.geometry.width / settings_.factors.unit;
  if (settings_.grouped && !line.continuation) {
    if (StartsWith(line.text, "  E")) {
      items->push_back(
          LineText(*y, kLinePitch + kTypeHeadingExtra, width, PrintFont::kTypeHeading, line.text));
      *y += kLinePitch + kTypeHeadingExtra;
      ordinary_ = -2;
      return;
    }
    if (StartsWith(line.text, "^N")) {
      items->push_back(LineText(*y, kLinePitch + kServiceHeadingExtra, width,
                                PrintFont::kServiceHeading, line.text.substr(2)));
      *y += kLinePitch + kServiceHeadingExtra;
      ordinary_ = -2;
      return;
    }
  }
  ++ordinary_;
  if (ordinary_ > 0 && ordinary_ % 2 == 0) {
    PageItem shade;
    shade.kind = PageItemKind::kFill;
    shade.top = *y;
    shade.right = width;
    shade.bottom = *y + kLinePitch;
    shade.colour = kShadeColour;
    items->push_back(shade);
  }
  items->push_back(LineText(*y, kLinePitch, width, PrintFont::kBody, line.text));
  *y += kLinePitch;
}

bool ReportPages::Next(PrintedPage* page) {
  if (pages_ > 0 && !Pending()) return false;
  page->number = ++pages_;
  page->items.clear();
  const PageGeometry& g = settings_.geometry;
  const double u = settings_.factors.unit;
  AddFrame(settings_.frame, page->number, g.width / u, g.height / u, &page->items);
  double y = kFirstLine + (settings_.frame.column_heading.empty() ? 0 : kLinePitch);
  // However small a unit a damaged setting gives, a page holds a bounded
  // number of lines.
  for (int n = 0; n < kMaxLinesPerPage && Pending(); ++n) {
    has_line_ = false;
    if (!line_.continuation && !line_.text.empty() && line_.text[0] == kFormFeed) break;
    AddLine(line_, &y, &page->items);
    if (y * u >= g.height - kBottomMargin * u) break;
  }
  return true;
}

}  // namespace quirovel
