#include "analyses/distribution_graph_figures.h"

#include <algorithm>
#include <cmath>

#include "platform/format.h"
#include "storage/dates.h"

namespace quirovel {
namespace {

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
  return month >= 1 && month <= 12 ? kDays[month - 1] : 31;
}

}  // namespace

GraphDate NextDay(GraphDate d) {
  if (++d.day > DaysInMonth(d.year, d.month)) {
    d.day = 1;
    if (++d.month > 12) {
      d.month = 1;
      ++d.year;
    }
  }
  return d;
}

void GraphScale(std::int32_t mode, double* top, double* step) {
  const int k = mode > 0 ? static_cast<int>(std::floor(std::log10(static_cast<double>(mode)))) : 0;
  double t = 10, s = 1;
  if (k >= 1) {
    t = std::pow(10.0, k);
    s = 5 * std::pow(10.0, k - 1);
    while (t < mode) t += s;
    if (mode <= 10)
      t = 25;
    else if (mode <= 25)
      t = 50;
    else if (mode <= 76)
      t = 75;
    else if (mode < 100)
      t = 100;
  }
  if (t / s < 10) s /= 2;
  *top = t;
  *step = s;
}

GraphFigures ComputeGraphFigures(const UncodedHistogram& h, std::string title) {
  GraphFigures f;
  f.title = std::move(title);
  const auto date_text = [](long d) { return DisplayDate(StrFormat("%08ld", d)); };
  f.range_text = date_text(h.first_date) + " -> " + date_text(h.last_date);
  const int bars = std::clamp(h.bars, 0, kHistogramDays);
  auto count = [&](int i) { return h.counters[static_cast<std::size_t>(i)]; };
  for (int i = 0; i < bars; ++i) {
    f.total += count(i);
    if (count(i) != 0) ++f.days_with_episodes;
    f.mode = std::max(f.mode, count(i));
  }
  f.mean = f.days_with_episodes == 0 ? 0.0 : static_cast<double>(f.total) / f.days_with_episodes;
  std::int64_t running = 0;
  for (int i = 0; i < bars; ++i) {
    running += count(i);
    if (running > f.total / 2) {
      f.median_bar = i;
      break;
    }
  }

  GraphDate date{static_cast<int>(h.first_date / 10000), static_cast<int>(h.first_date / 100 % 100),
                 static_cast<int>(h.first_date % 100)};
  for (int i = 0; i < bars; ++i) {
    GraphBar bar;
    bar.date = date;
    bar.count = count(i);
    bar.red = static_cast<unsigned char>((32 * i) % 256);
    bar.green = static_cast<unsigned char>((16 * i) % 256);
    bar.blue = static_cast<unsigned char>((8 * i) % 256);
    if (i == 0 || date.month != f.bars.back().date.month) {
      bar.label = StrFormat("%d/%d", date.day, date.month);
      bar.mark = GraphMark::kLong;
    } else if (bars < 300) {
      if (date.day == 5 || date.day == 10 || date.day == 20 || date.day == 25) {
        bar.mark = GraphMark::kShort;
      } else if (date.day == 15) {
        bar.label = StrFormat("%d/%d", 15, date.month);
        bar.mark = GraphMark::kShort;
      }
    }
    if (i == f.median_bar) f.median_date = StrFormat("%d/%d/%d", date.day, date.month, date.year);
    f.bars.push_back(std::move(bar));
    date = NextDay(date);
  }
  if (bars == 0) f.median_date = StrFormat("%d/%d/%d", date.day, date.month, date.year);

  GraphScale(f.mode, &f.top, &f.step);
  for (double v = f.step; v <= f.top + 1e-9; v += f.step)
    f.scale.push_back({v, StrFormat("%4d", static_cast<int>(v))});

  if (bars > 4) {
    f.average.push_back({0, static_cast<double>((count(0) + count(1)) / 2)});
    for (int i = 2; i <= bars - 3; ++i)
      f.average.push_back(
          {i, (count(i - 2) + count(i - 1) + count(i) + count(i + 1) + count(i + 2)) / 5.0});
  }
  f.statistics = StrFormat("N=%ld, X=%7.2f Mo=%d Me=%s", static_cast<long>(f.total), f.mean, f.mode,
                           f.median_date.c_str());
  return f;
}

GraphLayout LayOutGraph(const GraphFigures& f, int width, int height) {
  GraphLayout l;
  const auto bars = static_cast<double>(f.bars.size());
  l.bar_width = bars == 0 ? 1 : (width - 60) / bars;
  l.baseline = height - 50;
  l.pixels_per_count = f.top > 0 ? (l.baseline - 80) / f.top : 0;
  return l;
}

}  // namespace quirovel
