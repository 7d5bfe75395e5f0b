// quirovel history append [--yes|--no]: the current file appended to the
// history file ("Añadir a Historico"), after the question with the range of
// discharge dates the history holds; without --yes / --no it is asked at the
// terminal, and refused without one. quirovel history show: the history's
// path, records and discharge range.
#include <ostream>

#include "analyses/history.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "storage/dates.h"

namespace quirovel {
namespace {

constexpr const char* kUsage = "Uso: quirovel history append [--yes|--no] | history show";

int Show(CliContext& context) {
  Session& s = context.session;
  const HistorySummary summary = SummariseHistory(s);
  if (!summary.opened || summary.cancelled) return kExitFailed;
  PrintLine(context.out, "Histórico: "_cp + ShownPath(s, s.config.HistoryFile()));
  PrintLine(context.out, StrFormat("Registros: %u", summary.records));
  if (summary.has_fecalt)
    PrintLine(context.out,
              "Altas: " + DisplayDate(summary.smallest) + " -> " + DisplayDate(summary.largest));
  else
    PrintLine(context.out, "Campo FECALT no encontrado en historico");
  return kExitOk;
}

int Append(CliContext& context) {
  Session& s = context.session;
  const HistoryAppendResult result = AppendToHistory(s);
  switch (result.outcome) {
    case HistoryOutcome::kAppended:
      PrintLine(context.out,
                StrFormat("Añadidos %u episodios al histórico %s: tiene %u"_cp, result.appended,
                          ShownPath(s, s.config.HistoryFile()).c_str(), result.records));
      return kExitOk;
    case HistoryOutcome::kDeclined:
      PrintLine(context.out, "Nada añadido al histórico"_cp);
      return kExitOk;  // a question refused for want of a terminal fails in RunCli
    default:
      return kExitFailed;
  }
}

}  // namespace

int HistoryCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool yes = TakeFlag(&args, "--yes");
  const bool no = TakeFlag(&args, "--no");
  const bool append = args.size() == 1 && args[0] == "append";
  const bool show = args.size() == 1 && args[0] == "show";
  if ((!append && !show) || (yes && no) || (show && (yes || no))) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  if (yes) context.feedback.set_answer(Answer::kYes);
  if (no) context.feedback.set_answer(Answer::kNo);
  if (!StartSession(context)) return kExitFailed;
  const int code = append ? Append(context) : Show(context);
  EndSession(context);
  return code;
}

}  // namespace quirovel
