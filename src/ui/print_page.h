// A printed page as plain values: what goes where, in the page's own units,
// with no drawing library involved. The window paints these items on any
// printer, a print preview or a PDF file; the tests read them directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quirovel {

// The printable area of the device in device pixels, and A = ASPECTX /
// ASPECTY, the width of a device pixel over its height.
struct PageGeometry {
  double height = 0;  // H
  double width = 0;   // W
  double aspect = 1;  // A
};

// One unit is `unit` device pixels, vertically and horizontally; font sizes
// are multiplied by `font`.
struct PrintFactors {
  double unit = 0;  // u
  double font = 0;  // f
};

// Reports: u = printerScale × H / 3000, f = H / 3000 × printerScale × scale.
PrintFactors ReportFactors(const PageGeometry& page, double printer_scale, double scale);
// The uncoded discharges of one service: u = H × A / 3000, f = W × A / 2400.
PrintFactors ServiceReportFactors(const PageGeometry& page);

enum class PrintFont {
  kTitle,           // "Arial" 450
  kFileLine,        // "Arial Black" 350
  kBody,            // "Courier New" 300
  kBand,            // "Arial Black" 380
  kServiceHeading,  // "Arial Black" 380
  kTypeHeading,     // "Arial Black" 280
  kFooter,          // "Arial" 200
};

struct PrintFontFace {
  const char* family;
  int tenths;  // tenths of a point before the font factor
};
PrintFontFace FontFace(PrintFont font);
// The font's size in tenths of a point: its size times f, truncated.
int ScaledTenths(PrintFont font, double font_factor);
// Its em height in device pixels. The sizes are points of a 96-dot-per-inch
// screen scaled by f, so that at scale 1 the body font is exactly one 40-unit
// line high whatever the printer's resolution.
double FontPixels(PrintFont font, double font_factor);

enum class PageItemKind { kPicture, kFill, kRule, kText };
enum class TextAlign {
  kLeftTop,      // the report's lines and the band's text
  kCentre,       // the title and the file line
  kRightCentre,  // the date of the last run, the print time
  kLeftCentre,   // the page number
};

// Rectangles in units from the printable area's top-left corner; a rule runs
// along `top` from `left` to `right`.
struct PageItem {
  PageItemKind kind = PageItemKind::kText;
  double left = 0, top = 0, right = 0, bottom = 0;
  std::uint32_t colour = 0;  // kFill: 0xRRGGBB
  PrintFont font = PrintFont::kBody;
  TextAlign align = TextAlign::kLeftTop;
  std::string text;  // Windows-1252
};

struct PrintedPage {
  int number = 0;  // from 1
  std::vector<PageItem> items;
};

// What the frame of every page of one print job shows.
struct PageFrame {
  std::string title;      // the page title
  std::string file_line;  // the current CMBD-A file
  std::string run_date;   // date and time of the last detection run
  std::string band_text;  // the report's path, or what stands in its place
  std::string print_time;
  std::string column_heading;  // when not empty: a body line under the band on every page
};

// Positions of the frame, in units.
inline constexpr double kFirstLine = 208;
inline constexpr double kLinePitch = 40;
inline constexpr double kBottomMargin = 80;
inline constexpr std::uint32_t kBandColour = 0xEEEEEE;
inline constexpr std::uint32_t kShadeColour = 0xF7F7F7;

// The frame of page `number`: picture, title, file line, date of the last
// run, rules, the shaded band and its text, and the footer (page number and
// print time below the usable bottom).
void AddFrame(const PageFrame& frame, int number, double width_units, double height_units,
              std::vector<PageItem>* items);

// Gives the pages of one print job one at a time, so that a report of any
// length is printed in the memory of one page.
class PageSource {
 public:
  virtual ~PageSource() = default;
  // The next page; false when the job has no more.
  virtual bool Next(PrintedPage* page) = 0;
};

}  // namespace quirovel
