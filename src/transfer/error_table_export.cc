#include "transfer/error_table_export.h"

#include <vector>

#include "output/progress_tracker.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/table_files.h"
#include "transfer/transfer_staging.h"
#include "validation/error_catalogue.h"
#include "validation/error_log_reader.h"

namespace quirovel {
namespace {

// "%-6s=%6s " for each field number of the entry in slot order, ", " before
// every one but the first slot's.
std::string FieldValues(const Session& s, const EntryBytes& entry) {
  std::string text;
  for (int slot = 0; slot < 4; ++slot) {
    const std::uint32_t k = EntryFieldSlot(entry, slot);
    if (k == 0) continue;
    if (slot != 0) text += ", ";
    const int field = k <= kCmbdFieldCount ? static_cast<int>(k) : 0;
    text += StrFormat("%-6s=%6s ", std::string(CmbdFieldName(field)).c_str(),
                      std::string(CView(CmbdFieldText(s, field))).c_str());
  }
  return text;
}

}  // namespace

ErrorTableResult ExportErrors(Session& s) {
  ErrorTableResult result;
  Feedback& feedback = s.feedback;
  feedback.ShowActivity("");
  if (!ReopenCurrentTable(s)) return result;
  const long count = s.config.ErrorCount() > 0 ? s.config.ErrorCount() : 0;
  ProgressTracker progress(feedback);
  progress.Start(count);
  feedback.ShowStatus("Exportando...");

  const std::string stored = OutputPath(s, "ERRORES.DBF");
  const std::string target = OutputHostPath(s, "ERRORES.DBF");
  const std::string staged = FreshTemporaryName(s.fs, target);
  const std::vector<std::string_view> layout(kErrorTableLayout.begin(), kErrorTableLayout.end());
  DbfTable table(s.fs, feedback);
  if (!Create(s.fs, feedback, layout, staged) || table.Open(staged) != 1) {
    s.fs.Remove(staged);
    feedback.Message(stored + ": Error al abrir el fichero de exportación"_cp);
    return result;
  }
  ErrorLogReader log;
  if (!log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    table.Close();
    s.fs.Remove(staged);
    feedback.Message("error al abrir fallos.dat");
    return result;
  }
  bool whole = true;
  EntryBytes entry;
  for (long k = 1; k <= count; ++k) {
    if ((k & 1023) == 0 && feedback.StopRequested()) {
      whole = false;
      break;
    }
    if (!log.Read(k, &entry)) {
      feedback.Message("error lectura errores");
      break;
    }
    ++result.walked;
    progress.Step(k);
    const std::int64_t record = EntryRecordNumber(entry);
    if (record < 1 || record > static_cast<std::int64_t>(s.table.record_count()) ||
        s.table.ReadRecord(record) != 0)
      continue;
    const int error = ErrorEntry::Decode(entry.data()).error;
    table.SetFieldText(1, CmbdFieldText(s, HOSPITAL));
    table.SetFieldText(2, StrFormat("%3d", error));
    table.SetFieldText(3, StrFormat("%-80.80s", std::string(ErrorText(error)).c_str()));
    table.SetFieldText(4, CmbdFieldText(s, HISTORIA));
    table.SetFieldText(5, CmbdFieldText(s, FECALT));
    const std::string servalt(CView(CmbdFieldText(s, SERVALT)));
    table.SetFieldText(6, servalt);
    table.SetFieldText(7,
                       StrFormat("%-40.40s", s.references.services.ServiceName(servalt).c_str()));
    table.SetFieldText(8, StrFormat("%-80.80s", FieldValues(s, entry).c_str()));
    if (!table.Append()) {
      whole = false;
      break;
    }
    ++result.records;
  }
  log.Close();
  progress.Finish();
  table.Close();
  result.written =
      whole && CommitStagedTable(s.fs, staged, target, static_cast<std::uint32_t>(result.records));
  if (!whole) s.fs.Remove(staged);
  if (!result.written)
    feedback.Message(StrFormat("%s no se ha escrito: queda el anterior (%ld registros perdidos)",
                               stored.c_str(), result.records));
  feedback.ShowStatus(StrFormat("%ld -> errores.dbf", result.walked));
  return result;
}

}  // namespace quirovel
