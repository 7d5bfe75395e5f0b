// quirovel open FILE: "Fichero" with a dBase table, which becomes the current
// CMBD-A file of the installation.
#include <ostream>

#include "app/cli/current_file_choice.h"
#include "app/cli/session_start.h"

namespace quirovel {

int OpenCommand(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    context.feedback.Message("Uso: quirovel open FICHERO.dbf");
    return kExitUsage;
  }
  Session& s = context.session;
  const std::string stored = StoredPathOf(context, args[0]);
  if (int refused = CheckIsTable(context, stored); refused != kExitOk) return refused;
  if (!StartSession(context)) return kExitFailed;
  int code = ChooseCurrentFile(context, stored);
  if (code == kExitOk) {
    PrintLine(context.out, "Fichero actual: " + ShownPath(s, s.config.CurrentPath()));
    if (s.table.is_open()) {
      context.out << "Registros: " << s.table.record_count() << "\n";
      context.out << "Campos mal definidos o ausentes: " << s.structure.bad_field_count << "\n";
    } else {
      code = kExitFailed;
    }
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
