#include "app/cli/session_start.h"

#include <ostream>

#include "output/edit_report.h"
#include "platform/cp1252.h"
#include "reference/install_paths.h"
#include "session/startup.h"

namespace quirovel {

bool InstallationPresent(CliContext& context) {
  const Session& s = context.session;
  if (s.fs.IsDirectory(s.paths.ToHost(kInstallDirectory))) return true;
  // Without it every file of start-up is missing: one line that says what to
  // do instead of a message for each of them.
  const std::string& root = s.paths.root();  // shown as the user's bytes
  context.feedback.Message("No hay instalación de Quirovel en "_cp + root +
                           ": créela con quirovel --root "_cp + root +
                           " init, o indique otra raíz con --root DIR o QUIROVEL_ROOT"_cp);
  return false;
}

bool StartSession(CliContext& context) {
  if (!InstallationPresent(context)) return false;
  LoadConfig(context.session);
  Session& s = context.session;
  if (!s.config_unreadable) return true;
  if (s.config_file && s.config_file->Size() < static_cast<std::int64_t>(ConfigRecord::kSize))
    context.feedback.Message(
        "quirovel init la completa con los valores por defecto (vea quirovel help init)");
  CloseConfig(s);
  return false;
}

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
