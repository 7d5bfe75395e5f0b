#include "app/cli/current_file_choice.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/cp1252.h"
#include "platform/format.h"
#include "session/current_file.h"

namespace quirovel {

std::string AbsoluteHostPath(const std::string& argument) {
  if (!argument.empty() && argument[0] == '/') return argument;
  std::string host = argument;
  char* cwd = ::getcwd(nullptr, 0);
  if (cwd != nullptr) host = std::string(cwd) + "/" + host;
  std::free(cwd);
  return host;
}

std::string StoredPathOf(CliContext& context, const std::string& argument) {
  if (HasDriveLetter(argument)) return Utf8ToCp1252(argument);
  const std::string host = AbsoluteHostPath(argument);
  if (!FitsStoredText(host)) {
    context.feedback.Message(
        "El nombre " + host +
        " tiene caracteres que la configuración no puede guardar (Windows-1252)"_cp);
    return {};
  }
  return context.session.paths.ToStored(host);
}

int CheckIsTable(CliContext& context, const std::string& stored) {
  if (stored.empty()) return kExitUsage;  // said by StoredPathOf
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
