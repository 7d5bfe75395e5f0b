#include "analyses/uncoded_summary.h"

#include <algorithm>
#include <unordered_map>

#include "detection/report_text.h"
#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"
#include "validation/error_log_reader.h"

namespace quirovel {

const std::array<std::string_view, kSummaryColumns> kSummaryHeaders = {
    "Código"_cp,         "Servicio", "Frecuencia", "No codificado",
    "% Codificación"_cp, "Errores",  "% Errores"};

namespace {

std::string Percent(double value) { return StrFormat("%7.2f %%", value); }

double CodedShare(const ServiceTally& row) {
  return row.discharges == 0 ? 0.0
                             : static_cast<double>(row.discharges - row.uncoded) / row.discharges;
}

int CompareNoCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca =
        (a[i] >= 'A' && a[i] <= 'Z') ? a[i] - 'A' + 'a' : static_cast<unsigned char>(a[i]);
    const int cb =
        (b[i] >= 'A' && b[i] <= 'Z') ? b[i] - 'A' + 'a' : static_cast<unsigned char>(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename T>
int Sign(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

// The rows of the summary by code, for the walk and the error count.
class TallyIndex {
 public:
  explicit TallyIndex(UncodedSummary* summary) : summary_(*summary) {}

  // The row of the code, appended when new; -1 past the 999th.
  int RowOf(std::string_view code) {
    if (auto it = rows_.find(std::string(code)); it != rows_.end()) return it->second;
    if (summary_.rows.size() >= kMaxServiceTallies) return -1;
    const int row = static_cast<int>(summary_.rows.size());
    summary_.rows.push_back(ServiceTally{std::string(code)});
    rows_.emplace(std::string(code), row);
    return row;
  }
  int Find(std::string_view code) const {
    auto it = rows_.find(std::string(code));
    return it == rows_.end() ? -1 : it->second;
  }

 private:
  UncodedSummary& summary_;
  std::unordered_map<std::string, int> rows_;
};

// The errors of the last run counted by the discharge service of their episode.
void CountErrors(Session& s, UncodedSummary* summary, const TallyIndex& index) {
  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    s.feedback.Message("error al abrir fallos.dat");
    return;
  }
  const std::int32_t n = summary->last_run_errors;
  ProgressTracker progress(s.feedback);
  progress.Start(n);
  ErrorLogReader::Bytes entry;
  std::int64_t loaded = -1;
  int row = -1;
  for (std::int32_t k = 1; k <= n; ++k) {
    if ((k & 1023) == 0 && s.feedback.StopRequested()) {
      summary->stopped = true;
      return;
    }
    if (!log.Read(k, &entry)) {
      s.feedback.Message("error lectura errores");
      summary->incomplete = true;
      return;
    }
    const std::int64_t record = EntryRecordNumber(entry);
    if (record != loaded) {  // the errors of one episode follow each other
      if (ReadRecordAfter(s.table, loaded, record) != 0) {
        s.feedback.Message("ERROR AL LEER FICHERO CMBD");
        summary->incomplete = true;
        return;
      }
      loaded = record;
      row = index.Find(TallyCode(s));
    }
    if (row >= 0) ++summary->rows[static_cast<std::size_t>(row)].errors;
    progress.Step(k);
  }
}

}  // namespace

bool IsUncoded(std::string_view c1) {
  return c1.size() >= 6 && c1.substr(0, 6) == std::string_view("      ");
}

std::string_view TallyCode(const Session& s) {
  if (!s.field_map.Present(SERVALT)) return " ";
  return CView(CmbdFieldText(s, SERVALT)).substr(0, kMaxServiceCode);
}

std::string_view UncodedC1(const Session& s) {
  return s.field_map.Present(C1) ? CView(CmbdFieldText(s, C1)) : std::string_view(" ");
}

std::array<std::string, kSummaryColumns> SummaryRowTexts(const ServiceTally& row,
                                                         const ServiceTable& services,
                                                         std::int32_t last_run_errors) {
  return {row.code,
          services.ServiceName(row.code),
          StrFormat("%6d", row.discharges),
          StrFormat("%6d", row.uncoded),
          row.discharges == 0 ? std::string(" - ") : Percent(CodedShare(row) * 100),
          StrFormat("%6d", row.errors),
          last_run_errors < 1 ? std::string(" - ")
                              : Percent(static_cast<double>(row.errors) / last_run_errors * 100)};
}

void SortSummary(UncodedSummary* summary, const ServiceTable& services, int column, int direction) {
  struct Keyed {
    ServiceTally row;
    std::string name;  // looked up once, not at every comparison
  };
  std::vector<Keyed> keyed;
  keyed.reserve(summary->rows.size());
  for (ServiceTally& row : summary->rows) {
    std::string name = column == 1 ? services.ServiceName(row.code) : std::string();
    keyed.push_back({std::move(row), std::move(name)});
  }
  auto compare = [column](const Keyed& a, const Keyed& b) {
    switch (column) {
      case 0:
        return CompareNoCase(a.row.code, b.row.code);
      case 1:
        return CompareNoCase(a.name, b.name);
      case 2:
        return Sign(a.row.discharges, b.row.discharges);
      case 3:
        return Sign(a.row.uncoded, b.row.uncoded);
      case 4:
        return Sign(CodedShare(a.row), CodedShare(b.row));
      case 5:
      case 6:
        return Sign(a.row.errors, b.row.errors);
      default:
        return 0;
    }
  };
  std::stable_sort(keyed.begin(), keyed.end(),
                   [&](const Keyed& a, const Keyed& b) { return compare(a, b) * direction < 0; });
  for (std::size_t i = 0; i < keyed.size(); ++i) summary->rows[i] = std::move(keyed[i].row);
}

bool UncodedDistribution(Session& s, UncodedHistogram* histogram) {
  std::map<long, std::int32_t> by_date;
  if (!ReopenCurrentTable(s)) return true;  // nothing to count
  ProgressTracker progress(s.feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    if (IsUncoded(UncodedC1(s))) ++by_date[DecimalValue(CView(CmbdFieldText(s, FECALT)))];
    return true;
  });
  if (walk.end == WalkEnd::kStopped) return false;
  progress.Finish();
  *histogram = DayHistogram(by_date, s.feedback);
  return true;
}

bool WriteUncodedTotals(Session& s, const UncodedSummary& summary) {
  ReportFile out;
  if (!out.Create(s.fs, OutputHostPath(s, "altas.txt"))) {
    s.feedback.Message("Error al abrir fichero de altas.txt");
    return false;
  }
  ReportHeading(out, s.config);
  out.WriteFormatted(
      "\n\n  Codigo Servicio                  Altas  No codificadas    %%      Errores     %%\n");
  out.WriteFormatted(
      "  ------ ------------------------- ------ -------------- -------- -------- ---------\n");
  long discharges = 0, uncoded = 0, errors = 0;
  for (const ServiceTally& row : summary.rows) {
    const auto t = SummaryRowTexts(row, s.references.services, summary.last_run_errors);
    out.WriteFormatted("  %6.6s ", t[0].c_str());
    out.WriteFormatted("%-25.25s ", t[1].c_str());
    out.WriteFormatted("%6.6s ", t[2].c_str());
    out.WriteFormatted("%9.9s     ", t[3].c_str());
    out.WriteFormatted("%9.9s ", t[4].c_str());
    out.WriteFormatted("%8.8s ", t[5].c_str());
    out.WriteFormatted("%9.9s\n", t[6].c_str());
    discharges += DecimalValue(t[2]);
    uncoded += DecimalValue(t[3]);
    errors += DecimalValue(t[5]);
  }
  out.WriteFormatted(
      "  ------ ------------------------- ------ -------------- -------- ------------------\n");
  const double share =
      discharges == 0 ? 0.0 : static_cast<double>(discharges - uncoded) / discharges * 100;
  out.WriteFormatted("                                   %6ld    %6ld     %s   %6ld\n", discharges,
                     uncoded, Percent(share).c_str(), errors);
  if (!out.Close()) {
    s.feedback.Message("Error al escribir altas.txt");
    return false;
  }
  return true;
}

UncodedSummary BuildUncodedSummary(Session& s, int direction) {
  UncodedSummary summary;
  summary.last_run_errors = s.config.ErrorCount();
  s.feedback.ShowStatus("Eliminando elementos de la tabla (Puede durar unos minutos)");
  s.feedback.ShowStatus("Llenando tabla");

  ReportFile list;
  if (!list.Create(s.fs, OutputHostPath(s, "altnocod.txt"))) {
    s.feedback.Message("Error al abrir el fichero de altas no codificadas altnocod.txt");
  } else if (!ReopenCurrentTable(s)) {
    // The table's own message said why; the last list stays.
    list.Abandon();
    summary.incomplete = true;
  } else {
    ReportHeading(list, s.config);
    list.Write(
        "ALTAS NO CODIFICADAS\n\n"
        "Historia        Alta    Servicio\n"
        "------------ ---------- ------------------------------\n");
    TallyIndex index(&summary);
    ProgressTracker progress(s.feedback);
    std::string line;
    const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
      const std::string_view code = TallyCode(s);
      const int row = index.RowOf(code);
      ServiceTally* tally = row >= 0 ? &summary.rows[static_cast<std::size_t>(row)] : nullptr;
      if (tally != nullptr)
        ++tally->discharges;
      else
        ++summary.discharges_left_out;
      if (IsUncoded(UncodedC1(s))) {
        if (tally != nullptr) ++tally->uncoded;
        const std::string_view fecalt = CView(CmbdFieldText(s, FECALT));
        line.assign(StrFormat(
            "%12s %10s %s\n", std::string(CView(CmbdFieldText(s, HISTORIA))).c_str(),
            DisplayDate(fecalt).c_str(), s.references.services.ServiceName(code).c_str()));
        list.Write(line);
        const long date = DecimalValue(fecalt);
        summary.smallest = std::min(summary.smallest, date);
        summary.largest = std::max(summary.largest, date);
        ++summary.uncoded_by_date[date];
      }
      return true;
    });
    if (walk.end == WalkEnd::kStopped) summary.stopped = true;
    if (walk.end == WalkEnd::kUnreadable) summary.incomplete = true;
    if (!summary.stopped) CountErrors(s, &summary, index);
    if (summary.stopped) {
      // Half a list would pass for the whole one: none is left.
      list.Discard();
      s.feedback.ShowStatus("altnocod.txt no generado: cancelado");
      return summary;
    }
    if (summary.discharges_left_out > 0)
      s.feedback.Message(StrFormat(
          "Más de %d servicios de alta: %ld altas de los demás no figuran en el resumen"_cp,
          static_cast<int>(kMaxServiceTallies), static_cast<long>(summary.discharges_left_out)));

    SortSummary(&summary, s.references.services, 3, direction);
    long discharges = 0, uncoded = 0;
    for (const ServiceTally& row : summary.rows) {
      discharges += row.discharges;
      uncoded += row.uncoded;
    }
    summary.text = StrFormat(
        "Altas: %6ld   No Codificadas: %6ld   Codificadas: %6ld  %7.3f %%", discharges, uncoded,
        discharges - uncoded,
        discharges == 0 ? 0.0 : static_cast<double>(discharges - uncoded) / discharges * 100);
    progress.Finish();
    list.Write("-------------------------------------------------\n\n");
    list.Write(summary.text + "\n");
    summary.listed = list.Close();
    if (!summary.listed) s.feedback.Message("Error al escribir altnocod.txt");
  }
  WriteUncodedTotals(s, summary);
  summary.histogram = DayHistogram(summary.uncoded_by_date, s.feedback);
  return summary;
}

}  // namespace quirovel
