// quirovel structure [FILE]: the structure analysis as its dialog shows it.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"

namespace quirovel {

// The dialog's texts, in the order it shows them; lines end with "\n".
std::string StructureAnalysisText(const StructureReport& report) {
  std::string text;
  text += "Analisis de la estructura CMBD\n";
  // Names come from the table's descriptors: any byte may be there.
  text += EscapeControls(report.path) + "\n";
  text += "Campos del cmbda NO ENCONTRADOS\n";
  text += EscapeControls(report.problems) + "\n";
  text += "Mal definidos: " + std::to_string(report.bad_field_count) + "\n";
  text += "No pertenece al CMBDA\n";
  text += EscapeControls(report.unknown) + "\n";
  text += "Campos del CMBD que se reconocen\n";
  text += report.layout + "\n";
  text += "(C=caracter D=fecha N=numero  ancho.decimales)\n";
  return text;
}

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
