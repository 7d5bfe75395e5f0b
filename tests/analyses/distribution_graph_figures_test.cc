// The figures of the distribution graph: statistics, scale, bar labels and
// marks, the moving average.
#include "analyses/distribution_graph_figures.h"

#include <gtest/gtest.h>

namespace quirovel {
namespace {

UncodedHistogram Histogram(std::vector<std::int32_t> counts, int bars, long first) {
  UncodedHistogram h;
  for (std::size_t i = 0; i < counts.size(); ++i) h.counters[i] = counts[i];
  h.bars = bars;
  h.first_date = first;
  h.last_date = first;
  return h;
}

TEST(GraphFigures, StatisticsLineAndMedian) {
  GraphFigures f = ComputeGraphFigures(Histogram({0, 3, 1}, 3, 20050301), "T");
  EXPECT_EQ(f.total, 4);
  EXPECT_EQ(f.days_with_episodes, 2);
  EXPECT_EQ(f.mode, 3);
  EXPECT_EQ(f.median_bar, 1);  // the running sum first exceeds 2 on the second day
  EXPECT_EQ(f.statistics, "N=4, X=   2.00 Mo=3 Me=2/3/2005");
  EXPECT_EQ(f.range_text, "01/03/2005 -> 01/03/2005");

  // No episode at all: the first day, and X of 0.
  f = ComputeGraphFigures(Histogram({0, 0}, 2, 20051231), "T");
  EXPECT_EQ(f.statistics, "N=0, X=   0.00 Mo=0 Me=31/12/2005");
}

TEST(GraphFigures, VerticalScale) {
  const struct {
    std::int32_t mode;
    double top, step;
  } cases[] = {{0, 10, 1},   {7, 10, 1},     {10, 25, 2.5},  {25, 50, 5},      {37, 75, 5},
               {77, 100, 5}, {100, 100, 25}, {230, 250, 25}, {1200, 1500, 250}};
  for (const auto& c : cases) {
    double top = 0, step = 0;
    GraphScale(c.mode, &top, &step);
    EXPECT_EQ(top, c.top) << c.mode;
    EXPECT_EQ(step, c.step) << c.mode;
  }
  const GraphFigures f = ComputeGraphFigures(Histogram({10}, 1, 20050301), "T");
  ASSERT_EQ(f.scale.size(), 10u);  // 2.5 to 25
  EXPECT_EQ(f.scale[0].label, "   2");
  EXPECT_EQ(f.scale[9].label, "  25");
}

TEST(GraphFigures, BarsDaysLabelsAndColours) {
  // 27/02/2004 (a leap year) for 10 days: into March.
  const GraphFigures f = ComputeGraphFigures(Histogram({}, 10, 20040227), "T");
  ASSERT_EQ(f.bars.size(), 10u);
  EXPECT_EQ(f.bars[0].label, "27/2");
  EXPECT_EQ(f.bars[0].mark, GraphMark::kLong);
  EXPECT_EQ(f.bars[2].date.day, 29);
  EXPECT_EQ(f.bars[3].label, "1/3");  // the month changes
  EXPECT_EQ(f.bars[3].mark, GraphMark::kLong);
  EXPECT_EQ(f.bars[7].date.day, 5);
  EXPECT_EQ(f.bars[7].mark, GraphMark::kShort);
  EXPECT_EQ(f.bars[7].label, "");
  EXPECT_EQ(f.bars[4].mark, GraphMark::kNone);
  EXPECT_EQ(f.bars[9].red, (32 * 9) % 256);
  EXPECT_EQ(f.bars[9].green, 16 * 9);
  EXPECT_EQ(f.bars[9].blue, 8 * 9);

  // Day 15 is labelled below 300 bars; at 300 only the months are.
  const GraphFigures short_period = ComputeGraphFigures(Histogram({}, 20, 20051201), "T");
  EXPECT_EQ(short_period.bars[14].label, "15/12");
  const GraphFigures year = ComputeGraphFigures(Histogram({}, 300, 20051201), "T");
  EXPECT_EQ(year.bars[14].label, "");
  EXPECT_EQ(year.bars[14].mark, GraphMark::kNone);
  EXPECT_EQ(year.bars[31].label, "1/1");  // and the year goes on
  EXPECT_EQ(year.bars[31].date.year, 2006);
}

TEST(GraphFigures, FiveDayMovingAverage) {
  EXPECT_TRUE(ComputeGraphFigures(Histogram({5, 5, 5, 5}, 4, 20050301), "T").average.empty());
  const GraphFigures f = ComputeGraphFigures(Histogram({1, 2, 3, 4, 5, 6}, 6, 20050301), "T");
  ASSERT_EQ(f.average.size(), 3u);
  EXPECT_EQ(f.average[0].count, 1);  // (1 + 2) / 2, whole part
  EXPECT_EQ(f.average[1].bar, 2);
  EXPECT_DOUBLE_EQ(f.average[1].count, 3);  // (1 + 2 + 3 + 4 + 5) / 5
  EXPECT_DOUBLE_EQ(f.average[2].count, 4);
}

}  // namespace
}  // namespace quirovel
