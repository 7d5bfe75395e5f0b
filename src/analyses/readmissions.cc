#include "analyses/readmissions.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "analyses/readmissions_key_file.h"
#include "analyses/readmissions_overlaps.h"
#include "analyses/readmissions_services.h"
#include "detection/sort_entry_index.h"
#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

// The texts of one selected episode that the walks need, read once in the
// selection pass so that the walk in key order does not jump about the table.
// Texts end at a zero byte, as the program reads every field.
struct SelectedEpisode {
  std::string historia;  // " " when the table has no HISTORIA
  std::string fecing, fecalt, c1, servalt, asistenc;
  long tiping = 0;
};

enum class Pass { kFirst, kAssistance };

// The episodes of one pass, in selection order, with their keys.
struct Selection {
  std::vector<SelectedEpisode> episodes;
  std::vector<std::string> keys;
  std::vector<std::int32_t> index;  // entry index: selection numbers, sorted by key
  long smallest_fecing = 20501231;
  long largest_fecing = 0;
  bool stopped = false;
  bool unusable = false;  // the table could not be reopened
};

std::string FieldOf(const Session& s, int k) { return std::string(CView(CmbdFieldText(s, k))); }

// A text with no character other than blanks among its first `width`.
bool Blank(std::string_view text, std::size_t width) {
  return text.substr(0, std::min(width, text.size())).find_first_not_of(' ') ==
         std::string_view::npos;
}

// The day number of an AAAAMMDD date of eight digits and a month 1..12; none
// for a blank or malformed date, which then gives no day difference at all.
bool DayOf(std::string_view date, long* day) {
  if (date.size() != 8) return false;
  for (char c : date)
    if (c < '0' || c > '9') return false;
  const SplitDateParts p = SplitDate(date);
  if (p.month < 1 || p.month > 12) return false;
  *day = DayNumber(p.year, p.month, p.day);
  return true;
}

// Selects the episodes admitted in the period into "temp.dat" and memory:
// the first pass keyed by HISTORIA, C1 or SERVALT, and FECING; the second by
// ASISTENC. Ends, after its message, at a write that falls short or at the
// 30001st episode.
Selection Select(Session& s, const ReadmissionsRequest& request, Pass pass,
                 ReadmissionKeyFile& file, ProgressTracker& progress) {
  Selection sel;
  if (!ReopenCurrentTable(s)) {
    sel.unusable = true;
    return sel;
  }
  const bool has_historia = s.field_map.Present(HISTORIA);
  bool write_failed = false;
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t r) {
    const std::string fecing = FieldOf(s, FECING);
    const long number = DecimalValue(fecing);
    if (number < sel.smallest_fecing) sel.smallest_fecing = number;
    if (number > sel.largest_fecing) sel.largest_fecing = number;
    if (number < request.period.start || number > request.period.end) return true;
    SelectedEpisode e;
    e.historia = has_historia ? FieldOf(s, HISTORIA) : " ";
    e.tiping = DecimalValue(CView(CmbdFieldText(s, TIPING)));
    std::string key;
    if (pass == Pass::kFirst) {
      e.fecing = fecing;
      e.fecalt = FieldOf(s, FECALT);
      e.c1 = FieldOf(s, C1);
      e.servalt = FieldOf(s, SERVALT);
      key = has_historia ? e.historia : std::string();
      key += request.mode == ReadmissionMode::kSameC1 ? e.c1 : e.servalt;
      key += fecing;
    } else {
      e.asistenc = FieldOf(s, ASISTENC);
      key = e.asistenc;
    }
    sel.keys.emplace_back(ReadmissionKeyFile::StoredKey(key));
    sel.episodes.push_back(std::move(e));
    if (!file.Add(key, static_cast<std::uint32_t>(r))) {
      write_failed = true;
      return false;
    }
    if (static_cast<long>(sel.episodes.size()) >= kMaxReadmissionEpisodes) {
      if (!file.Flush()) {
        write_failed = true;
        return false;
      }
      s.feedback.Message("Demasiados registros");
      return false;
    }
    return true;
  });
  sel.stopped = walk.end == WalkEnd::kStopped;
  if (!write_failed && !file.Flush()) write_failed = true;
  if (write_failed) {
    // The episodes analysed are those whose records reached the file.
    s.feedback.Message("error escritura");
    const auto kept = static_cast<std::size_t>(file.records());
    if (sel.episodes.size() > kept) {
      sel.episodes.resize(kept);
      sel.keys.resize(kept);
    }
  }
  const auto n = static_cast<std::int64_t>(sel.episodes.size());
  sel.index.resize(static_cast<std::size_t>(n));
  for (std::int32_t k = 0; k < n; ++k) sel.index[static_cast<std::size_t>(k)] = k;
  if (!sel.stopped) SortEntryIndex(sel.index, n, sel.keys);
  return sel;
}

// The walk in key order: duplicates, readmissions, and the overlaps of each
// history's episodes.
class ReadmissionWalk {
 public:
  ReadmissionWalk(Session& s, const ReadmissionsRequest& request, ReportFile& out,
                  ReadmissionsByService& services, ReadmissionsResult& result)
      : s_(s), request_(request), out_(out), services_(services), result_(result) {}

  bool Run(const Selection& sel) {
    for (std::size_t i = 0; i < sel.index.size(); ++i) {
      if ((i & 1023) == 0 && s_.feedback.StopRequested()) return false;
      Visit(sel.episodes[static_cast<std::size_t>(sel.index[i])]);
    }
    result_.overlaps += list_.WriteOverlaps(out_, current_history_, s_.references.services);
    return true;
  }

 private:
  void Visit(const SelectedEpisode& e) {
    // A new history: the last one's episodes are checked for overlaps.
    if (e.historia != current_history_) {
      result_.overlaps += list_.WriteOverlaps(out_, current_history_, s_.references.services);
      current_history_ = e.historia;
      list_.Clear();
      list_.Add(e.fecalt, e.fecing, e.servalt);
    } else if (list_.Add(e.fecalt, e.fecing, e.servalt) == HistoryEpisodeList::kMaxEpisodes) {
      s_.feedback.Message(
          StrFormat("La historia %s tiene demasiados episodios", e.historia.c_str()));
      list_.Clear();
    }
    const ServiceTable& services = s_.references.services;
    const bool same_history = previous_ != nullptr && e.historia == previous_->historia;
    if (same_history && e.fecalt == previous_->fecalt) {
      out_.WriteFormatted("%9s %-20.20s %8s %8s -> %s, %s -> %s Duplicada\n", e.historia.c_str(),
                          services.ServiceName(e.servalt).c_str(), " ", previous_->fecing.c_str(),
                          previous_->fecalt.c_str(), e.fecing.c_str(), e.fecalt.c_str());
      ++result_.duplicates;
    }
    const bool by_c1 = request_.mode == ReadmissionMode::kSameC1;
    const bool candidate =
        same_history && (by_c1 ? e.c1 == previous_->c1 && !Blank(previous_->c1, 6)
                               : e.servalt == previous_->servalt && !Blank(previous_->servalt, 5));
    long admitted = 0, discharged = 0;
    if (candidate && DayOf(e.fecing, &admitted) && DayOf(previous_->fecalt, &discharged)) {
      const long d = admitted >= discharged ? admitted - discharged : discharged - admitted;
      if (d <= request_.days) Readmission(e, d);
    }
    previous_ = &e;
  }

  void Readmission(const SelectedEpisode& e, long d) {
    const bool not_programmed = e.tiping == 1;
    ++result_.readmissions;
    if (not_programmed) ++result_.not_programmed;
    const bool by_c1 = request_.mode == ReadmissionMode::kSameC1;
    std::string line = StrFormat("%9s %-20.20s ", e.historia.c_str(),
                                 s_.references.services.ServiceName(e.servalt).c_str());
    line += StrFormat("%8s ", by_c1 ? e.c1.c_str() : e.servalt.c_str());
    line += StrFormat("%s -> %s, ", previous_->fecing.c_str(), previous_->fecalt.c_str());
    line += StrFormat("%s -> ", e.fecing.c_str());
    line += not_programmed ? StrFormat("%s   %4ld * No Prog\n", e.fecalt.c_str(), d)
                           : StrFormat("%s   %4ld\n", e.fecalt.c_str(), d);
    out_.Write(line);
    services_.Count(e.servalt, SplitDate(e.fecing).month, not_programmed);
  }

  Session& s_;
  const ReadmissionsRequest& request_;
  ReportFile& out_;
  ReadmissionsByService& services_;
  ReadmissionsResult& result_;
  std::string current_history_;
  HistoryEpisodeList list_;
  const SelectedEpisode* previous_ = nullptr;
};

// The walk of the second pass: an ASISTENC equal to the one before, in an
// episode that is not major ambulatory surgery (TIPING 3), is a repeat.
long WriteRepeatedAssistance(ReportFile& out, const Selection& sel) {
  long repeated = 0;
  const SelectedEpisode* previous = nullptr;  // holds the previous ASISTENC
  const std::string* previous_history = nullptr;
  for (std::int32_t k : sel.index) {
    const SelectedEpisode& e = sel.episodes[static_cast<std::size_t>(k)];
    if (previous != nullptr && e.asistenc == previous->asistenc && e.tiping != 3) {
      out.WriteFormatted("%9s  %9s     %s\n", e.historia.c_str(), previous_history->c_str(),
                         e.asistenc.c_str());
      ++repeated;
    } else {
      previous = &e;
    }
    previous_history = &e.historia;
  }
  return repeated;
}

}  // namespace

ReadmissionsResult FindReadmissions(Session& s, const ReadmissionsRequest& req) {
  ReadmissionsResult result;
  ReadmissionsRequest request = req;
  if (request.period.end == 0) request.period.end = 20501231;
  WarnAboutPeriod(s.feedback, request.period, request.today.empty() ? TodayDate() : request.today);
  ReadmissionsByService services(s);

  ReportFile out;
  if (!out.Create(s.fs, OutputHostPath(s, "reingr.txt"))) {
    s.feedback.Message("Error al abrir el fichero de reingresos.txt");
    return result;
  }
  ReadmissionKeyFile temp;
  const std::string temp_path = OutputHostPath(s, "temp.dat");
  if (!temp.Open(s.fs, temp_path, false)) {
    s.feedback.Message("error al abrir temp.dat");
    return result;
  }

  ProgressTracker progress(s.feedback);  // each pass moves the bar over the file
  const Selection first = Select(s, request, Pass::kFirst, temp, progress);
  if (first.unusable) return result;
  result.cancelled = first.stopped;
  if (result.cancelled) return result;

  ReportHeading(out, s.config);
  out.WriteFormatted("Reingresos periodo: %s -> %s [%ld -> %ld]  en %d dias\n\n",
                     request.period.start_text.c_str(), request.period.end_text.c_str(),
                     first.smallest_fecing, first.largest_fecing, request.days);
  out.WriteFormatted("%13s %-20s %8s %8s    %8s  %8s    %8s dias/Coment.\n", "HISTORIA", "Servicio",
                     "C1  ", "Ingreso", "Alta", "Ingreso", "Alta");
  out.Write(
      "============= ==================== ======== ========    ========  ========    ======== "
      "=================\n");
  s.feedback.ShowStatus("Buscando duplicaciones");
  ReadmissionWalk walk(s, request, out, services, result);
  if (!walk.Run(first)) {
    result.cancelled = true;
    return result;
  }
  temp.Close();

  out.Write("\n\nHistoria  Historia  Numero de asistencia\n");
  out.Write("========= ========= =====================\n");
  if (!temp.Open(s.fs, temp_path, true)) {
    s.feedback.Message("Error al abrir fichero temporal");
    services.Write(s);
    out.Close();  // what was written stays
    return result;
  }
  const Selection second = Select(s, request, Pass::kAssistance, temp, progress);
  temp.Close();
  if (second.unusable) return result;
  if (second.stopped) {
    result.cancelled = true;
    return result;
  }
  result.repeated_assistance = WriteRepeatedAssistance(out, second);
  // The service tables are written once nothing can stop the analysis: a
  // cancelled one leaves all three reports of the last one.
  const bool tables_written = services.Write(s);

  progress.Finish();
  out.Write("-----------------------------------------\n");
  out.WriteFormatted(
      "\nTotal duplicadas   = %5ld + %5ld Nº asist\nTotal reingresos   = %5ld en %d dias, de "
      "los cuales %ld son no programados\n"_cp,
      result.duplicates, result.repeated_assistance, result.readmissions, request.days,
      result.not_programmed);
  out.WriteFormatted("Total solapamientos= %5ld\n", result.overlaps);
  result.result_text = StrFormat(
      "Duplicadas:%7ld + %7ld números de asistencia duplicados,      Reingresos:%7ld en %4d "
      "dias, de los cuales %ld son no programados. Solapamiento de fechas:%6ld"_cp,
      result.duplicates, result.repeated_assistance, result.readmissions, request.days,
      result.not_programmed, result.overlaps);
  if (!out.Close()) {
    s.feedback.Message("Error al escribir reingr.txt");
    return result;
  }
  result.completed = tables_written;
  return result;
}

}  // namespace quirovel
