#include "detection/run_detection.h"

#include <ctime>
#include <string>

#include "detection/error_grouping.h"
#include "detection/report_text.h"
#include "detection/service_tabulation.h"
#include "detection/summary_report.h"
#include "output/output_path.h"
#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/catalogue_session.h"
#include "session/config_file.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/checks.h"
#include "validation/seterr.h"

namespace quirovel {

const char* const kStructureWarning =
    "Atención:\n\n     La estructura del CMBD es incorrecta\n\n     Analice la estructura en "
    "utilidades\n\n     Al importar TXT y eligiendo el fichero actual, puede ver su "
    "estructura\n\n     Nota: Este programa tiene definido los campos fechas como del tipo FECHA "
    "y\n     longitud 8 caracteres, aunque pueden estar como carácter y formato AAAAMMDD"_cp;

namespace {

constexpr std::int32_t kAutomaticVersion = 50;
constexpr std::size_t kKeptStatusLength = 29;

const char* TestNameOf(int test_type) {
  switch (test_type) {
    case kMensual:
      return "Mensual   ";
    case kCma:
      return "CMA       ";
    default:
      return "Trimestral";
  }
}

std::string LocalTimeText(std::time_t when, const char* format) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[64];
  std::strftime(text, sizeof text, format, &local);
  return text;
}

// Widens the period with one discharge date, compared as text.
void TakeDischargeDate(DetectionRun& run, std::string_view fecalt) {
  if (fecalt < run.SmallestDischarge) run.SmallestDischarge = fecalt.substr(0, 8);
  if (fecalt > run.LargestDischarge) run.LargestDischarge = fecalt.substr(0, 8);
}

// The record loop: every episode's discharge date taken into the period, the
// version chosen when automatic, the check run and its entries stored. Ends
// at the first record that cannot be read, once an entry could not be
// written, or on a stop request; CurrentRecordNumber then names the last
// record handled.
WalkResult CheckEpisodes(Session& s, const EpisodeCheck& check, ProgressTracker& progress) {
  DetectionRun& run = s.run;
  run.CurrentRecordNumber = 0;
  run.StopFlag = false;
  run.ErrorCount = 0;
  run.FirstLostEntry = 0;
  run.tally = EmptyTabulation(s);
  run.tally_complete = false;
  const bool automatic_version = s.config.VersionYear() == kAutomaticVersion;
  CheckContext context = s.Checks();
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t record) {
    run.CurrentRecordNumber = record;
    TakeDischargeDate(run, s.record.FECALT.view());
    if (automatic_version) VersionForDischargeDate(s);
    const std::int32_t stored_before = run.StoredEntryCount();
    check(context);
    // Every entry of the episode is stored, or known lost, before the next one.
    FlushErrorLog(run, s.feedback);
    // The table's buffer still holds the episode the summary would read back.
    const std::int32_t stored = run.StoredEntryCount() - stored_before;
    if (stored > 0) CountInCell(&run.tally, CellOfEpisode(s, run.tally), stored);
    if ((record & 1023) == 0) ShowErrorStatusWhenDue(run, s.feedback);
    return !run.StopFlag;
  });
  run.CurrentRecordNumber = walk.last_record;
  ShowErrorStatus(run, s.feedback);
  return walk;
}

// After the loop: the status, the count and the period, the totals and the
// summary, the configuration saved, the groupings. False after any failure.
//
// A run stopped in its record loop is finished as if the file ended there,
// so that the log, the stored count and every report describe the same
// episodes; the request has been honoured, and a new one stops what follows.
bool FinishRun(Session& s, ReportFile& summary, const WalkResult& walk) {
  DetectionRun& run = s.run;
  Feedback& feedback = s.feedback;
  bool ok = true;
  run.Cancelled = walk.end == WalkEnd::kStopped;
  if (run.Cancelled) feedback.ClearStop();
  FlushErrorLog(run, feedback);  // entries still held back
  if (run.StopFlag) ok = false;
  CloseErrorLog(run, feedback);
  if (run.StopFlag) ok = false;
  run.tally_complete = run.FirstLostEntry == 0;
  RepaintCountLists(run);

  run.EndTime = std::time(nullptr);
  const long elapsed = static_cast<long>(std::difftime(static_cast<std::time_t>(run.EndTime),
                                                       static_cast<std::time_t>(run.StartTime)));
  const std::string status = StrFormat("Errs=%ld (%ld\") FR=%ld", static_cast<long>(run.ErrorCount),
                                       elapsed, static_cast<long>(run.OutOfRangeCount));
  feedback.ShowStatus(status);

  // Readers of the log go up to the stored count: it never names an entry
  // that could not be written.
  s.config.SetErrorCount(run.StoredEntryCount());
  run.PeriodText = DisplayDate(run.SmallestDischarge) + " -> " + DisplayDate(run.LargestDischarge);
  feedback.ShowInfo(run.PeriodText);

  bool summary_whole = true;
  if (run.ErrorsFileOption) {
    WriteErrorsTotals(s, run.errors_report);
    summary_whole = WriteSummary(s, summary, OutputHostPath(s, "fallos.dat"));
  }
  run.tally_complete = false;  // it counted this run for this summary only
  // Reports that could not be written whole are said so, not passed over.
  if (!summary_whole) {
    summary.Discard();
    run.Cancelled = true;
    ok = false;
  } else if (!summary.Close()) {
    feedback.Message("Error al escribir el fichero resumen.txt");
    ok = false;
  }
  if (!run.errors_report.Close()) {
    feedback.Message("Error al escribir el fichero errores.txt");
    ok = false;
  }
  s.config.SetLastRunDate(LocalTimeText(static_cast<std::time_t>(run.EndTime), "%d/%m/%Y %H:%M"));
  if (!SaveConfig(s)) {
    feedback.Message("Deteccion: Error al grabar la configuracion");
    ok = false;
  }

  // The groupings write their own status; the run's texts are put back after.
  const std::string kept_status = status.substr(0, kKeptStatusLength);
  const std::string kept_info = run.PeriodText.substr(0, kKeptStatusLength);
  if (!GroupByType(s)) ok = false;
  if (!GroupByServiceAndType(s)) ok = false;
  if (feedback.StopRequested()) run.Cancelled = true;
  feedback.ShowStatus(run.Cancelled ? StrFormat("Cancelado en el registro %ld: ",
                                                static_cast<long>(run.CurrentRecordNumber)) +
                                          kept_status
                                    : kept_status);
  feedback.ShowInfo(kept_info);
  return ok && !run.Cancelled;
}

}  // namespace

bool RunDetection(Session& s, int test_type) {
  return RunDetection(s, test_type, [](CheckContext& c) { CheckAdministrative(c); });
}

bool RunDetection(Session& s, int test_type, const EpisodeCheck& check) {
  DetectionRun& run = s.run;
  Feedback& feedback = s.feedback;

  feedback.ShowInfo("Buscando rango de altas ...");
  run.SmallestDischarge = "99999999";
  run.LargestDischarge = std::string(8, ' ');
  run.ResultsChangedFlag = true;

  run.TestType = test_type >= kMensual && test_type <= kCma ? test_type : kMensual;
  run.StartTime = std::time(nullptr);
  run.EndTime = 0;  // set once the record loop is over

  run.ResetCounters();
  run.CodesNotInForce = 0;

  feedback.ShowStatus(StrFormat("%d", run.ErrorCount));
  feedback.ShowActivity("");
  RepaintCountLists(run);

  if (!ReopenCurrentTable(s)) {
    // Open has said why. Nothing is written, so the reports, the log and the
    // stored count of the last run stay as they were.
    feedback.Message("Detección no realizada: el fichero CMBD-A no se puede leer"_cp);
    return false;
  }

  // A table cut short would be checked only as far as it goes, and its
  // figures taken for the whole file's.
  if (s.table.HeaderOvercounts()) {
    feedback.Message("Detección no realizada: el fichero CMBD-A está incompleto"_cp);
    return false;
  }

  // Without the catalogue every code would be an error: the run would
  // replace the last one's log and reports with figures that mean nothing.
  if (!s.catalogue.attributes().is_open() || !s.catalogue.descriptions().is_open()) {
    feedback.Message("Detección no realizada: el catálogo CIE9MC no se puede leer"_cp);
    return false;
  }

  ReportFile summary;
  if (!summary.Create(s.fs, OutputHostPath(s, "resumen.txt"))) {
    feedback.Message("Error al abrir el fichero de resumen.txt ?");
    return false;
  }

  if (s.structure.bad_field_count > 0) feedback.Message(kStructureWarning);

  const std::int64_t n = s.table.record_count();
  feedback.ShowRecordCount(static_cast<long>(n));
  ProgressTracker progress(feedback);
  run.VersionLabel = StrFormat("%04d", s.config.VersionYear());
  run.VersionPosition = 0;

  run.log.Close();
  if (!run.log.Open(s.fs, OutputHostPath(s, "fallos.dat"))) {
    feedback.Message("error al abrir fallos.dat");
    return false;
  }
  run.errors_report.Close();
  if (!run.errors_report.Create(s.fs, OutputHostPath(s, "errores.txt"))) {
    feedback.Message("Error al abrir el fichero de errores.txt");
    run.log.Close();
    return false;
  }

  if (run.ErrorsFileOption) {
    run.TestName = TestNameOf(run.TestType);
    WriteErrorsOpening(s, run.errors_report);
    ReportHeading(summary, s.config);
  }

  // The log is about to be overwritten: until the run stores its own count,
  // the stored one says no entry is valid, so a run killed part way never
  // leaves the last run's count over a log that is partly this run's. A
  // failure here is said by the save at the end of the run.
  const std::int32_t last_count = s.config.ErrorCount();
  if (last_count != 0) {
    s.config.SetErrorCount(0);
    SaveConfig(s);
  }
  const WalkResult walk = CheckEpisodes(s, check, progress);
  return FinishRun(s, summary, walk);
}

}  // namespace quirovel
