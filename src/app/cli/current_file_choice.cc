#include "app/cli/current_file_choice.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/current_file.h"

namespace quirovel {

std::string StoredPathOf(const Session& s, const std::string& argument) {
  std::string stored = Utf8ToCp1252(argument);
  if (HasDriveLetter(stored)) return stored;
  if (stored.empty() || stored[0] != '/') {
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd != nullptr) stored = std::string(cwd) + "/" + stored;
    std::free(cwd);
  }
  return s.paths.ToStored(stored);
}

int CheckIsTable(CliContext& context, const std::string& stored) {
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
  return kExitOk;
}

int ChooseCurrentFile(CliContext& context, const std::string& stored) {
  Session& s = context.session;
  if (!s.fs.Exists(s.paths.ToHost(stored))) {
    context.feedback.Message("No existe el fichero " + ShownPath(s, stored));
    return kExitFailed;
  }
  return ChooseDbfFile(s, stored) ? kExitOk : kExitFailed;
}

}  // namespace quirovel
