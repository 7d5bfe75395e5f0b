// Everything the distribution graph ("Gráfica") draws, as numbers and texts:
// the statistics line, the vertical scale, each bar's day, colour, label and
// mark, and the five-day moving average. The window only paints them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analyses/uncoded_histogram.h"
#include "platform/cp1252.h"

namespace quirovel {

struct GraphDate {
  int year = 0, month = 0, day = 0;
};
// The next day of the Gregorian calendar.
GraphDate NextDay(GraphDate date);

enum class GraphMark { kNone, kShort, kLong };

struct GraphBar {
  GraphDate date;
  std::int32_t count = 0;
  unsigned char red = 0, green = 0, blue = 0;
  std::string label;  // "%d/%d" (day, month), or empty
  GraphMark mark = GraphMark::kNone;
};

struct GraphScaleMark {
  double value = 0;
  std::string label;  // "%4d"
};

struct GraphPoint {
  int bar = 0;
  double count = 0;  // the height, in episodes
};

struct GraphFigures {
  std::string title;
  std::string range_text;      // "DD/MM/AAAA -> DD/MM/AAAA"
  std::int64_t total = 0;      // N
  int days_with_episodes = 0;  // D
  std::int32_t mode = 0;       // Mo
  double mean = 0;             // X = N / D; 0 when D is 0
  int median_bar = 0;
  std::string median_date;  // "%d/%d/%d"
  double top = 10;          // T
  double step = 1;          // S
  std::vector<GraphScaleMark> scale;
  std::vector<GraphBar> bars;
  std::vector<GraphPoint> average;  // none with 4 bars or fewer
  std::string statistics;           // "N=%d, X=%7.2f Mo=%d Me=%s"
};

// The figures of a histogram's bars.
GraphFigures ComputeGraphFigures(const UncodedHistogram& histogram, std::string title);
// The vertical scale for a largest count: T and S.
void GraphScale(std::int32_t mode, double* top, double* step);

// Where the bars go in a drawing area of width x height pixels: 42 pixels
// from the left, sharing the width less 60; the baseline 50 pixels above the
// bottom; a count of T reaching 80 pixels below the top.
struct GraphLayout {
  double left = 42;
  double bar_width = 1;
  double baseline = 0;          // y of the baseline, from the top
  double pixels_per_count = 0;  // upwards from the baseline
};
GraphLayout LayOutGraph(const GraphFigures& figures, int width, int height);

// The two titles of the graphs.
inline constexpr const char* kUncodedGraphTitle = "Distribución altas no codificadas"_cp;
inline constexpr const char* kAdmissionsGraphTitle = "Distribución ingresos"_cp;

}  // namespace quirovel
