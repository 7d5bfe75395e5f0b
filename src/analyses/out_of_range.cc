#include "analyses/out_of_range.h"

#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

// FECALT read as a number; a blank date, or a table without FECALT, gives 0.
std::uint32_t DischargeNumber(const Session& s) {
  return static_cast<std::uint32_t>(DecimalValue(CView(CmbdFieldText(s, FECALT))));
}

std::string RangeText(std::uint32_t smallest, std::uint32_t largest) {
  return StrFormat("%ld -> %ld", static_cast<long>(smallest), static_cast<long>(largest));
}

}  // namespace

OutOfRangeResult ListOutOfRangeDischarges(Session& s, const AnalysisPeriod& period,
                                          const std::string& today) {
  OutOfRangeResult result;
  WarnAboutPeriod(s.feedback, period, today.empty() ? TodayDate() : today);
  s.feedback.ShowActivity("Buscando altas fuera de rango");
  if (!ReopenCurrentTable(s)) return result;
  ReportFile out;
  if (!out.Create(s.fs, OutputHostPath(s, "fuerango.txt"))) {
    s.feedback.Message("Error al abrir el fichero fuerango.txt");
    return result;
  }
  ReportHeading(out, s.config);
  const SplitDateParts from = SplitDate(period.start_text);
  const SplitDateParts to = SplitDate(period.end_text);
  out.WriteFormatted("ALTAS FUERA DE RANGO (%02d/%02d/%4d -> %02d/%02d/%4d)\n\n", from.day,
                     from.month, from.year, to.day, to.month, to.year);
  out.Write("Historia     Ingreso       Alta\n------------ ----------    ----------\n");

  const bool has_historia = s.field_map.Present(HISTORIA);
  const auto start = static_cast<std::uint32_t>(period.start);
  const auto end = static_cast<std::uint32_t>(period.end);
  std::string line;
  ProgressTracker progress(s.feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    const std::uint32_t d = DischargeNumber(s);
    if (d < result.smallest) result.smallest = d;
    if (d > result.largest) result.largest = d;
    if (d < start || d > end) {
      ++result.out_of_range;
      char ingreso[10], alta[10];
      DisplayDateInto(CView(CmbdFieldText(s, FECING)), ingreso);
      DisplayDateInto(CView(CmbdFieldText(s, FECALT)), alta);
      const std::string_view historia = has_historia ? CView(CmbdFieldText(s, HISTORIA)) : " ";
      line.clear();
      if (historia.size() < 12) line.append(12 - historia.size(), ' ');
      line.append(historia).append(" ").append(ingreso, 10).append(" -> ");
      line.append(alta, 10).append("\n");
      out.Write(line);
    }
    ++result.records_read;
    return true;
  });
  if (walk.end == WalkEnd::kStopped) {
    result.cancelled = true;
    s.feedback.ShowActivity("");
    return result;  // the last whole listing stays
  }
  result.result_text =
      StrFormat("Altas: %6ld   Fuera de Rango: %6ld", result.records_read, result.out_of_range);
  out.Write("-----------------------------------------------------------------\n");
  out.WriteFormatted("%s\n", result.result_text.c_str());
  s.feedback.ProgressPosition(static_cast<long>(s.table.record_count()));
  s.feedback.ShowActivity("");
  result.info_text = RangeText(result.smallest, result.largest);
  s.feedback.ShowInfo(result.info_text);
  out.WriteFormatted("\nPeriodo (aaaammdd): %s\n", result.info_text.c_str());
  result.status_text = StrFormat("Fuera de rango %6ld", result.out_of_range);
  s.feedback.ShowStatus(result.status_text);
  if (!out.Close()) {
    s.feedback.Message("Error al escribir fuerango.txt");
    return result;
  }
  result.completed = true;
  return result;
}

std::string DischargeRange::start_date() const { return std::to_string(smallest); }
std::string DischargeRange::end_date() const { return std::to_string(largest); }

DischargeRange FindDischargeRange(Session& s) {
  DischargeRange range;
  s.feedback.ShowActivity("Buscando rango de altas");
  if (!ReopenCurrentTable(s)) return range;
  ProgressTracker progress(s.feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    const std::uint32_t d = DischargeNumber(s);
    if (d < range.smallest && d > kDateFieldFloor) range.smallest = d;
    if (d > range.largest) range.largest = d;
    return true;
  });
  range.info_text = RangeText(range.smallest, range.largest);
  s.feedback.ShowActivity("");
  s.feedback.ShowInfo(range.info_text);
  progress.Finish();
  if (walk.end == WalkEnd::kStopped) {
    range.cancelled = true;  // the date fields keep their values
    return range;
  }
  range.start_set = range.smallest > kDateFieldFloor && range.smallest < kDateFieldCeiling;
  if (!range.start_set) s.feedback.Message("Alta: fuera de rango 1/1/1970 - 31/12/2019");
  range.end_set = range.largest > kDateFieldFloor && range.largest < kDateFieldCeiling;
  if (!range.end_set) s.feedback.Message("Alta: Fuera de rango 1/1/1970 - 31/12/2019");
  return range;
}

}  // namespace quirovel
