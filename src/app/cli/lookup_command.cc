// quirovel lookup [--diagnosis|--procedure] CODE...: each code in the
// catalogue of the configured version, as the code checks look it up.
#include <ostream>

#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "reference/catalogue_operations.h"
#include "validation/checks.h"
#include "validation/cmbd_layout.h"

namespace quirovel {

int LookupCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool diagnosis = TakeFlag(&args, "--diagnosis");
  const bool procedure = TakeFlag(&args, "--procedure");
  if (args.empty() || (diagnosis && procedure)) {
    context.feedback.Message("Uso: quirovel lookup [--diagnosis|--procedure] CODIGO...");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  const int year = s.config.VersionYear();
  PrintLine(context.out,
            StrFormat("Version CIE9MC %d: %s", year, s.catalogue.attributes().path().c_str()));
  // What the columns of each record say, once.
  PrintLine(context.out,
            "Columnas: 3 validez por version (blanco: no existe; F: no valida para codificar),"
            " 4 F: no puede ser principal, 5 unico sexo admitido, 6 edad (1 recien nacido,"
            " 2 menor de 25, 3 de 13 a 49, 4 mayor de 50), 7 T: parto, 8 T: quirurgico");
  int code = kExitOk;
  for (const std::string& argument : args) {
    std::string text = Utf8ToCp1252(argument);
    // As a CMBD-A field holds it: blank-filled to the width of C1 or P1.
    std::string padded = text;
    if (padded.size() < static_cast<std::size_t>(CmbdFieldWidth(C1)))
      padded.resize(static_cast<std::size_t>(CmbdFieldWidth(C1)), ' ');
    bool is_procedure = procedure || (!diagnosis && IsProcedureShaped(padded));
    const int field = is_procedure ? P1 : C1;
    padded = text;
    if (padded.size() < static_cast<std::size_t>(CmbdFieldWidth(field)))
      padded.resize(static_cast<std::size_t>(CmbdFieldWidth(field)), ' ');
    std::int32_t record =
        is_procedure ? s.catalogue.FindProcedure(padded) : s.catalogue.FindDiagnosis(padded);
    std::string line = text + (is_procedure ? ": procedimiento" : ": diagnóstico"_cp);
    if (record == 0) {
      PrintLine(context.out, line + " no encontrado");
      PrintLine(context.out, "  " + s.catalogue.Description(padded, is_procedure ? 5 : 6));
      code = kExitFailed;
      continue;
    }
    line += StrFormat(", registro %d", static_cast<int>(record));
    for (int c = 3; c <= 8; ++c)
      line += StrFormat(" %d=\"", c) + std::string(s.catalogue.Column(c)) + "\"";
    PrintLine(context.out, line);
    PrintLine(context.out, "  " + s.catalogue.Description(padded, is_procedure ? 5 : 6));
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
