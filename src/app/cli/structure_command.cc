// quirovel structure [FILE]: the structure analysis as its dialog shows it.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"

namespace quirovel {

int StructureCommand(CliContext& context, const std::vector<std::string>& args) {
  Session& s = context.session;
  if (args.size() > 1) {
    context.feedback.Message("Uso: quirovel structure [FICHERO]");
    return kExitUsage;
  }
  std::string shown;
  if (args.empty()) {
    if (!StartSession(context)) return kExitFailed;  // the current file is the configuration's
    shown = s.config.CurrentPath();
    if (shown.empty()) {
      context.feedback.Message("No hay fichero CMBD-A actual: indique el fichero");
      return kExitUsage;
    }
  } else {
    shown = args[0];  // the user's bytes, shown as given
  }
  if (s.table.Open(args.empty() ? s.paths.ToHost(shown) : HostPathOf(s, args[0])) != 1)
    return kExitFailed;
  AnalyseStructure(s);
  s.structure.path = shown;
  context.out << DisplayTextToUtf8(StructureAnalysisText(s.structure));
  return kExitOk;
}

}  // namespace quirovel
