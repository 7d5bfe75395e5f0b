// quirovel readmissions [--mode c1|service] [--from DD/MM/AAAA] [--to DD/MM/AAAA]
// [--days N]: the readmission analysis ("Reingresos C1" / "Mismo Servicio")
// over the episodes admitted in the period. Without --from / --to the period
// is today, as the page's date fields start.
#include <ostream>

#include "analyses/readmissions.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel readmissions [--mode c1|service] [--from DD/MM/AAAA] [--to DD/MM/AAAA] "
    "[--days N]";

bool ParseDays(const std::string& text, int* days) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *days = std::stoi(text);
  return true;
}

}  // namespace

int ReadmissionsCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string mode = "c1", from, to, days_text = "30";
  if (!TakeOption(&args, "--mode", &mode) || !TakeOption(&args, "--from", &from) ||
      !TakeOption(&args, "--to", &to) || !TakeOption(&args, "--days", &days_text) ||
      !args.empty() || (mode != "c1" && mode != "service")) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  ReadmissionsRequest request;
  request.mode = mode == "c1" ? ReadmissionMode::kSameC1 : ReadmissionMode::kSameService;
  if (!ParseDays(days_text, &request.days)) {
    context.feedback.Message("--days: un número de días de 0 a 99999, no '"_cp + days_text + "'");
    return kExitUsage;
  }
  std::string start = TodayDate(), end = start;
  if ((!from.empty() && !ParseDateArgument(context, "--from", from, &start)) ||
      (!to.empty() && !ParseDateArgument(context, "--to", to, &end)))
    return kExitUsage;
  request.period = PeriodOf(start, end);
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  const ReadmissionsResult result = FindReadmissions(s, request);
  if (!result.result_text.empty()) {
    PrintLine(context.out, result.result_text);
    PrintLine(context.out, "Informes:");
    for (const char* name : {"reingr.txt", "reingrserv.txt", "reingrservnoprog.txt"})
      context.out << "  " << OutputHostPath(s, name) << "\n";  // a host path, as it stands
  }
  EndSession(context);
  return result.completed ? kExitOk : kExitFailed;
}

}  // namespace quirovel
