// quirovel catalogue check: "Analiza CIE9MC", the order check of the
// attributes table of the configured version.
#include <ostream>

#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "reference/catalogue_operations.h"
#include "session/catalogue_session.h"

namespace quirovel {

int CatalogueCommand(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0] != "check") {
    context.feedback.Message("Uso: quirovel catalogue check");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  int code = kExitOk;
  if (!s.catalogue.attributes().is_open()) {
    code = kExitFailed;  // the table layer said why
  } else {
    CatalogueOrderResult result = CheckCatalogueOrder(s);
    PrintLine(context.out, "Tabla: " + s.catalogue.attributes().path());
    context.out << "Regs " << result.records << "\n";
    PrintLine(context.out, "Códigos repetidos: "_cp + std::to_string(result.repeats));
    context.out << (result.out_of_order ? "Orden: desordenado\n" : "Orden: correcto\n");
    if (result.out_of_order) code = kExitFailed;
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
