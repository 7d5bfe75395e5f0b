#include "app/cli/session_start.h"

#include <ostream>

#include "output/edit_report.h"
#include "platform/cp1252.h"
#include "session/startup.h"

namespace quirovel {

void StartSession(CliContext& context) { LoadConfig(context.session); }

void EndSession(CliContext& context) { CloseConfig(context.session); }

void OpenReportInEditor(CliContext& context, std::string_view name) {
  Session& s = context.session;
  EditOutcome outcome = EditReport(s.config, s.paths, s.fs, name);
  if (outcome.started) return;
  // The host path is printed as it stands; the stored editor path is Windows-1252.
  context.out << Cp1252ToUtf8("No se pudo abrir el editor " + context.session.config.EditorPath() +
                              "; el informe está en "_cp)
              << outcome.report_path << "\n";
}

}  // namespace quirovel
