// quirovel search PATTERNS [conditions] [--table] [--save]: the diagnosis and
// procedure search ("Buscar") over the current file. Writes "busqueda.txt"
// and "busqueda2.txt" and prints the pattern table; with --table, the
// episode table of the episodes found (the first 30000), and with --save that
// table as "TABLA.DBF".
#include <ostream>

#include "analyses/code_search.h"
#include "app/cli/command.h"
#include "app/cli/episode_table_output.h"
#include "app/cli/session_start.h"
#include "output/output_path.h"
#include "platform/cp1252.h"
#include "platform/format.h"
#include "storage/dates.h"

namespace quirovel {
namespace {

constexpr const char* kUsage =
    "Uso: quirovel search PATRONES [--discharge DESDE-HASTA] [--service CODIGO] [--sex N] "
    "[--age MIN-MAX] [--admission-type N] [--residence TEXTO] [--discharge-type N] "
    "[--admission DESDE-HASTA] [--table] [--save]";

// "DD/MM/AAAA-DD/MM/AAAA" as two AAAAMMDD texts.
bool ParsePeriod(CliContext& context, const std::string& option, const std::string& text,
                 std::string* from, std::string* to) {
  const std::size_t dash = text.find('-');
  if (dash == std::string::npos) {
    context.feedback.Message(option + ": periodo incorrecto '" + Utf8ToCp1252(text) +
                             "' (DD/MM/AAAA-DD/MM/AAAA)");
    return false;
  }
  return ParseDateArgument(context, option, text.substr(0, dash), from) &&
         ParseDateArgument(context, option, text.substr(dash + 1), to);
}

bool ParseAges(CliContext& context, const std::string& text, std::string* low, std::string* high) {
  const std::size_t dash = text.find('-');
  auto age = [](const std::string& t) {
    return !t.empty() && t.size() <= 3 && t.find_first_not_of("0123456789") == std::string::npos;
  };
  if (dash == std::string::npos || !age(text.substr(0, dash)) || !age(text.substr(dash + 1))) {
    context.feedback.Message("--age: edades incorrectas '" + Utf8ToCp1252(text) +
                             "' (MIN-MAX, de 0 a 999)");
    return false;
  }
  *low = text.substr(0, dash);
  *high = text.substr(dash + 1);
  return true;
}

// A value of one of the dialog's lists.
bool ParseChoice(CliContext& context, const std::string& option, const std::string& text,
                 const std::vector<ChoiceEntry>& choices, long* value) {
  for (const ChoiceEntry& c : choices)
    if (text == std::to_string(c.value)) {
      *value = c.value;
      return true;
    }
  std::string known;
  for (const ChoiceEntry& c : choices)
    known += StrFormat("%s%d %s", known.empty() ? "" : ", ", c.value, std::string(c.text).c_str());
  context.feedback.Message(option + ": valor incorrecto '" + Utf8ToCp1252(text) + "' (" + known +
                           ")");
  return false;
}

bool ParseService(CliContext& context, const std::string& text, long* value) {
  const Session& s = context.session;
  const std::string code = Utf8ToCp1252(text);
  std::string known;
  for (int slot = 1; slot <= 40; ++slot) {
    const std::string& c = s.references.services.slot(slot).code;
    if (c.empty()) continue;
    if (c == code) {
      *value = DecimalValue(code);
      return true;
    }
    known += (known.empty() ? "" : " ") + c;
  }
  context.feedback.Message("--service: '" + code + "' no es un servicio de servicios.txt (" +
                           known + ")");
  return false;
}

bool ReadConditions(CliContext& context, std::vector<std::string>* args, SearchConditions* c) {
  std::string discharge, service, sex, age, admission_type, residence, discharge_type, admission;
  if (!TakeOption(args, "--discharge", &discharge) || !TakeOption(args, "--service", &service) ||
      !TakeOption(args, "--sex", &sex) || !TakeOption(args, "--age", &age) ||
      !TakeOption(args, "--admission-type", &admission_type) ||
      !TakeOption(args, "--residence", &residence) ||
      !TakeOption(args, "--discharge-type", &discharge_type) ||
      !TakeOption(args, "--admission", &admission)) {
    context.feedback.Message(kUsage);
    return false;
  }
  if ((c->discharge = !discharge.empty()) &&
      !ParsePeriod(context, "--discharge", discharge, &c->discharge_from, &c->discharge_to))
    return false;
  if ((c->service = !service.empty()) && !ParseService(context, service, &c->service_value))
    return false;
  if ((c->sex = !sex.empty()) && !ParseChoice(context, "--sex", sex, SexChoices(), &c->sex_value))
    return false;
  if ((c->age = !age.empty()) && !ParseAges(context, age, &c->age_low, &c->age_high)) return false;
  if ((c->admission_type = !admission_type.empty()) &&
      !ParseChoice(context, "--admission-type", admission_type, AdmissionTypeChoices(),
                   &c->admission_type_value))
    return false;
  if ((c->residence = !residence.empty())) {
    c->residence_text = Utf8ToCp1252(residence);
    if (c->residence_text.size() > 5) {
      context.feedback.Message("--residence: como mucho 5 caracteres");
      return false;
    }
  }
  if ((c->discharge_type = !discharge_type.empty()) &&
      !ParseChoice(context, "--discharge-type", discharge_type, DischargeTypeChoices(),
                   &c->discharge_type_value))
    return false;
  if ((c->admission = !admission.empty()) &&
      !ParsePeriod(context, "--admission", admission, &c->admission_from, &c->admission_to))
    return false;
  return true;
}

void PrintPatternTable(CliContext& context, const SearchResult& r) {
  PrintLine(context.out, StrFormat("%-5s %-7s %-7s %10s %9s  %s", "Rango", "Desde", "Hasta",
                                   "Frecuencia", "Episodios", "Observaciones"));
  for (std::size_t i = 0; i < r.patterns.size(); ++i) {
    const PatternTableRow row = PatternRow(static_cast<int>(i), r.patterns[i]);
    PrintLine(context.out, EscapeControls(StrFormat(
                               "%-5s %-7s %-7s %10s %9s  %s", row.number.c_str(), row.low.c_str(),
                               r.patterns[i].range ? row.high.c_str() : "", row.frequency.c_str(),
                               row.episodes.c_str(), row.remarks.c_str())));
  }
}

}  // namespace

int SearchCommand(CliContext& context, const std::vector<std::string>& arguments) {
  std::vector<std::string> args = arguments;
  const bool table = TakeFlag(&args, "--table");
  const bool save = TakeFlag(&args, "--save");
  if (!StartSession(context)) return kExitFailed;
  SearchRequest request;
  if (!ReadConditions(context, &args, &request.conditions) || args.empty()) {
    if (args.empty()) context.feedback.Message(kUsage);
    EndSession(context);
    return kExitUsage;
  }
  for (const std::string& a : args) request.text += (request.text.empty() ? "" : " ") + a;
  request.text = Utf8ToCp1252(request.text);
  request.keep_episodes = table || save;
  Session& s = context.session;
  const SearchResult r = SearchEpisodes(s, request);
  int code = kExitOk;
  switch (r.end) {
    case SearchEnd::kNoPatterns:
      context.feedback.Message(
          "No hay códigos que buscar: escriba códigos, prefijos con * o intervalos con - "
          "separados por comas (Ejemplo.: 652.6,  65*,  37.2  -  37.99,  6*  -  7*)"_cp);
      EndSession(context);
      return kExitUsage;
    case SearchEnd::kNoReport:
      context.feedback.Message("No se pueden crear busqueda.txt y busqueda2.txt");
      EndSession(context);
      return kExitFailed;
    case SearchEnd::kNoTable:
    case SearchEnd::kStopped:
    case SearchEnd::kNotWritten:
      EndSession(context);
      return kExitFailed;
    case SearchEnd::kUnreadable:
      code = kExitFailed;
      break;
    case SearchEnd::kCompleted:
      break;
  }
  PrintPatternTable(context, r);
  PrintLine(context.out,
            StrFormat("Episodios: %d de %ld", r.matches, static_cast<long>(r.record_count)));
  for (const char* name : {"busqueda.txt", "busqueda2.txt"})
    context.out << OutputHostPath(s, name) << Cp1252ToUtf8(" [" + OutputPath(s, name) + "]")
                << "\n";
  if (table || save) {
    EpisodeQuery query;
    query.mode = EpisodeTableMode::kSearchResult;
    query.records = r.kept;
    EpisodeTable episodes;
    const EpisodeTableCounts counts = SearchEpisodes(s, query, &episodes);
    if (table && !PrintEpisodeTable(context, episodes)) code = kExitFailed;
    if (counts.stopped || (save && !SaveAndTell(context, episodes))) code = kExitFailed;
  }
  EndSession(context);
  return code;
}

}  // namespace quirovel
