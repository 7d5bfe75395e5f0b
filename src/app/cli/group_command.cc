// quirovel group type|service: the error log of the last run regrouped on
// demand into "erragr.txt" (by type) or "erragrserv.txt" (by service and type).
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "detection/error_grouping.h"
#include "output/output_path.h"
#include "platform/cp1252.h"

namespace quirovel {

int GroupCommand(CliContext& context, const std::vector<std::string>& args) {
  if (args.size() != 1 || (args[0] != "type" && args[0] != "service")) {
    context.feedback.Message("Uso: quirovel group type|service");
    return kExitUsage;
  }
  const bool by_type = args[0] == "type";
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  const bool ok = by_type ? GroupByType(s) : GroupByServiceAndType(s);
  // The host path, which a shell can open, then the stored one.
  const char* name = by_type ? "erragr.txt" : "erragrserv.txt";
  if (ok)
    context.out << OutputHostPath(s, name) << Cp1252ToUtf8(" [" + OutputPath(s, name) + "]")
                << "\n";
  EndSession(context);
  return ok ? kExitOk : kExitFailed;
}

}  // namespace quirovel
