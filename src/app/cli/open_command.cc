// quirovel open FILE: "Fichero" with a dBase table, which becomes the current
// CMBD-A file of the installation.
#include <unistd.h>

#include <cstdlib>
#include <ostream>

#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/current_file.h"

namespace quirovel {

int OpenCommand(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    context.feedback.Message("Uso: quirovel open FICHERO.dbf");
    return kExitUsage;
  }
  Session& s = context.session;
  std::string stored = Utf8ToCp1252(args[0]);
  if (!HasDriveLetter(stored)) {
    if (stored.empty() || stored[0] != '/') {
      char* cwd = ::getcwd(nullptr, 0);
      if (cwd != nullptr) stored = std::string(cwd) + "/" + stored;
      std::free(cwd);
    }
    stored = s.paths.ToStored(stored);
  }
  if (HasTxtExtension(stored)) {
    context.feedback.Message(
        "Un fichero de texto se importa primero a una tabla dBase; "
        "luego se abre la tabla");
    return kExitUsage;
  }
  if (!HasDbfExtension(stored)) {
    context.feedback.Message("Solo se abren tablas dBase (.dbf)");
    return kExitUsage;
  }
  StartSession(context);
  int code = kExitOk;
  if (!s.fs.Exists(s.paths.ToHost(stored))) {
    context.feedback.Message(StrFormat("No existe el fichero %s", stored.c_str()));
    code = kExitFailed;
  } else if (!ChooseDbfFile(s, stored)) {
    code = kExitFailed;
  } else {
    PrintLine(context.out, "Fichero actual: " + s.config.CurrentPath());
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
