#include "analyses/episode_table.h"

#include "analyses/uncoded_summary.h"
#include "detection/report_text.h"
#include "output/progress_tracker.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/error_log_reader.h"

namespace quirovel {

std::string_view EpisodeTable::Header(int column) {
  if (column == kIdColumn) return "Id";
  return CmbdFieldName(column + 1);
}

std::string EpisodeTable::Id(std::size_t row) const {
  if (row >= rows_.size()) return {};
  const Row& r = rows_[row];
  return r.entry >= 0 ? StrFormat("%ld", static_cast<long>(r.entry))
                      : StrFormat("@%ld", static_cast<long>(r.record));
}

bool LoadRow(Session& s, const EpisodeTable& table, std::size_t row) {
  return row < table.size() && s.table.ReadRecord(table.Record(row)) == 0;
}

std::string_view RowField(const Session& s, int column) {
  if (column < 0 || column >= kCmbdFieldCount) return {};
  return CmbdFieldText(s, column + 1);
}

std::string RowText(const Session& s, const EpisodeTable& table, std::size_t row, int column) {
  return column == EpisodeTable::kIdColumn ? table.Id(row) : std::string(RowField(s, column));
}

std::string TypeFilter(int error_number) { return StrFormat("%2d", error_number); }

std::string ServiceFilter(std::string_view service_code) {
  return StrFormat("%ld", DecimalValue(service_code));
}

namespace {

void SearchErrors(Session& s, const EpisodeQuery& query, EpisodeTable* table,
                  EpisodeTableCounts* counts) {
  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    s.feedback.Message("error al abrir fallos.dat");
    counts->incomplete = true;
    return;
  }
  if (query.type_filter.empty() && query.service_filter.empty()) return;
  const bool by_service = !query.service_filter.empty();
  const std::int32_t n = s.config.ErrorCount();
  ProgressTracker progress(s.feedback);
  progress.Start(n);
  ErrorLogReader::Bytes entry;
  std::int64_t loaded = -1;
  std::string previous_history;
  bool any_before = false;
  for (std::int32_t k = 1; k <= n; ++k) {
    if ((k & 1023) == 0 && s.feedback.StopRequested()) {
      counts->stopped = true;
      return;
    }
    progress.Step(k);
    if (!log.Read(k, &entry)) {
      // Nothing can be read past the end of the log: one message, not one
      // for every entry the last run counted beyond it.
      s.feedback.Message("error lectura errores");
      counts->incomplete = true;
      break;
    }
    const std::int64_t record = EntryRecordNumber(entry);
    if (record != loaded) {
      if (ReadRecordAfter(s.table, loaded, record) != 0) {
        s.feedback.Message("ERROR AL LEER FICHERO CMBD");
        counts->incomplete = true;
        break;
      }
      loaded = record;
    }
    if (by_service) {
      if (CView(CmbdFieldText(s, SERVALT)) != query.service_filter) continue;
      const std::string_view history = CView(CmbdFieldText(s, HISTORIA));
      if (!any_before || history != previous_history) ++counts->service_episodes;
      previous_history.assign(history);
      any_before = true;
    } else if (ErrorNumberText(entry) != query.type_filter) {
      continue;
    }
    table->Add(record, k - 1);
  }
  progress.Finish();
}

}  // namespace

EpisodeTableCounts SearchEpisodes(Session& s, const EpisodeQuery& query, EpisodeTable* table) {
  EpisodeTableCounts counts;
  s.feedback.ShowActivity("Eliminando elementos de la tabla. (Puede durar unos minutos)");
  table->Clear();
  s.feedback.ShowActivity("Llenando tabla");
  if (!ReopenCurrentTable(s)) {
    s.feedback.ShowActivity("");
    counts.incomplete = true;
    return counts;
  }
  switch (query.mode) {
    case EpisodeTableMode::kSearchResult:
      for (std::size_t i = 0; i < query.records.size(); ++i) {
        if ((i & 1023) == 1023 && s.feedback.StopRequested()) {
          counts.stopped = true;
          break;
        }
        if (s.table.ReadRecord(query.records[i]) != 0) {
          counts.incomplete = true;
          break;
        }
        table->Add(query.records[i]);
      }
      break;
    case EpisodeTableMode::kUncodedOfService:
    case EpisodeTableMode::kDischargesOfService: {
      const bool uncoded_only = query.mode == EpisodeTableMode::kUncodedOfService;
      counts.service_name = s.references.services.ServiceName(query.service_code);
      ProgressTracker progress(s.feedback);
      const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t record) {
        if (TallyCode(s) == query.service_code && (!uncoded_only || IsUncoded(UncodedC1(s))))
          table->Add(record);
        return true;
      });
      counts.stopped = walk.end == WalkEnd::kStopped;
      counts.incomplete = walk.end == WalkEnd::kUnreadable;
      if (!counts.stopped) progress.Finish();
      break;
    }
    case EpisodeTableMode::kErrors:
      SearchErrors(s, query, table, &counts);
      break;
  }
  counts.rows = static_cast<std::int64_t>(table->size());
  s.feedback.ShowActivity("");
  return counts;
}

UncodedHistogram AdmissionsHistogram(Session& s, const EpisodeTable& table) {
  std::map<long, std::int32_t> by_date;
  std::int64_t loaded = -1;
  long fecing = 0;
  for (std::size_t row = 0; row < table.size(); ++row) {
    // The rows of one episode follow each other: it is read once.
    if (table.Record(row) != loaded) {
      if (ReadRecordAfter(s.table, loaded, table.Record(row)) != 0) break;
      loaded = table.Record(row);
      fecing = DecimalValue(CView(RowField(s, FECING - 1)));
    }
    ++by_date[fecing];
  }
  return DayHistogram(by_date, s.feedback);
}

bool FileAdmissionsHistogram(Session& s, UncodedHistogram* histogram) {
  std::map<long, std::int32_t> by_date;
  if (!ReopenCurrentTable(s)) return true;  // nothing to count
  ProgressTracker progress(s.feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    ++by_date[DecimalValue(CView(CmbdFieldText(s, FECING)))];
    return true;
  });
  if (walk.end == WalkEnd::kStopped) return false;
  progress.Finish();
  *histogram = DayHistogram(by_date, s.feedback);
  return true;
}

}  // namespace quirovel
