#include "analyses/uncoded_service_report.h"

#include "analyses/uncoded_summary.h"
#include "output/progress_tracker.h"
#include "output/report_file.h"
#include "output/report_heading.h"
#include "platform/format.h"
#include "session/episode_walk.h"
#include "session/session.h"
#include "storage/dates.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

UncodedServiceReport WriteUncodedOfService(Session& s, std::string_view code) {
  UncodedServiceReport result;
  if (!ReopenCurrentTable(s)) return result;  // after the table's own message
  ReportFile out;
  if (!out.Create(s.fs, OutputHostPath(s, "altnocodserv.txt"))) {
    s.feedback.Message("Error al abrir altnocodserv.txt");
    return result;
  }
  ReportHeading(out, s.config);
  out.Write(
      "\n\nHistoria       Alta      Historia       Alta      Historia       Alta      Historia"
      "       Alta\n"
      "-------------------      -------------------      -------------------      "
      "-------------------\n");
  ProgressTracker progress(s.feedback);
  const WalkResult walk = WalkEpisodes(s, progress, [&](std::int64_t) {
    if (TallyCode(s) != code || !IsUncoded(UncodedC1(s))) return true;
    out.WriteFormatted("%12s %10s      ", std::string(CView(CmbdFieldText(s, HISTORIA))).c_str(),
                       DisplayDate(CView(CmbdFieldText(s, FECALT))).c_str());
    if (++result.entries % 4 == 0) out.Write("\n");
    return true;
  });
  if (walk.end == WalkEnd::kStopped) {
    out.Discard();
    s.feedback.ShowStatus("altnocodserv.txt no generado: cancelado");
    return result;
  }
  if (result.entries % 4 != 0) out.Write("\n");
  out.Write(
      "-----------------------------------------------------------------------------------------"
      "------\n");
  out.WriteFormatted("   Total no codificadas %s = %d\n",
                     s.references.services.ServiceName(code).c_str(), result.entries);
  progress.Finish();
  result.written = out.Close();
  if (!result.written) s.feedback.Message("Error al escribir altnocodserv.txt");
  return result;
}

}  // namespace quirovel
