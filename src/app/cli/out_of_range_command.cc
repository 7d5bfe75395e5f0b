// quirovel out-of-range --from DD/MM/AAAA --to DD/MM/AAAA: the episodes
// discharged outside the period ("Fuera de Rango"), listed in "fuerango.txt".
// quirovel discharge-range: the earliest and latest discharge dates ("Rango
// altas") and the dates the page's fields would take.
#include <ostream>

#include "analyses/out_of_range.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "storage/dates.h"

namespace quirovel {

int OutOfRangeCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string from, to;
  if (!TakeOption(&args, "--from", &from) || !TakeOption(&args, "--to", &to) || !args.empty() ||
      from.empty() || to.empty()) {
    context.feedback.Message("Uso: quirovel out-of-range --from DD/MM/AAAA --to DD/MM/AAAA");
    return kExitUsage;
  }
  std::string start, end;
  if (!ParseDateArgument(context, "--from", from, &start) ||
      !ParseDateArgument(context, "--to", to, &end))
    return kExitUsage;
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  const OutOfRangeResult result = ListOutOfRangeDischarges(s, PeriodOf(start, end));
  if (result.completed) {
    PrintLine(context.out, result.result_text);
    PrintLine(context.out, "Periodo (aaaammdd): " + result.info_text);
    context.out << OutputHostPath(s, "fuerango.txt") << "\n";
  }
  EndSession(context);
  return result.completed ? kExitOk : kExitFailed;
}

int DischargeRangeCommand(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) {
    context.feedback.Message("Uso: quirovel discharge-range");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  const DischargeRange range = FindDischargeRange(context.session);
  if (!range.cancelled) {
    PrintLine(context.out, range.info_text);
    if (range.start_set) PrintLine(context.out, "Desde: " + DisplayDate(range.start_date()));
    if (range.end_set) PrintLine(context.out, "Hasta: " + DisplayDate(range.end_date()));
  }
  EndSession(context);
  return range.cancelled ? kExitFailed : kExitOk;
}

}  // namespace quirovel
