// quirovel export [--test mensual|trimestral|cma] [--cma-only|--all]
//   [--format text|dbf] (--from DD/MM/AAAA --to DD/MM/AAAA | --month 1..12
//   [--year AAAA] [--accumulated]) [--name NAME]: "Exportar" of the
// "Utilidades" page on the current file; prints the path written.
// quirovel export-errors: "Exportar Errores.dbf".
#include <ostream>

#include "analyses/out_of_range_period.h"
#include "app/cli/command.h"
#include "app/cli/session_start.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "transfer/error_table_export.h"
#include "transfer/export_run.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel export [--test mensual|trimestral|cma] [--cma-only|--all] [--format text|dbf]\n"
    "       (--from DD/MM/AAAA --to DD/MM/AAAA | --month 1..12 [--year AAAA] [--accumulated])\n"
    "       [--name NOMBRE]";

CalendarDate DateOf(const std::string& aaaammdd) {
  return {std::stoi(aaaammdd.substr(0, 4)), std::stoi(aaaammdd.substr(4, 2)),
          std::stoi(aaaammdd.substr(6, 2))};
}

CalendarDate Today() { return DateOf(TodayDate()); }

bool SmallNumber(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  *value = std::stoi(text);
  return *value >= low && *value <= high;
}

// The host path a shell can open, then the stored one.
void PrintWritten(CliContext& context, const std::string& host, const std::string& stored) {
  context.out << host << Cp1252ToUtf8(" [" + stored + "]") << "\n";
}

}  // namespace

int ExportCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  std::string test = "mensual", format = "text", from, to, month, year, name;
  const bool ok = TakeOption(&args, "--test", &test) && TakeOption(&args, "--format", &format) &&
                  TakeOption(&args, "--from", &from) && TakeOption(&args, "--to", &to) &&
                  TakeOption(&args, "--month", &month) && TakeOption(&args, "--year", &year) &&
                  TakeOption(&args, "--name", &name);
  const bool cma_only = TakeFlag(&args, "--cma-only"), all = TakeFlag(&args, "--all");
  const bool accumulated = TakeFlag(&args, "--accumulated");
  const bool by_dates = !from.empty() || !to.empty();
  const bool by_month = !month.empty();
  if (!ok || !args.empty() || (cma_only && all) || (format != "text" && format != "dbf") ||
      by_dates == by_month || (by_dates && (from.empty() || to.empty())) ||
      (!by_month && (!year.empty() || accumulated))) {
    context.feedback.Message(kUsage);
    return kExitUsage;
  }
  ExportPage page;
  if (!ParseTestType(context, test, &page.test)) return kExitUsage;
  page.cma_only = !all;
  page.text_format = format == "text";
  page.accumulated = accumulated;
  const CalendarDate today = Today();
  page.from = page.to = today;
  if (by_dates) {
    std::string a, b;
    if (!ParseDateArgument(context, "--from", from, &a) ||
        !ParseDateArgument(context, "--to", to, &b))
      return kExitUsage;
    page.from = DateOf(a);
    page.to = DateOf(b);
  }
  int m = 0, y = today.year;
  if (by_month &&
      (!SmallNumber(month, 1, 12, &m) || (!year.empty() && !SmallNumber(year, 1000, 9999, &y)))) {
    context.feedback.Message("Mes (1 a 12) o año (AAAA) no valido"_cp);
    return kExitUsage;
  }
  const std::string stored_name = Utf8ToCp1252(name);
  if (stored_name.find_first_of("/\\:") != std::string::npos) {
    context.feedback.Message(
        "El nombre va sin carpeta: el fichero se escribe en el directorio de "
        "trabajo");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  if (by_month) {
    page.from.year = y;
    PressMonthButton(&page, m, s.config.HospitalCode());
  } else {
    RefreshExportName(&page, s.config.HospitalCode());
  }
  if (!stored_name.empty()) page.name = stored_name;
  int code = kExitFailed;
  if (s.config.CurrentPath().empty()) {
    context.feedback.Message("No hay fichero CMBD-A actual: elijalo con quirovel open FICHERO.dbf");
  } else {
    const ExportResult result = RunExport(s, RequestFrom(page, PeriodText(today)));
    if (result.written) {
      PrintLine(context.out, context.feedback.last_status());
      PrintWritten(context, result.host_path, result.stored_path);
      code = kExitOk;
    } else if (result.stopped) {
      code = kExitCancelled;
    }
  }
  EndSession(context);
  return code;
}

int ExportErrorsCommand(CliContext& context, const std::vector<std::string>& args) {
  if (!args.empty()) {
    context.feedback.Message("Uso: quirovel export-errors");
    return kExitUsage;
  }
  if (!StartSession(context)) return kExitFailed;
  Session& s = context.session;
  const ErrorTableResult result = ExportErrors(s);
  int code = kExitFailed;
  if (result.written) {
    PrintLine(context.out, context.feedback.last_status());
    PrintWritten(context, OutputHostPath(s, "ERRORES.DBF"), OutputPath(s, "ERRORES.DBF"));
    code = kExitOk;
  } else if (context.feedback.StopRequested()) {
    code = kExitCancelled;
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
