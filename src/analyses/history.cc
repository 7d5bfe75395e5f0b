#include "analyses/history.h"

#include "analyses/history_append_file.h"
#include "analyses/history_field_map.h"
#include "output/progress_tracker.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "storage/dbf_table.h"

namespace quirovel {
namespace {

// Letters compared as Windows compares file names: without regard to case,
// accented Latin-1 letters included.
char FoldCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
    return static_cast<char>(u - 0x20);
  return c;
}

bool SamePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// The smallest and largest raw FECALT texts of the history, records 1 on
// (a record that cannot be read ends the scan). False on a stop request.
bool ScanDischargeRange(Session& s, DbfTable& history, int fecalt, ProgressTracker& progress,
                        HistorySummary* summary) {
  s.feedback.ShowActivity("Buscando rango de altas en historico");
  const std::uint32_t n = history.record_count();
  for (std::uint32_t r = 1; r <= n; ++r) {
    if ((r & 1023) == 0 && s.feedback.StopRequested()) return false;
    if (history.ReadRecord(r) != 0) break;
    const std::string_view date = CView(history.FieldText(fecalt));
    if (date < summary->smallest) summary->smallest = date;
    if (date > summary->largest) summary->largest = date;
    progress.Step(static_cast<long>(r));
  }
  return true;
}

bool OpenHistory(Session& s, DbfTable& history) {
  const std::string stored = s.config.HistoryFile();
  if (stored.empty()) {
    s.feedback.Message("No hay fichero histórico en la configuración"_cp);
    return false;
  }
  return history.Open(s.paths.ToHost(stored)) == 1;
}

}  // namespace

std::string HistoryFileName(std::string_view stored_path) {
  const std::size_t cut = stored_path.find_last_of("\\:");
  return std::string(cut == std::string_view::npos ? stored_path : stored_path.substr(cut + 1));
}

HistorySummary SummariseHistory(Session& s) {
  HistorySummary summary;
  DbfTable history(s.fs, s.feedback);
  if (!OpenHistory(s, history)) return summary;
  summary.opened = true;
  summary.records = history.record_count();
  const int fecalt = history.FieldNumber("FECALT");
  summary.has_fecalt = fecalt != 0;
  ProgressTracker progress(s.feedback);
  progress.Start(static_cast<long>(summary.records));
  if (summary.has_fecalt)
    summary.cancelled = !ScanDischargeRange(s, history, fecalt, progress, &summary);
  s.feedback.ShowActivity("");
  history.Close();
  return summary;
}

HistoryAppendResult AppendToHistory(Session& s) {
  HistoryAppendResult result;
  if (!ReopenCurrentTable(s)) return result;
  const std::string stored = s.config.HistoryFile();
  if (!stored.empty() && (SamePath(stored, s.config.CurrentPath()) ||
                          s.paths.ToHost(stored) == s.paths.ToHost(s.config.CurrentPath()))) {
    s.feedback.Message("El historico coincide con el fichero actual");
    result.outcome = HistoryOutcome::kSameFile;
    return result;
  }
  DbfTable history(s.fs, s.feedback);
  if (!OpenHistory(s, history)) return result;
  const std::uint32_t history_records = history.record_count();
  result.records = history_records;
  const std::int64_t current_records = s.table.record_count();
  ProgressTracker progress(s.feedback);
  progress.Start(static_cast<long>(current_records + history_records));
  const HistoryFieldMap map(history, s.table);

  // Nothing is appended without a yes; without FECALT the range cannot be
  // shown, but the question is asked all the same.
  std::string question;
  if (const int fecalt = history.FieldNumber("FECALT"); fecalt != 0) {
    HistorySummary range;
    if (!ScanDischargeRange(s, history, fecalt, progress, &range)) {
      s.feedback.ShowActivity("");
      result.outcome = HistoryOutcome::kCancelled;
      return result;
    }
    question = StrFormat("Rango fechas de altas histórico: %s --> "_cp,
                         DisplayDate(range.smallest).c_str()) +
               DisplayDate(range.largest);
  } else {
    s.feedback.Message("Campo FECALT no encontrado en historico");
  }
  question += "\n\n¿Desea añadir al histórico el CMBD actual?"_cp;
  const bool yes = s.feedback.Ask(question, "ATENCION: Puede duplicar episodios");
  s.feedback.ShowActivity("");
  if (!yes) {
    result.outcome = HistoryOutcome::kDeclined;
    return result;
  }
  const std::string host_path = history.path();
  const int record_length = history.record_length();
  history.Close();

  HistoryAppendFile file;
  std::string problem;
  if (!file.Open(s.fs, host_path, &problem)) {
    s.feedback.Message(problem);
    result.outcome = HistoryOutcome::kFailed;
    return result;
  }
  if (file.record_length() != record_length) {
    file.Close();
    s.feedback.Message(StrFormat("El fichero %s ha cambiado", host_path.c_str()));
    result.outcome = HistoryOutcome::kFailed;
    return result;
  }
  if (file.cut_bytes() > 0)
    s.feedback.Message(StrFormat(
        "El histórico tenía %llu bytes tras su último registro (un añadido interrumpido): "
        "quitados"_cp,
        static_cast<unsigned long long>(file.cut_bytes())));
  // Says why nothing was appended, once the history is as it was.
  auto undo = [&](const std::string& why, HistoryOutcome outcome) {
    result.restored = file.RollBack();
    s.feedback.Message(why + (result.restored ? ": el histórico queda como estaba"_cp
                                              : ": no se pudo dejar el histórico como estaba"_cp));
    result.outcome = outcome;
    result.appended = 0;
    return result;
  };
  std::string record;
  for (std::int64_t r = 1; r <= current_records; ++r) {
    if ((r & 1023) == 0 && s.feedback.StopRequested())
      return undo("Añadido al histórico cancelado"_cp, HistoryOutcome::kCancelled);
    if (s.table.ReadRecord(r) != 0)
      return undo(StrFormat("No se puede leer el registro %lld del fichero actual",
                            static_cast<long long>(r)),
                  HistoryOutcome::kFailed);
    map.Fill(s.table.Record(), &record);
    if (!file.Add(record.data()))
      return undo("Error al escribir en el histórico"_cp, HistoryOutcome::kFailed);
    progress.Step(static_cast<long>(r + history_records));
  }
  if (s.feedback.StopRequested())
    return undo("Añadido al histórico cancelado"_cp, HistoryOutcome::kCancelled);
  if (!file.Commit()) return undo("Error al escribir en el histórico"_cp, HistoryOutcome::kFailed);
  file.Close();
  progress.Finish();
  result.outcome = HistoryOutcome::kAppended;
  result.appended = static_cast<std::uint32_t>(current_records);
  result.records = history_records + result.appended;
  return result;
}

}  // namespace quirovel
