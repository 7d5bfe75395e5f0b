// quirovel detect [FILE] [--test mensual|trimestral|cma]: the detection run
// ("Test") on the current file of the configuration, or on FILE made current
// first as `open` does. The reports, the error log and the count and date of
// the run are left as the program leaves them; what the command adds is said
// on the terminal only: the reports written, the errors the groupings left
// out, the fields that are badly defined.
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/current_file_choice.h"
#include "app/cli/session_start.h"
#include "detection/error_grouping.h"
#include "detection/run_detection.h"
#include "platform/format.h"
#include "storage/field_definition.h"
#include "validation/cmbd_layout.h"

namespace quirovel {
namespace {

constexpr const char* kUsage = "Uso: quirovel detect [FICHERO.dbf] [--test mensual|trimestral|cma]";

// "  FECALT: esperado D8, encontrado C10" for each field the table defines
// otherwise than the data set does.
void TellBadFields(CliContext& context) {
  const Session& s = context.session;
  if (s.structure.bad_field_count == 0) return;
  std::string text = StrFormat("%d campos mal definidos; vea quirovel structure %s",
                               s.structure.bad_field_count, s.config.CurrentPath().c_str());
  for (int k = 1; k <= kCmbdFieldCount; ++k) {
    if (!s.field_map.Present(k)) continue;
    const FieldDefinition expected =
        ParseFieldDefinition(kCmbdLayout[static_cast<std::size_t>(k - 1)]);
    const FieldDescriptor found = s.table.Descriptor(s.field_map.TableField(k));
    if (found.width == expected.width && found.type == expected.type && found.decimals == 0)
      continue;
    text += StrFormat("\n  %s: esperado %c%d, encontrado %c%d", expected.name.c_str(),
                      expected.type, expected.width, found.type, found.width);
    if (found.decimals != 0) text += StrFormat(".%d", found.decimals);
  }
  context.feedback.Message(text);
}

// The files the run wrote, as host paths the user can open.
void ListReports(CliContext& context) {
  const Session& s = context.session;
  PrintLine(context.out, "Informes:");
  for (const char* name :
       {"errores.txt", "resumen.txt", "erragr.txt", "erragrserv.txt", "fallos.dat"}) {
    const std::string path = OutputHostPath(s, name);
    if (s.fs.Exists(path)) context.out << "  " << path << "\n";  // a host path, as it stands
  }
}

}  // namespace

int DetectCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string test_text = "trimestral";
  int test_type = kTrimestral;
  if (!TakeOption(&args, "--test", &test_text) || args.size() > 1) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  if (!ParseTestType(context, test_text, &test_type)) return kExitUsage;
  Session& s = context.session;
  std::string stored;
  if (!args.empty()) {
    stored = StoredPathOf(context, args[0]);
    if (int refused = CheckIsTable(context, stored); refused != kExitOk) return refused;
  }
  if (!StartSession(context)) return kExitFailed;
  if (!stored.empty()) {
    if (int code = ChooseCurrentFile(context, stored); code != kExitOk) {
      EndSession(context);
      return code;
    }
    PrintLine(context.out, "Fichero actual: " + ShownPath(s, s.config.CurrentPath()));
  }
  const bool ok = RunDetection(s, test_type);
  // What the status line shows at the end, "Errs=%ld (%ld\") FR=%ld", once
  // the run got that far.
  if (s.run.EndTime != 0) {
    PrintLine(context.out, context.feedback.last_status());
    TellBadFields(context);
    const std::int32_t stored_errors = s.config.ErrorCount();
    if (stored_errors > kMaxGroupedErrors)
      context.feedback.Message(
          StrFormat("erragr.txt y erragrserv.txt agrupan los primeros %d de %d errores: faltan %d",
                    kMaxGroupedErrors, stored_errors, stored_errors - kMaxGroupedErrors));
    ListReports(context);
  }
  EndSession(context);
  return ok ? kExitOk : kExitFailed;
}

}  // namespace quirovel
