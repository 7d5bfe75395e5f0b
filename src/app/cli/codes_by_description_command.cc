// quirovel codes-by-description TEXT: "Buscar códigos" of the search dialog,
// the codes of the configured CIE-9-MC edition whose description contains
// TEXT (case included), printed as the search text they fill.
#include <ostream>

#include "analyses/code_search_descriptions.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"

namespace quirovel {

int CodesByDescriptionCommand(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    context.feedback.Message("Uso: quirovel codes-by-description TEXTO");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  const FoundCodes found = FindCodesByDescription(context.session, Utf8ToCp1252(args[0]));
  if (!found.text.empty()) PrintLine(context.out, EscapeControls(found.text));
  if (found.count == 0 && !found.stopped)
    context.feedback.Message("Ninguna descripción contiene '"_cp + Utf8ToCp1252(args[0]) + "'");
  EndSession(context);
  return found.stopped ? kExitFailed : kExitOk;
}

}  // namespace quirovel
