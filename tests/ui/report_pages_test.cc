// The page layout of a printed report, worked out by hand: factors and font
// sizes, the frame, page ends, shading and the grouped reports' headings.
#include "ui/report_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"

namespace quirovel {
namespace {

// Pages of a report held in memory, laid out at u = 1 (H = 3000, W = 2100).
std::vector<PrintedPage> Pages(const std::string& bytes, bool grouped = false,
                               PageGeometry geometry = {3000, 2100, 1}, double unit = 1) {
  MemoryFileSystem fs;
  fs.SetContents("/r.txt", bytes);
  PageSettings settings;
  settings.frame.title = "TITULO";
  settings.frame.band_text = "C:\\quirovel\\trabajo\\r.txt";
  settings.geometry = geometry;
  settings.factors = {unit, unit};
  settings.grouped = grouped;
  ReportPages source(settings,
                     std::make_unique<ReportLineReader>(fs.Open("/r.txt", OpenMode::kRead)));
  std::vector<PrintedPage> pages;
  PrintedPage page;
  while (source.Next(&page)) pages.push_back(page);
  return pages;
}

// The items under the band but the footer: the report's lines and their
// shading.
std::vector<PageItem> Body(const PrintedPage& page) {
  std::vector<PageItem> body;
  for (const PageItem& item : page.items)
    if (item.top >= kFirstLine && item.kind != PageItemKind::kRule &&
        item.font != PrintFont::kFooter)
      body.push_back(item);
  return body;
}

std::vector<std::string> Texts(const PrintedPage& page) {
  std::vector<std::string> texts;
  for (const PageItem& item : Body(page))
    if (item.kind == PageItemKind::kText) texts.push_back(item.text);
  return texts;
}

// Tops of the shaded slots.
std::vector<double> Shades(const PrintedPage& page) {
  std::vector<double> tops;
  for (const PageItem& item : Body(page))
    if (item.kind == PageItemKind::kFill) {
      EXPECT_EQ(item.colour, 0xF7F7F7u);
      EXPECT_EQ(item.bottom - item.top, 40);
      tops.push_back(item.top);
    }
  return tops;
}

std::string Numbered(int from, int to) {
  std::string bytes;
  for (int i = from; i <= to; ++i) bytes += "linea " + std::to_string(i) + "\r\n";
  return bytes;
}

TEST(PrintFactorsTest, UnitsAndFontSizesFollowThePageAndTheScales) {
  PrintFactors r = ReportFactors({3300, 2400, 1}, 1.0, 1.0);
  EXPECT_DOUBLE_EQ(r.unit, 1.1);
  EXPECT_DOUBLE_EQ(r.font, 1.1);
  r = ReportFactors({6000, 4200, 1}, 0.5, 0.7);
  EXPECT_DOUBLE_EQ(r.unit, 1.0);
  EXPECT_DOUBLE_EQ(r.font, 0.7);
  // The service list: vertical unit from H and the aspect, fonts from W.
  PrintFactors sv = ServiceReportFactors({1500, 2400, 2});
  EXPECT_DOUBLE_EQ(sv.unit, 1.0);
  EXPECT_DOUBLE_EQ(sv.font, 2.0);

  // Tenths of a point times f, truncated: 450 × 0.75 = 337.5 -> 337.
  EXPECT_EQ(ScaledTenths(PrintFont::kTitle, 0.75), 337);
  EXPECT_EQ(ScaledTenths(PrintFont::kFileLine, 0.75), 262);
  EXPECT_EQ(ScaledTenths(PrintFont::kBody, 0.75), 225);
  EXPECT_EQ(ScaledTenths(PrintFont::kBand, 0.75), 285);
  EXPECT_EQ(ScaledTenths(PrintFont::kServiceHeading, 0.75), 285);
  EXPECT_EQ(ScaledTenths(PrintFont::kTypeHeading, 0.75), 210);
  // At f = 1 the body font is one 40-unit line high.
  EXPECT_DOUBLE_EQ(FontPixels(PrintFont::kBody, 1.0), 40);
  EXPECT_EQ(ScaledTenths(PrintFont::kBody, 0), 0);
}

TEST(ReportPagesTest, AnEmptyReportPrintsOneFramedPage) {
  const std::vector<PrintedPage> pages = Pages("");
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(Texts(pages[0]).empty());
  const std::vector<PageItem>& items = pages[0].items;
  auto find = [&](PageItemKind kind, double top) {
    for (const PageItem& item : items)
      if (item.kind == kind && item.top == top) return item;
    ADD_FAILURE() << "no item at " << top;
    return PageItem{};
  };
  const PageItem picture = find(PageItemKind::kPicture, 1);
  EXPECT_EQ(picture.right - picture.left, 100);
  EXPECT_EQ(picture.bottom - picture.top, 55);
  const PageItem title = find(PageItemKind::kText, 0);
  EXPECT_EQ(title.text, "TITULO");
  EXPECT_EQ(title.bottom, 60);
  EXPECT_EQ(find(PageItemKind::kText, 62).bottom, 130);
  EXPECT_EQ(find(PageItemKind::kText, 87).align, TextAlign::kRightCentre);
  find(PageItemKind::kRule, 132);
  EXPECT_EQ(find(PageItemKind::kFill, 133).colour, 0xEEEEEEu);
  EXPECT_EQ(find(PageItemKind::kFill, 133).bottom, 197);
  EXPECT_EQ(find(PageItemKind::kText, 133).text, "C:\\quirovel\\trabajo\\r.txt");
  EXPECT_EQ(find(PageItemKind::kRule, 197).right, 2100);
  EXPECT_EQ(find(PageItemKind::kText, 2962).text, "P\xE1gina 1");
}

TEST(ReportPagesTest, FormFeedsEndPagesAndConsecutiveOnesLeaveEmptyFramedPages) {
  const std::vector<PrintedPage> pages = Pages("uno\r\n\f\r\n\f\r\ndos\r\n\f\r\n");
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(Texts(pages[0]), std::vector<std::string>{"uno"});
  EXPECT_TRUE(Texts(pages[1]).empty());
  EXPECT_EQ(Texts(pages[2]), std::vector<std::string>{"dos"});
  EXPECT_EQ(pages[2].number, 3);
}

TEST(ReportPagesTest, APageEndsWhenThePositionReachesTheUsableBottom) {
  // u = 1: lines at 208, 248, ...; after the 68th the position is 2928,
  // past H - 80u = 2920.
  std::vector<PrintedPage> pages = Pages(Numbered(1, 68));
  ASSERT_EQ(pages.size(), 1u);  // no empty page after a full one
  EXPECT_EQ(Texts(pages[0]).size(), 68u);
  EXPECT_EQ(Body(pages[0]).back().top, 208 + 67 * 40);
  pages = Pages(Numbered(1, 69));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Texts(pages[1]), std::vector<std::string>{"linea 69"});
  // A printer scale of 0.5 halves the unit: (5920 - 208) / 40 -> 143 lines.
  pages = Pages(Numbered(1, 200), false, {3000, 2100, 1}, 0.5);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Texts(pages[0]).size(), 143u);
}

TEST(ReportPagesTest, EverySecondOrdinaryLineIsShadedCountingAcrossPages) {
  const std::vector<PrintedPage> pages = Pages(Numbered(1, 100));
  ASSERT_EQ(pages.size(), 2u);
  const std::vector<double> first = Shades(pages[0]);
  ASSERT_EQ(first.size(), 34u);  // lines 2, 4, ..., 68
  EXPECT_EQ(first[0], 248);
  // Line 69 opens page 2 unshaded; line 70 is shaded.
  const std::vector<double> second = Shades(pages[1]);
  ASSERT_EQ(second.size(), 16u);
  EXPECT_EQ(second[0], 248);
}

TEST(ReportPagesTest, GroupedLayoutSetsTheServiceAndTypeHeadingsApart) {
  const std::string report =
      "^NPEDIATRIA\r\n"
      "=====\r\n"
      "  E61  Historia incorrecta\r\n"
      "       SERVICIO HISTORIA\r\n"
      "       --------\r\n"
      "          70440 1001\r\n"
      "          70440 1002\r\n"
      "          70440 1003\r\n"
      "          70440 1004\r\n";
  const std::vector<PrintedPage> pages = Pages(report, true);
  const std::vector<PageItem> body = Body(pages[0]);
  std::vector<PageItem> texts;
  for (const PageItem& item : body)
    if (item.kind == PageItemKind::kText) texts.push_back(item);
  ASSERT_EQ(texts.size(), 9u);
  EXPECT_EQ(texts[0].text, "PEDIATRIA");
  EXPECT_EQ(texts[0].font, PrintFont::kServiceHeading);
  EXPECT_EQ(texts[1].top, 208 + 54);
  EXPECT_EQ(texts[2].text, "  E61  Historia incorrecta");
  EXPECT_EQ(texts[2].font, PrintFont::kTypeHeading);
  EXPECT_EQ(texts[3].top, 208 + 54 + 40 + 50);
  EXPECT_EQ(texts[3].font, PrintFont::kBody);
  // Fourth ordinary line after the heading (the second episode) is the
  // first shaded, then every second one.
  EXPECT_EQ(Shades(pages[0]), (std::vector<double>{texts[6].top, texts[8].top}));
}

TEST(ReportLineReaderTest, LineEndsLongLinesAndALastLineWithoutItsEnd) {
  MemoryFileSystem fs;
  const std::string long_line(300, 'x');
  const std::string exact(254, 'y');
  fs.SetContents("/r.txt", long_line + "\r\n" + exact + "\r\n" + std::string(254, 'z') + "\fzz\n" +
                               "\r\n" + "sin fin");
  ReportLineReader reader(fs.Open("/r.txt", OpenMode::kRead));
  std::vector<ReportLine> lines;
  ReportLine line;
  while (reader.Next(&line)) lines.push_back(line);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].text, std::string(254, 'x'));
  EXPECT_EQ(lines[1].text, std::string(46, 'x'));
  EXPECT_TRUE(lines[1].continuation);
  EXPECT_EQ(lines[2].text, exact);
  EXPECT_FALSE(lines[3].continuation);
  EXPECT_EQ(lines[4].text, "\fzz");  // a continuation: never a page end
  EXPECT_TRUE(lines[4].continuation);
  EXPECT_EQ(lines[5].text, "");
  EXPECT_EQ(lines[6].text, "sin fin");  // whole, though it has no line end

  // A carriage return that is not a line end stays part of the text.
  fs.SetContents("/c.txt", std::string(254, 'a') + "\rb\r\n");
  ReportLineReader cr(fs.Open("/c.txt", OpenMode::kRead));
  ASSERT_TRUE(cr.Next(&line));
  EXPECT_EQ(line.text.size(), 254u);
  ASSERT_TRUE(cr.Next(&line));
  EXPECT_EQ(line.text, "\rb");
  EXPECT_FALSE(cr.Next(&line));
}

}  // namespace
}  // namespace quirovel
