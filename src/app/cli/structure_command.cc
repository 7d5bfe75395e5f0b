// quirovel structure [FILE]: the structure analysis as its dialog shows it.
// quirovel structure create NEW.dbf NAME#C5 [NAME#D8 ...]: "Crear Estructura DBF".
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/current_file_choice.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "transfer/structure_editor.h"

namespace quirovel {

namespace {

// The new table beside the path given (a bare name in the current
// directory), never over a file that is there.
int CreateCommand(CliContext& context, const std::vector<std::string>& args) {
  Session& s = context.session;
  if (args.size() < 3) {
    context.feedback.Message("Uso: quirovel structure create NUEVO.dbf NOMBRE#C5 [NOMBRE#D8 ...]");
    return kExitUsage;
  }
  const std::string host = AbsoluteHostPath(HostPathOf(s, args[1]));
  const std::size_t slash = host.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : host.substr(0, slash);
  const std::string name = slash == std::string::npos ? host : host.substr(slash + 1);
  std::vector<std::string> definitions;
  for (std::size_t i = 2; i < args.size(); ++i) definitions.push_back(Utf8ToCp1252(args[i]));
  if (!CheckDefinitions(definitions, context.feedback)) return kExitUsage;
  std::string created;
  switch (CreateStructureTable(s.fs, context.feedback, name, directory, definitions, &created)) {
    case CreateOutcome::kCreated:
      context.out << directory << "/" << Cp1252ToUtf8(created) << "\n";
      return kExitOk;
    case CreateOutcome::kNoName:
      return kExitUsage;
    default:
      return kExitFailed;
  }
}

}  // namespace

int StructureCommand(CliContext& context, const std::vector<std::string>& args) {
  Session& s = context.session;
  if (!args.empty() && args[0] == "create") return CreateCommand(context, args);
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
