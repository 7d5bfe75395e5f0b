// quirovel errors [--test mensual|trimestral|cma]: the catalogue of the 71
// errors as a reference card: code and text, the fields each is recorded
// against (related fields after a "+"), the test types whose checks can raise
// it, and whether the configuration has it switched on.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/format.h"
#include "validation/cmbd_layout.h"
#include "validation/error_catalogue.h"

namespace quirovel {
namespace {

constexpr unsigned char kTestMasks[] = {kMaskMensual, kMaskTrimestral, kMaskCma};

// "PROCEDEN+TIPING", "C2..C15", "PESO1N,PESO2N,PESO3N".
std::string FieldsOf(const ErrorInfo& info) {
  std::string text;
  if (info.field_low >= 1 && info.field_step == 1 && info.field_high > info.field_low) {
    text.append(CmbdFieldName(info.field_low)).append("..").append(CmbdFieldName(info.field_high));
  } else {
    for (int f = info.field_low; f >= 1 && f <= info.field_high; f += info.field_step) {
      if (!text.empty()) text.push_back(',');
      text.append(CmbdFieldName(f));
    }
  }
  for (int related : {info.related1, info.related2}) {
    if (related < 1 || related > kCmbdFieldCount) continue;
    text.push_back('+');
    text.append(CmbdFieldName(related));
  }
  return text;
}

// "M T -": the test types whose checks raise it, or whose switch is on.
std::string Marks(const ConfigRecord* config, const ErrorInfo& info, int e) {
  std::string marks;
  for (int t = 0; t < 3; ++t) {
    const bool on =
        config != nullptr ? config->ErrorEnabled(e, t) : (info.tests & kTestMasks[t]) != 0;
    marks += on ? std::string(1, "MTC"[t]) : std::string("-");
    if (t < 2) marks += ' ';
  }
  return marks;
}

}  // namespace

int ErrorsCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string test_text;
  if (!TakeOption(&args, "--test", &test_text) || !args.empty()) {
    context.feedback.Message("Uso: quirovel errors [--test mensual|trimestral|cma]");
    return kExitUsage;
  }
  int test = -1;  // every test type
  if (!test_text.empty() && !ParseTestType(context, test_text, &test)) return kExitUsage;
  if (!StartSession(context)) return kExitFailed;
  const ConfigRecord& config = context.session.config;
  PrintLine(context.out, StrFormat("%-52s %-24s %-6s %s", "Error", "Campos", "Tests", "Activos"));
  for (int e = 1; e <= kCatalogueSize; ++e) {
    const ErrorInfo& info = CatalogueEntry(e);
    if (test >= 0 && (info.tests & kTestMasks[test]) == 0) continue;
    PrintLine(context.out,
              StrFormat("%-52s %-24s %-6s %s", info.text, FieldsOf(info).c_str(),
                        Marks(nullptr, info, e).c_str(), Marks(&config, info, e).c_str()));
  }
  PrintLine(context.out,
            "(M Mensual, T Trimestral, C CMA; Activos: los interruptores de la configuracion)");
  EndSession(context);
  return kExitOk;
}

}  // namespace quirovel
