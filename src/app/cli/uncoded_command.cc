// quirovel uncoded [--sort COLUMN[:desc]]: "Resumen" of page "Altas no
// codificadas", writing "altnocod.txt" and "altas.txt" and printing the
// summary rows and text. quirovel uncoded --service CODE: "No codif x
// servicio", writing "altnocodserv.txt".
#include <ostream>

#include "analyses/uncoded_service_report.h"
#include "analyses/uncoded_summary.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "output/output_path.h"
#include "platform/cp1252.h"
#include "platform/format.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel uncoded [--sort COLUMNA[:desc]] | quirovel uncoded --service CODIGO";

constexpr const char* kColumnNames[kSummaryColumns] = {"code",  "service", "discharges",  "uncoded",
                                                       "coded", "errors",  "errors-share"};

// "3", "uncoded", "uncoded:desc": the column and the direction.
bool ParseSort(CliContext& context, const std::string& text, int* column, int* direction) {
  std::string name = text;
  *direction = 1;
  if (const std::size_t colon = text.find(':'); colon != std::string::npos) {
    name = text.substr(0, colon);
    const std::string way = text.substr(colon + 1);
    if (way != "desc" && way != "asc") name.clear();
    *direction = way == "desc" ? -1 : 1;
  }
  for (int c = 0; c < kSummaryColumns; ++c)
    if (name == kColumnNames[c] || name == std::to_string(c)) {
      *column = c;
      return true;
    }
  context.feedback.Message("--sort: columna incorrecta '" + Utf8ToCp1252(text) +
                           "' (0 code, 1 service, 2 discharges, 3 uncoded, 4 coded, 5 errors, "
                           "6 errors-share; :desc para el orden descendente)");
  return false;
}

void TellReport(CliContext& context, const char* name) {
  const Session& s = context.session;
  context.out << OutputHostPath(s, name) << Cp1252ToUtf8(" [" + OutputPath(s, name) + "]") << "\n";
}

void PrintSummary(CliContext& context, const UncodedSummary& summary) {
  const Session& s = context.session;
  PrintLine(
      context.out,
      StrFormat("  %6.6s %-25.25s %10.10s %13.13s %14.14s %8.8s %9.9s",
                std::string(kSummaryHeaders[0]).c_str(), std::string(kSummaryHeaders[1]).c_str(),
                std::string(kSummaryHeaders[2]).c_str(), std::string(kSummaryHeaders[3]).c_str(),
                std::string(kSummaryHeaders[4]).c_str(), std::string(kSummaryHeaders[5]).c_str(),
                std::string(kSummaryHeaders[6]).c_str()));
  for (const ServiceTally& row : summary.rows) {
    const auto t = SummaryRowTexts(row, s.references.services, summary.last_run_errors);
    PrintLine(context.out,
              EscapeControls(StrFormat("  %6.6s %-25.25s %10.10s %13.13s %14.14s %8.8s %9.9s",
                                       t[0].c_str(), t[1].c_str(), t[2].c_str(), t[3].c_str(),
                                       t[4].c_str(), t[5].c_str(), t[6].c_str())));
  }
  PrintLine(context.out, summary.text);
}

}  // namespace

int UncodedCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string sort, service;
  bool service_given = false;
  for (const std::string& a : args)
    service_given |= a == "--service" || a.rfind("--service=", 0) == 0;
  if (!TakeOption(&args, "--sort", &sort) || !TakeOption(&args, "--service", &service) ||
      !args.empty() || (service_given && !sort.empty())) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  int column = 3, direction = 1;
  if (!sort.empty() && !ParseSort(context, sort, &column, &direction)) return kExitUsage;
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  int code = kExitOk;
  if (service_given) {
    // The code as the summary shows it; " " stands for a file without SERVALT.
    const std::string tallied = service.empty() ? std::string(" ") : Utf8ToCp1252(service);
    const UncodedServiceReport r = WriteUncodedOfService(s, tallied);
    if (r.written) {
      PrintLine(context.out,
                StrFormat("Total no codificadas %s = %d",
                          s.references.services.ServiceName(tallied).c_str(), r.entries));
      TellReport(context, "altnocodserv.txt");
    } else {
      code = kExitFailed;
    }
    EndSession(context);
    return code;
  }
  UncodedSummary summary = BuildUncodedSummary(s, column == 3 ? direction : 1);
  if (summary.stopped) {
    EndSession(context);
    return kExitFailed;
  }
  if (column != 3) {
    SortSummary(&summary, s.references.services, column, direction);
    if (!WriteUncodedTotals(s, summary)) code = kExitFailed;
  }
  if (summary.listed) {
    PrintSummary(context, summary);
    TellReport(context, "altnocod.txt");
  } else {
    code = kExitFailed;
  }
  if (s.fs.Exists(OutputHostPath(s, "altas.txt"))) TellReport(context, "altas.txt");
  if (summary.incomplete) code = kExitFailed;
  EndSession(context);
  return code;
}

}  // namespace quirovel
